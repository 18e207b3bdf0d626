// The area list (clsAdmins, clsAdmin) and its .ADM file.
#include "document/HAdmin.h"
#include "document/clsAdmins.h"

#include "support/DocumentTestEnv.h"

#include <tuple>

namespace {

using AdminListTest = DocumentTest;

std::shared_ptr<clsAdmin> Area(int16_t code, int16_t group, int16_t page, bool show, bool search, const QString& eur,
                               const QString& jpn) {
    auto a = std::make_shared<clsAdmin>();
    a->SetAdminCode(code);
    a->SetAreaCode(group);
    a->SetPage(page);
    a->SetShow(show);
    a->SetSearch(search);
    a->SetEuropianName(eur);
    a->SetJapaneseName(jpn);
    return a;
}

std::shared_ptr<clsAdmins> SampleList(const QString& path) {
    auto list = std::make_shared<clsAdmins>();
    list->SetFileName(path);
    list->SetComment(QStringLiteral("国番号"));
    list->SetAreaName(0, 1, QStringLiteral("OTHER"));
    list->SetAreaName(0, 2, QStringLiteral("その他"));
    list->SetAreaName(3, 2, QStringLiteral("アフリカ"));
    list->SetAreaName(5, 1, QStringLiteral("SOUTH"));
    list->Add(Area(7, 3, 2, true, true, QStringLiteral("Chad"), QStringLiteral("チャド")));
    list->Add(Area(0, -1, 1, false, false, QStringLiteral("World"), QString()));
    list->Add(Area(392, 1, 8, true, true, QStringLiteral("Japan"), QStringLiteral("日本")));
    list->Add(Area(999, 19, 1, true, true, QStringLiteral("Cote \"d\" Ivoire"), QStringLiteral("コート\nジボワール")));
    return list;
}

QByteArray SampleBytes() {
    return DocumentTest::Lines({
        "[COMMENT]", "国番号", "",
        "[AREA]", "0,\"OTHER\",\"その他\"", "3,\"\",\"アフリカ\"", "5,\"SOUTH\",\"\"", "",
        "[ADMINISTRATION]",
        "007,3,2,1,1,\"Chad\",\"チャド\"",
        "000,-1,1,0,0,\"World\",\"\"",
        "392,1,8,1,1,\"Japan\",\"日本\"",
        "999,19,1,1,1,\"Cote ＂d＂ Ivoire\",\"コート ジボワール\"",
    });
}

TEST_F(AdminListTest, AreaSetters) {
    clsAdmin a;
    a.SetAdminCode(1000);
    a.SetAreaCode(20);
    a.SetPage(9);
    a.SetPage(1); // unchanged: not marked
    EXPECT_EQ(std::make_tuple(a.AdminCode(), a.AreaCode(), a.Page(), a.Modify()),
              std::make_tuple(int16_t(-1), int16_t(-1), int16_t(1), false));
    a.SetPage(2); // a new page marks it
    EXPECT_TRUE(a.Modify());
    a.SetModify(false);
    a.SetShow(true); // marked even when unchanged
    EXPECT_TRUE(a.Modify());
    EXPECT_TRUE(HAdmin::IsRightArea(19) && !HAdmin::IsRightArea(20) && !HAdmin::IsRightArea(-1));
    a.SetEuropianName(QStringLiteral("France"));
    a.SetJapaneseName(QStringLiteral("フランス"));
    PublicVal::gvLanguage = 2;
    EXPECT_EQ(a.AdminName(), QStringLiteral("フランス"));
    a.SetAdminName(QStringLiteral("仏"));
    EXPECT_EQ(a.JapaneseName(), QStringLiteral("仏"));
    PublicVal::gvLanguage = 0;
    EXPECT_EQ(a.AdminName(), QString());

    a.SetAdminCode(250);
    a.SetPage(4);
    a.SetSearch(false);
    a.SetModify(false);
    const auto c = a.Copy();
    EXPECT_EQ(std::make_tuple(c->AdminCode(), c->Page(), c->Search(), c->EuropianName(), c->Modify()),
              std::make_tuple(int16_t(250), int16_t(4), false, QStringLiteral("France"), true));
}

// Written from the setters, read back, and written again unchanged.
TEST_F(AdminListTest, SaveLoadAndSaveAgainGiveTheExactFile) {
    auto written = SampleList(dir.file("w.adm"));
    ASSERT_EQ(written->Save(), 0);
    EXPECT_EQ(dir.read("w.ADM"), SampleBytes());
    EXPECT_FALSE(written->Modify() || written->Item(7)->Modify());

    clsAdmins list;
    list.SetFileName(dir.file("w.ADM"));
    ASSERT_EQ(list.Load(), 0);
    EXPECT_FALSE(list.Modify());
    ASSERT_EQ(list.Count(), 4); // nothing lost after the empty Japanese name
    const auto world = list.Item(0);
    EXPECT_EQ(std::make_tuple(world->JapaneseName(), world->Show(), world->Search(), world->AreaCode()),
              std::make_tuple(QString(), false, false, int16_t(-1)));
    EXPECT_EQ(list.AreaName(3, 2), QStringLiteral("アフリカ"));
    EXPECT_EQ(list.AreaName(5, 3) + list.AreaName(20, 1), QString());
    list.SetFileName(dir.file("B.ADM"));
    ASSERT_EQ(list.Save(), 0);
    EXPECT_EQ(dir.read("B.ADM"), SampleBytes());
}

TEST_F(AdminListTest, AreaLinesOfFourFiveAndSevenFields) {
    const QString path = dir.write("F.ADM", Lines({
        "[area]", "1,\"ASIA\",\"アジア\"", "25,\"X\",\"Y\"", "2,\"EUROPE\",\"ヨーロッパ\",\"extra\"",
        "3,\"AFRICA\",\"アフリカ\"",
        "[ADMINISTRATION]", "4,2,\"Four\",\"四\"", "5,2,6,\"Five\",\"五\"", "7,3,5,0,0,\"Seven\",\"七\"",
        "8,3,1,1,\"Six\",\"六\"", "9,1,1,1,1,\"After\",\"後\"",
    }));
    clsAdmins list;
    list.SetFileName(path);
    ASSERT_EQ(list.Load(), 0);
    EXPECT_EQ(list.AreaName(1, 1), QStringLiteral("ASIA"));
    EXPECT_EQ(list.AreaName(2, 1), QString()); // four fields end the section
    EXPECT_EQ(list.AreaName(3, 1), QString());
    ASSERT_EQ(list.Count(), 3);
    const auto four = list.Item(4), seven = list.Item(7);
    EXPECT_EQ(std::make_tuple(four->Page(), four->Show(), four->Search(), four->JapaneseName()),
              std::make_tuple(int16_t(1), true, true, QStringLiteral("四")));
    EXPECT_EQ(list.Item(5)->Page(), 6);
    EXPECT_EQ(std::make_tuple(seven->Page(), seven->Show(), seven->Search()), std::make_tuple(int16_t(5), false, false));
    EXPECT_EQ(list.Item(9), nullptr); // after the six-field line
}

TEST_F(AdminListTest, SectionEndsAtAnEmptyLineAndABadCode) {
    const QString path = dir.write("E.ADM", Lines({
        "[ADMINISTRATION]", "001,0,1,1,1,\"A\",\"a\"", "", "002,0,1,1,1,\"B\",\"b\"",
        "[ADMINISTRATION]", "003,0,1,1,1,\"C\",\"c\"", "1000,0,1,1,1,\"D\",\"d\"", "004,0,1,1,1,\"E\",\"e\"",
        "[ADMINISTRATION]", "[COMMENT]", "kept", "",
    }));
    clsAdmins list;
    list.SetFileName(path);
    ASSERT_EQ(list.Load(), 0);
    QList<int> codes;
    for (const auto& a : list) codes << a->AdminCode();
    EXPECT_EQ(codes, QList<int>({1, 3}));
    EXPECT_EQ(list.Comment(), QStringLiteral("kept"));
}

TEST_F(AdminListTest, ANonNumericCodeIsAnErrorAndTheListEmpties) {
    const QString path =
        dir.write("X.ADM", Lines({"[ADMINISTRATION]", "001,0,1,1,1,\"A\",\"a\"", "abc,0,1,1,1,\"B\",\"b\""}));
    clsAdmins list;
    list.SetFileName(path);
    try {
        list.Load();
        FAIL() << "no error";
    } catch (const VospError& e) {
        EXPECT_EQ(e.number, 13);
        EXPECT_TRUE(e.source.startsWith(QStringLiteral("clsAdmins.Load/clsAdmin.ReadAdmin/"))) << e.source.toStdString();
    }
    EXPECT_EQ(list.Count(), 0);
    ASSERT_EQ(ui.ui.messages.size(), 1);
    EXPECT_EQ(ui.ui.messages.at(0).title, QStringLiteral("その他エラー"));
}

TEST_F(AdminListTest, SearchAddAndCopy) {
    auto list = SampleList(dir.file("R.ADM"));
    for (int32_t language : {1, 2}) { // the other language is tried, then restored
        PublicVal::gvLanguage = language;
        EXPECT_EQ(list->Search(QStringLiteral("japan")), 392) << language;
        EXPECT_EQ(list->Search(QStringLiteral("チャド")), 7) << language;
        EXPECT_EQ(list->Search(QStringLiteral("Nowhere")), -1) << language;
        EXPECT_EQ(PublicVal::gvLanguage, language);
    }

    EXPECT_FALSE(list->Add(std::make_shared<clsAdmin>())); // no automatic numbering
    ASSERT_TRUE(list->Add(Area(392, 1, 3, true, true, QStringLiteral("Nippon"), QStringLiteral("日本"))));
    QStringList names;
    for (const auto& a : *list) names << a->EuropianName();
    EXPECT_EQ(names, QStringList({"Chad", "World", "Nippon", "Cote \"d\" Ivoire"})); // replaced in place
    EXPECT_EQ(list->Item(392)->Page(), 3);
    list->SetModify(false);

    const auto copy = list->Copy();
    EXPECT_FALSE(copy->Modify());
    EXPECT_EQ(copy->Count(), 4);
    EXPECT_EQ(copy->AreaName(0, 2), QStringLiteral("その他"));
    EXPECT_NE(copy->Item(0), list->Item(0));
}

// The lock and the missing file of the shared list code are tested with the
// thing list; here the area list's own operations and texts.
TEST_F(AdminListTest, ReadOnlyFileLocksTheList) {
    const QString path = dir.write("L.ADM", SampleBytes());
    MakeReadOnly(path);
    clsAdmins list;
    list.SetFileName(path);
    ASSERT_EQ(list.Load(), 0);
    ASSERT_TRUE(list.LockMode());
    list.SetAreaName(1, 1, QStringLiteral("x"));
    list.ClearAll();
    EXPECT_FALSE(list.Add(Area(5, 1, 1, true, true, "a", "b")));
    QStringList expected;
    for (const char* op : {"AreaName", "ClearAll", "Add"})
        expected << path + QStringLiteral("\r\nは変更禁止. [") + op + "]";
    EXPECT_EQ(Messages(), expected);
    EXPECT_EQ(list.Count(), 4);

    ui.ui.messages.clear();
    list.SetFileName(dir.file("none.ADM"));
    EXPECT_EQ(list.Load(), 53);
    EXPECT_EQ(Messages(), QStringList{QStringLiteral("行政区ファイルが存在しません.\r\n") + dir.file("none.ADM")});
}

} // namespace
