// The thing list (clsThings) and its .THG file.
#include "document/clsThings.h"

#include "support/DocumentTestEnv.h"

namespace {

using ThingListTest = DocumentTest;

QString Rep(const QString& v, int n) {
    QStringList l;
    for (int i = 0; i < n; ++i) l << v;
    return l.join(QLatin1Char(','));
}

// Sets a page field on all 8 pages through the setters.
template <typename F>
void AllPages(clsThing& t, F f) {
    for (int16_t p = 1; p <= 8; ++p) {
        t.SetPage(p);
        f(t);
    }
    t.SetPage(1);
}

std::shared_ptr<clsThing> NewThing(int16_t code, int16_t figure, const QString& name, int16_t category) {
    auto t = std::make_shared<clsThing>();
    t->SetIndex(code);
    t->SetFigure(figure);
    t->SetName(name);
    t->SetCategory(category);
    return t;
}

std::shared_ptr<clsThings> SampleList(const QString& path) {
    auto list = std::make_shared<clsThings>();
    list->SetFileName(path);
    list->SetComment(QStringLiteral("世界の国々\r\n\r\n第3行"));
    list->SetCategoryName(1, QStringLiteral("土地"));
    list->SetCategoryName(2, QStringLiteral("He said \"hi\""));
    list->SetCategoryName(4, QStringLiteral("水系"));

    auto land = NewThing(1, 3, QStringLiteral("陸地"), 1);
    AllPages(*land, [](clsThing& t) { t.SetFore(255); t.SetStyle(8); });
    list->Add(land);

    auto border = NewThing(2, 2, QStringLiteral("国境"), 2);
    AllPages(*border, [](clsThing& t) { t.SetSize(1); });
    border->SetPage(3);
    border->SetFore(0x00FF00);
    border->SetPage(5);
    border->SetScaleS(1500000);
    border->SetPage(8);
    border->SetShowMode(0);
    list->Add(border);

    auto label = NewThing(5, 5, QString(), 4);
    AllPages(*label, [](clsThing& t) { t.SetSize(9); t.SetEuropian(QStringLiteral("Arial")); });
    label->SetPage(8);
    label->SetJapanese(QString());
    list->Add(label);

    list->Add(NewThing(7, 1, QStringLiteral("注"), -1));
    return list;
}

// The file SampleList writes, line by line.
QByteArray SampleBytes() {
    const QString x8 = Rep(QStringLiteral("&H00000000&"), 5);
    return DocumentTest::Lines({
        "[COMMENT]", "世界の国々", " ", "第3行", "",
        "[CATEGORY]", "1,\"土地\"", "2,\"He said ＂hi＂\"", "4,\"水系\"", "",
        "[THING]", "NUMBER=1", "FIGURE=POLYGON", "NAME=\"陸地\"", "CATEGORY=1", "SHOW=-1",
        "SMALL=1000000000", "LARGE=100000", "FORE=&H000000FF&", "BACK=&HFFFFFFFF&", "STYLE=8", "",
        "[THING]", "NUMBER=2", "FIGURE=POLYLINE", "NAME=\"国境\"", "CATEGORY=2",
        "SHOW=" + Rep("-1", 7) + ",0",
        "SMALL=" + Rep("1000000000", 4) + ",1500000," + Rep("1000000000", 3),
        "LARGE=" + Rep("100000", 8),
        "FORE=&H00000000&,&H00000000&,&H0000FF00&," + x8,
        "BACK=" + Rep("&HFFFFFFFF&", 8),
        "STYLE=" + Rep("0", 8),
        "WIDTH=" + Rep("1", 8), "",
        "[THING]", "NUMBER=5", "FIGURE=TEXT", "NAME=\"\"", "CATEGORY=4",
        "SHOW=" + Rep("-1", 8), "SMALL=" + Rep("1000000000", 8), "LARGE=" + Rep("100000", 8),
        "FORE=" + Rep("&H00000000&", 8), "BACK=" + Rep("&HFFFFFFFF&", 8), "STYLE=" + Rep("0", 8),
        "HEIGHT=" + Rep("9", 8), "EUROPIAN=" + Rep("\"Arial\"", 8),
        "JAPANESE=" + Rep("\"(default)\"", 7) + ",\"\"", "",
        "[THING]", "NUMBER=7", "FIGURE=REM", "NAME=\"注\"", "CATEGORY=-1", "",
    });
}

// Written from the setters, read back, copied, and written again unchanged.
TEST_F(ThingListTest, SaveLoadCopyAndSaveAgainGiveTheExactFile) {
    auto written = SampleList(dir.file("world.thg"));
    ASSERT_EQ(written->Save(), 0);
    EXPECT_EQ(dir.read("world.THG"), SampleBytes());
    EXPECT_FALSE(written->Modify() || written->Item(2)->Modify());

    auto list = std::make_shared<clsThings>();
    list->SetFileName(dir.file("world.THG"));
    ASSERT_EQ(list->Load(), 0);
    EXPECT_FALSE(list->Modify() || list->LockMode());
    ASSERT_EQ(list->Count(), 4);
    const auto label = list->Item(5);
    ASSERT_TRUE(label);
    EXPECT_EQ(label->Name(), QString());
    EXPECT_EQ(label->PageRecord(8).Japanese, QString());
    EXPECT_EQ(list->CategoryName(2), QStringLiteral("He said ＂hi＂"));
    EXPECT_EQ(list->Comment(), QStringLiteral("世界の国々\r\n \r\n第3行"));
    EXPECT_EQ(list->Search(QStringLiteral("注")), 7);

    // A copy is deep and keeps the flags.
    list->Item(2)->SetUse(true);
    const auto copy = list->Copy();
    EXPECT_FALSE(copy->Modify());
    EXPECT_EQ(copy->FileName(), list->FileName());
    EXPECT_EQ(copy->Comment(), list->Comment());
    EXPECT_EQ(copy->CategoryName(4), QStringLiteral("水系"));
    ASSERT_EQ(copy->Count(), 4);
    EXPECT_TRUE(copy->Item(2)->Use());
    copy->Item(2)->SetName(QStringLiteral("changed"));
    EXPECT_EQ(list->Item(2)->Name(), QStringLiteral("国境"));
    copy->ResetUse();
    EXPECT_FALSE(copy->Item(2)->Use());
    EXPECT_TRUE(list->Item(2)->Use());

    list->SetModify(false);
    list->SetFileName(dir.file("B.THG")); // a new name marks the list
    ASSERT_TRUE(list->Modify());
    ASSERT_EQ(list->Save(), 0);
    EXPECT_EQ(dir.read("B.THG"), SampleBytes());

    // A missing file leaves the list as it was; an unchanged list writes nothing.
    list->SetFileName(dir.file("none.THG"));
    EXPECT_EQ(list->Load(), 53);
    EXPECT_EQ(Messages(), QStringList{QStringLiteral("事象ファイルが存在しません.\r\n") + dir.file("none.THG")});
    EXPECT_EQ(list->Count(), 4);
    list->SetModify(false);
    EXPECT_EQ(list->Save(), 0);
    EXPECT_FALSE(QFile::exists(dir.file("none.THG")));
}

TEST_F(ThingListTest, NoCommentAndNoCategories) {
    clsThings list;
    list.SetFileName(dir.file("E.THG"));
    auto t = std::make_shared<clsThing>();
    t->SetFigure(4);
    ASSERT_TRUE(list.Add(t));
    EXPECT_EQ(t->Index(), 0); // first automatic code of an empty list
    ASSERT_EQ(list.Save(), 0);
    EXPECT_EQ(dir.read("E.THG"),
              Lines({"[CATEGORY]", "", "[THING]", "NUMBER=0", "FIGURE=SYMBOL", "NAME=\"\"", "CATEGORY=-1",
                     "SHOW=-1", "SMALL=1000000000", "LARGE=100000", "FORE=&H00000000&", "BACK=&HFFFFFFFF&",
                     "STYLE=0", ""}));
}

TEST_F(ThingListTest, ReaderHeadersNumbersAndDuplicates) {
    const QString path = dir.write("R.THG", Lines({
        "garbage before", " [category] ", "1,\"A\"", "2,\"B\",\"extra\"", "25,\"out\"", "",
        "[LINK]", "NUMBER=40", "",
        "[THING]", "NUMBER=10", "NAME=\"first\"", "",
        "[THING]", "NUMBER=3", "NAME=\"three\"", "",
        " [thing]", "NAME=\"auto\"",
        "[THING=20]", "NAME=\"by header\"", "",
        "[THING]", "NUMBER=10", "NAME=\"second\"",
        "[NATION]", "[THING]", "",
        "[THING]", "NAME=\"after\"", "FORE=&H80000000&",
    }));
    clsThings list;
    list.SetFileName(path);
    ASSERT_EQ(list.Load(), 0);
    EXPECT_EQ(list.CategoryName(1), QStringLiteral("A"));
    EXPECT_EQ(list.CategoryName(2), QString()); // three fields: skipped
    QStringList names;
    QList<int> codes;
    for (const auto& t : list) {
        names << t->Name();
        codes << t->Index();
    }
    // The later NUMBER=10 takes the earlier one's place; the plain header
    // numbers after the largest code read so far; the [NATION] block swallows
    // the header after it.
    EXPECT_EQ(names, QStringList({"second", "three", "auto", "by header", "after"}));
    EXPECT_EQ(codes, QList<int>({10, 3, 11, 20, 21}));
    ASSERT_TRUE(list.Item(21));
    EXPECT_EQ(list.Item(21)->PageRecord(1).Fore, INT32_MIN);
    EXPECT_FALSE(list.Modify());
}

TEST_F(ThingListTest, AddRemoveItemAndFlags) {
    clsThings list;
    EXPECT_EQ(list.FileName(), PublicVal::DefaultTHG());
    EXPECT_FALSE(list.Modify());
    auto a = std::make_shared<clsThing>();
    a->SetIndex(999);
    ASSERT_TRUE(list.Add(a));
    auto b = std::make_shared<clsThing>();
    EXPECT_FALSE(list.Add(b)); // 999 + 1 is no code
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Item(999), a);
    EXPECT_EQ(list.Item(-1), nullptr);
    EXPECT_TRUE(list.Modify());
    list.SetModify(false);
    EXPECT_FALSE(a->Modify());
    a->SetName(QStringLiteral("Road"));
    EXPECT_TRUE(list.Modify()); // a changed thing marks the list
    EXPECT_EQ(list.Search(QStringLiteral("ROAD")), 999);
    EXPECT_EQ(list.Search(QStringLiteral("Rail")), -1);
    list.SetModify(false);
    EXPECT_FALSE(list.Remove(5));
    EXPECT_TRUE(list.Remove(999));
    EXPECT_FALSE(list.Modify()); // removing does not mark
    EXPECT_EQ(list.Item(999), nullptr);
    EXPECT_EQ(list.CategoryName(0) + list.CategoryName(21), QString());

    // A new name only in letter case is no new name.
    list.SetFileName(dir.file("x.thg"));
    list.SetModify(false);
    list.SetFileName(dir.file("X.THG"));
    EXPECT_FALSE(list.Modify());
    EXPECT_EQ(list.FileName(), dir.file("x.THG"));
}

TEST_F(ThingListTest, ReadOnlyFileLocksTheList) {
    const QString path = dir.write("L.THG", SampleBytes());
    MakeReadOnly(path);
    auto list = std::make_shared<clsThings>();
    list->SetFileName(path);
    ASSERT_EQ(list->Load(), 0);
    ASSERT_TRUE(list->LockMode());
    EXPECT_FALSE(list->Modify());

    // Copies keep the lock without reporting a change.
    const auto copy = list->Copy();
    EXPECT_TRUE(copy->LockMode());
    EXPECT_FALSE(copy->Modify());

    list->SetComment(QStringLiteral("x"));
    list->SetCategoryName(1, QStringLiteral("x"));
    list->ClearAll();
    EXPECT_FALSE(list->Add(std::make_shared<clsThing>()));
    EXPECT_FALSE(list->Remove(1));
    QStringList expected;
    for (const char* op : {"Comment", "CategoryName", "ClearAll", "Add", "Remove"})
        expected << path + QStringLiteral("\r\nは変更禁止. [") + op + "]";
    EXPECT_EQ(Messages(), expected);
    for (const auto& m : ui.ui.messages) EXPECT_EQ(m.style, int(Mb::Critical) + int(Mb::OkOnly));
    EXPECT_EQ(list->Count(), 4);
    EXPECT_EQ(list->Comment(), QStringLiteral("世界の国々\r\n \r\n第3行"));

    // Loading works again, and saving a changed list refuses the file.
    ASSERT_EQ(list->Load(), 0);
    list->SetLockMode(false);
    list->SetComment(QStringLiteral("changed"));
    ui.ui.messages.clear();
    EXPECT_EQ(list->Save(), 70);
    EXPECT_EQ(Messages(), QStringList{path + QStringLiteral("\r\nは読み取り専用ファイルです.")});
    EXPECT_EQ(dir.read("L.THG"), SampleBytes());
}

} // namespace
