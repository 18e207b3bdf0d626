#include "platform/SettingsStore.h"

#include "platform/ScriptedUi.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

TEST(SettingsStore, PersistsAcrossReopeningKeepingKeyOrder) {
    ScopedSettingsHome home;
    auto& s = SettingsStore::Instance();
    s.Put("Vosperal", "PUBLIC", "Zeta", "1");
    s.Put("Vosperal", "PUBLIC", "Alpha", "東京 \"x\"");
    s.Put("Vosperal", "VIEW", "Width", "640");
    s.Put("Vosperal", "VIEW", "Note", "a\r\nb\nc"); // line breaks become blanks: the file stays readable
    SettingsStore::Reopen();
    auto& t = SettingsStore::Instance();
    const auto keys = t.Section("Vosperal", "PUBLIC");
    ASSERT_EQ(keys.size(), 2);
    EXPECT_EQ(keys[0].first, "Zeta");
    EXPECT_EQ(keys[1].first, "Alpha");
    EXPECT_EQ(keys[1].second, QStringLiteral("東京 \"x\""));
    EXPECT_EQ(t.Get("Vosperal", "VIEW", "Width", "0"), "640");
    EXPECT_EQ(t.Get("Vosperal", "VIEW", "Note", ""), "a b c");
    EXPECT_EQ(SettingsStore::OneLine("a\r\n\rb\n"), "a  b ");
    EXPECT_EQ(SettingsStore::OneLine("\n\r"), "  ");
    EXPECT_EQ(SettingsStore::OneLine("a\tb"), "a\tb");
}

TEST(SettingsStore, NamesCompareWithoutCase) {
    ScopedSettingsHome home;
    auto& s = SettingsStore::Instance();
    s.Put("Vosperal", "Public", "Key", "a");
    s.Put("VOSPERAL", "PUBLIC", "KEY", "b");
    EXPECT_EQ(s.Section("vosperal", "public").size(), 1);
    EXPECT_EQ(s.Get("Vosperal", "public", "key", "-"), "b");
    EXPECT_TRUE(s.Has("Vosperal", "PUBLIC", "kEy"));
    s.Delete("Vosperal", "PUBLIC", "key");
    EXPECT_EQ(s.Get("Vosperal", "PUBLIC", "Key", "def"), "def");
    s.Put("Vosperal", "X", "k", "v");
    s.DeleteSection("Vosperal", "x");
    EXPECT_TRUE(s.Section("Vosperal", "X").isEmpty());
    SettingsStore::Reopen();
    EXPECT_TRUE(SettingsStore::Instance().Section("Vosperal", "X").isEmpty());
}

TEST(SettingsStore, AFailedWriteIsToldOnceABatchWritesOnce) {
    TestFolder t;
    ScopedUi scripted;
    t.write("cfg", "a file where the store's folder would be");
    SettingsStore bad(t.file("cfg/settings.txt")), one(t.file("one.txt"));
    bad.Put("Vosperal", "PUBLIC", "Language", "2");
    bad.Put("Vosperal", "PUBLIC", "HomeLon", "1");
    ASSERT_EQ(scripted.ui.messages.size(), 1);
    EXPECT_EQ(scripted.ui.messages[0].text, "設定を保存できません. 次回の起動では今の設定が失われます.\r\n" +
                                                t.file("cfg/settings.txt") + "\r\nパスが見つかりません。 " +
                                                t.file("cfg/settings.txt"));
    {
        SettingsStore::Batch outer(one), inner(one);
        one.Put("Vosperal", "PUBLIC", "a", "1");
    }
    one.Put("Vosperal", "PUBLIC", "a", "1"); // no change, no write
    EXPECT_EQ(one.Writes(), 1);
    EXPECT_EQ(t.read("one.txt"), "[Vosperal\\PUBLIC]\r\na=\"1\"\r\n");
    // A lone quote is a value, not an empty quoted one.
    SettingsStore quote(t.write("q.txt", "[Vosperal\\PUBLIC]\r\nq=\"\r\n"));
    EXPECT_EQ(quote.Get("Vosperal", "PUBLIC", "q", "-"), "\"");
}
