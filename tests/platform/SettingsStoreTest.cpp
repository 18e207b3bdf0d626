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
    SettingsStore::Reopen();
    auto& t = SettingsStore::Instance();
    const auto keys = t.Section("Vosperal", "PUBLIC");
    ASSERT_EQ(keys.size(), 2);
    EXPECT_EQ(keys[0].first, "Zeta");
    EXPECT_EQ(keys[1].first, "Alpha");
    EXPECT_EQ(keys[1].second, QStringLiteral("東京 \"x\""));
    EXPECT_EQ(t.Get("Vosperal", "VIEW", "Width", "0"), "640");
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

TEST(SettingsStore, LineBreaksInValuesBecomeBlanksSoTheFileStaysReadable) {
    ScopedSettingsHome home;
    SettingsStore::Instance().Put("Vosperal", "S", "k", "a\r\nb\nc");
    SettingsStore::Reopen();
    EXPECT_EQ(SettingsStore::Instance().Get("Vosperal", "S", "k", ""), "a b c");
}

TEST(SettingsStore, OneLineTurnsEachLineBreakIntoOneBlank) {
    EXPECT_EQ(SettingsStore::OneLine("a\r\n\rb\n"), "a  b ");
    EXPECT_EQ(SettingsStore::OneLine("\n\r"), "  ");
    EXPECT_EQ(SettingsStore::OneLine("a\tb"), "a\tb");
}

TEST(SettingsStore, AFailedWriteIsToldOnceAndTheProgramGoesOn) {
    TestFolder t;
    ScopedUi scripted;
    // The store's folder cannot be made: a file stands where it would be.
    t.write("cfg", "not a folder");
    SettingsStore s(t.file("cfg/vosperal/settings.txt"));
    s.Put("Vosperal", "PUBLIC", "Language", "2");
    s.Put("Vosperal", "PUBLIC", "HomeLon", "1");
    ASSERT_EQ(scripted.ui.messages.size(), 1);
    const QString text = scripted.ui.messages[0].text;
    EXPECT_TRUE(text.startsWith(QStringLiteral("設定を保存できません.")));
    EXPECT_TRUE(text.contains(t.file("cfg/vosperal/settings.txt")));
    EXPECT_TRUE(text.contains(QStringLiteral("パスが見つかりません。"))); // the reason: no such folder
    EXPECT_EQ(s.Get("Vosperal", "PUBLIC", "Language", "1"), "2"); // kept in memory
}

TEST(SettingsStore, ABatchWritesTheFileOnceWithTheSameContents) {
    TestFolder t;
    SettingsStore one(t.file("one.txt"));
    SettingsStore many(t.file("many.txt"));
    {
        SettingsStore::Batch outer(one);
        {
            SettingsStore::Batch inner(one);
            for (int i = 0; i < 16000; ++i) one.Put("Vosperal", "PUBLIC", QString::number(i), "v");
        }
        EXPECT_EQ(one.Writes(), 0); // the inner end is not the last
    }
    EXPECT_EQ(one.Writes(), 1);
    for (int i = 0; i < 50; ++i) many.Put("Vosperal", "PUBLIC", QString::number(i), "v");
    EXPECT_EQ(many.Writes(), 50);
    EXPECT_TRUE(t.read("one.txt").startsWith(t.read("many.txt")));
    EXPECT_TRUE(t.read("one.txt").startsWith("[Vosperal\\PUBLIC]\r\n0=\"v\"\r\n1=\"v\"\r\n"));
    {
        SettingsStore::Batch nothing(one); // no change, no write
    }
    EXPECT_EQ(one.Writes(), 1);
}
