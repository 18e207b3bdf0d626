#include "core/clsRegistry.h"

#include "core/clsTextFile.h"
#include "platform/VospError.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

namespace {

struct RegistryFixture : ::testing::Test {
    ScopedSettingsHome home;
    TestFolder dir;
    clsRegistry reg;
    void SetUp() override { reg.mSection = "VIEW"; }
};

} // namespace

TEST_F(RegistryFixture, PutGetAndDefaultsAsText) {
    reg.RegPut("Width", int32_t(640));
    reg.RegPut("Scale", 0.35);
    reg.RegPut("Big", int64_t(5000000000));
    reg.RegPut("Flag", true);
    reg.RegPut("Name", QStringLiteral("東京"));
    for (auto [key, text] : {std::pair{"width", "640"}, {"Scale", "0.35"}, {"Big", "5000000000"}})
        EXPECT_EQ(reg.RegGet(key, "x"), text) << key;
    EXPECT_EQ(reg.RegGet("Flag", false), "True");
    EXPECT_EQ(reg.RegGet("Name", ""), QStringLiteral("東京"));
    EXPECT_EQ(reg.RegGet("Missing", int32_t(-1)), "-1");
    EXPECT_EQ(reg.RegGet("Missing", false), "False");
    clsRegistry other;
    other.mSection = "ACCESSORY";
    EXPECT_EQ(other.RegGet("Width", "none"), "none"); // sections are apart
}

TEST_F(RegistryFixture, GetSecListsKeysInOrderAndDeleteEmptiesTheSection) {
    reg.RegPut("B", "2");
    reg.RegPut("A", "1");
    reg.RegPut("b", "3"); // same key in another case replaces in place
    const SettingsStore::Pairs rows = reg.RegGetSec();
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0].first, "B");
    EXPECT_EQ(rows[0].second, "3");
    EXPECT_EQ(rows[1].first, "A");
    reg.RegDelete("A");
    EXPECT_EQ(reg.RegGet("A", "d"), "d");
    EXPECT_EQ(reg.RegGet("B", "d"), "3");
    reg.RegDelete("");
    EXPECT_EQ(reg.RegGet("B", "d"), "d");
    EXPECT_TRUE(reg.RegGetSec().isEmpty());
    reg.RegDelete(""); // a missing section is no error
}

TEST_F(RegistryFixture, ExportIsByteExactAndImportRestoresEveryValue) {
    const QList<QPair<QString, QString>> values = {
        {"Inner", "say \"hi\""}, {"Pad", "  padded  "}, {"Eq", "a=b"}, {"Empty", ""},
        {"Jp", QStringLiteral("東京表")}, {"Quote", "\""}, {"Quoted", "\"x\""},
    };
    for (const auto& kv : values) reg.RegPut(kv.first, kv.second);
    clsRegistry acc;
    acc.mSection = "ACCESSORY";
    acc.RegPut("Title", "x");
    clsTextFile out;
    reg.WriteFile(out);
    acc.WriteFile(out);
    out.Save(dir.file("LAST.MLG"));
    // 東京表 in CP932: 93 8C 8B 9E 95 5C
    EXPECT_EQ(dir.read("LAST.MLG"), QByteArray("[VIEW]\r\n"
                                               "Inner=\"say \"hi\"\"\r\n"
                                               "Pad=\"  padded  \"\r\n"
                                               "Eq=\"a=b\"\r\n"
                                               "Empty=\"\"\r\n"
                                               "Jp=\"\x93\x8C\x8B\x9E\x95\x5C\"\r\n"
                                               "Quote=\"\"\"\r\n"
                                               "Quoted=\"\"x\"\"\r\n"
                                               "[ACCESSORY]\r\n"
                                               "Title=\"x\"\r\n"));
    reg.RegDelete("");
    reg.ReadFile(clsTextFile::Read(dir.file("last.mlg")));
    const SettingsStore::Pairs rows = reg.RegGetSec();
    ASSERT_EQ(rows.size(), values.size());
    for (int i = 0; i < values.size(); ++i) {
        EXPECT_EQ(rows[i].first, values[i].first);
        EXPECT_EQ(rows[i].second, values[i].second) << values[i].first.toStdString();
    }
    // An empty section writes its header; line breaks in a value become one blank each.
    clsRegistry none;
    none.mSection = "EMPTY";
    reg.RegPut("K", "a\r\nb\rc\nd");
    clsTextFile more;
    EXPECT_NO_THROW(none.WriteFile(more));
    for (const auto& kv : values) reg.RegDelete(kv.first);
    reg.WriteFile(more);
    EXPECT_EQ(more.Lines(), (QStringList{"[EMPTY]", "[VIEW]", "K=\"a b c d\""}));
}

TEST_F(RegistryFixture, ImportFollowsTheHeaderRulesAndKeepsOtherKeys) {
    reg.RegPut("Keep", "old");
    reg.RegPut("A", "old");
    const clsTextFile in(QStringList{
        "[ACCESSORY]",
        "A=\"wrong block\"",
        "[VIEW]",
        "A=\"1\"",
        "Key  =   \"blanks\"",
        "NoEquals",
        "=\"no key\"",
        "x=y=\"z\"",
        "Bare=  plain  ",
        "[view]",
        "Lower=\"case differs\"",
        " [VIEW]",
        "Blank=\"header with a blank\"",
        "[VIEW] ",
        "Trail=\"header with a trailing blank\"",
        "[VIEW]",
        "Second=\"block\"",
        "A=\"2\"",
    });
    reg.ReadFile(in);
    // A is read from both blocks, in file order.
    for (auto [key, value] : {std::pair{"Keep", "old"}, {"A", "2"}, {"Key  ", "blanks"}, {"Key", "-"}, {"x", "y=\"z"},
                              {"Bare", "plain"}, {"Lower", "-"}, {"Blank", "-"}, {"Trail", "-"}, {"Second", "block"}})
        EXPECT_EQ(reg.RegGet(key, "-"), value) << key;
    EXPECT_EQ(reg.RegGetSec().size(), 6);
    clsRegistry other;
    other.mSection = "OTHERS";
    other.ReadFile(clsTextFile(QStringList{"[OTHER]", "A=\"1\""})); // without its header nothing is written
    EXPECT_TRUE(other.RegGetSec().isEmpty());
}

TEST(TextFile, ReadingAMissingFileRaisesTheFileError) {
    TestFolder dir;
    try {
        clsTextFile::Read(dir.file("none.mlg"));
        FAIL();
    } catch (const VospError& e) {
        EXPECT_EQ(e.number, 53);
    }
    dir.write("lf.txt", "a\nb\r\n\r\nc");
    EXPECT_EQ(clsTextFile::Read(dir.file("LF.TXT")).Lines(), (QStringList{"a", "b", "", "c"}));
}
