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

// Keys found through their index: any letter case (Latin, Greek, full-width),
// the order of first insertion kept through deletes and re-adds, and the
// same answers after the file is read again.
TEST(SettingsStore, ManyKeysKeepTheirOrderAndTheirCaseFreeMatch) {
    ScopedSettingsHome home;
    auto& s = SettingsStore::Instance();
    {
        SettingsStore::Batch once(s);
        for (int i = 0; i < 3000; ++i) s.Put("Vosperal", "PUBLIC", QStringLiteral("Key%1").arg(i), QString::number(i));
        s.Put("Vosperal", "PUBLIC", QStringLiteral("Σίγμα"), "greek");
        s.Put("Vosperal", "PUBLIC", QStringLiteral("Ｗｉｄｅ"), "wide");
        s.Put("Vosperal", "PUBLIC", QStringLiteral("KEY17"), "seventeen"); // replaces in place
        s.Delete("Vosperal", "PUBLIC", QStringLiteral("key1000"));
        s.Delete("Vosperal", "PUBLIC", QStringLiteral("KEY0"));
        s.Put("Vosperal", "PUBLIC", QStringLiteral("key0"), "again"); // goes to the end
    }
    for (int pass = 0; pass < 2; ++pass) {
        SettingsStore& t = SettingsStore::Instance();
        const auto keys = t.Section("Vosperal", "PUBLIC");
        ASSERT_EQ(keys.size(), 3001) << pass;
        EXPECT_EQ(keys[0].first, "Key1");
        EXPECT_EQ(keys[16], (QPair<QString, QString>{"Key17", "seventeen"}));
        EXPECT_EQ(keys[998].first, "Key999");
        EXPECT_EQ(keys[999].first, "Key1001");
        EXPECT_EQ(keys.last(), (QPair<QString, QString>{"key0", "again"}));
        EXPECT_EQ(t.Get("Vosperal", "public", "kEY2999", "-"), "2999");
        EXPECT_EQ(t.Get("Vosperal", "PUBLIC", "Key1000", "gone"), "gone");
        EXPECT_EQ(t.Get("Vosperal", "PUBLIC", QStringLiteral("ΣΊΓΜΑ"), "-"), "greek");
        EXPECT_EQ(t.Get("Vosperal", "PUBLIC", QStringLiteral("ｗｉｄｅ"), "-"), "wide");
        EXPECT_FALSE(t.Has("Vosperal", "PUBLIC", "Key3000"));
        SettingsStore::Reopen();
    }
    // The keys after a deleted one are still found where they moved to.
    SettingsStore& u = SettingsStore::Instance();
    u.Delete("Vosperal", "PUBLIC", "key2999");
    EXPECT_FALSE(u.Has("Vosperal", "PUBLIC", "Key2999"));
    u.Put("Vosperal", "PUBLIC", "KEY2998", "x");
    EXPECT_EQ(u.Section("Vosperal", "PUBLIC")[2996], (QPair<QString, QString>{"Key2998", "x"}));
    // A key written twice in the file by hand: the first counts.
    TestFolder t;
    SettingsStore twice(t.write("twice.txt", "[Vosperal\\PUBLIC]\r\nA=\"1\"\r\na=\"2\"\r\nB=\"3\"\r\n"));
    EXPECT_EQ(twice.Get("Vosperal", "PUBLIC", "A", "-"), "1");
    EXPECT_EQ(twice.Section("Vosperal", "PUBLIC").size(), 2);
}

// Sections found through their index: any letter case, the file's order kept
// through deletes and re-adds, and a section that occurs twice in the file
// read as one, at the place of its first header, its first key counting.
TEST(SettingsStore, ManySectionsKeepTheirOrderAndTheirCaseFreeMatch) {
    TestFolder t;
    QByteArray text;
    for (int i = 0; i < 2000; ++i)
        text += "[Vosperal\\S" + QByteArray::number(i) + "]\r\nW=\"" + QByteArray::number(i) + "\"\r\n";
    text += "[vosperal\\s7]\r\nw=\"again\"\r\nH=\"7\"\r\n[Other\\S7]\r\nW=\"other\"\r\n";
    text += QStringLiteral("[Vosperal\\Σ]\r\nk=\"greek\"\r\n").toUtf8();
    SettingsStore s(t.write("settings.txt", text));
    EXPECT_EQ(s.Get("VOSPERAL", "s1999", "w", "-"), "1999");
    EXPECT_EQ(s.Section("vosperal", "S7"), (SettingsStore::Pairs{{"W", "7"}, {"H", "7"}}));
    EXPECT_EQ(s.Get("other", "s7", "W", "-"), "other");
    EXPECT_EQ(s.Get("Vosperal", QStringLiteral("σ"), "K", "-"), "greek");
    EXPECT_FALSE(s.Has("Vosperal", "S2000", "W"));
    // The sections after a deleted one are still found where they moved to,
    // the one looked up last among them.
    EXPECT_EQ(s.Get("Vosperal", "S6", "W", "-"), "6");
    s.DeleteSection("vosperal", "S5");
    EXPECT_TRUE(s.Section("Vosperal", "S5").isEmpty());
    EXPECT_EQ(s.Get("Vosperal", "S6", "W", "-"), "6");
    s.Put("Vosperal", "s5", "W", "back"); // goes to the end
    s.Put("Vosperal", "S1999", "W", "last");
    const QByteArray out = t.read("settings.txt");
    EXPECT_TRUE(out.startsWith("[Vosperal\\S0]\r\nW=\"0\"\r\n[Vosperal\\S1]\r\nW=\"1\"\r\n[Vosperal\\S2]\r\nW=\"2\"\r\n"
                               "[Vosperal\\S3]\r\nW=\"3\"\r\n[Vosperal\\S4]\r\nW=\"4\"\r\n[Vosperal\\S6]\r\nW=\"6\"\r\n"
                               "[Vosperal\\S7]\r\nW=\"7\"\r\nH=\"7\"\r\n[Vosperal\\S8]\r\n"));
    EXPECT_TRUE(out.endsWith("[Vosperal\\S1999]\r\nW=\"last\"\r\n[Other\\S7]\r\nW=\"other\"\r\n" +
                             QStringLiteral("[Vosperal\\Σ]\r\nk=\"greek\"\r\n").toUtf8() +
                             "[Vosperal\\s5]\r\nW=\"back\"\r\n"));
    EXPECT_EQ(out.count("\\S"), 2000);
}
