// The style library: names that address one file in the map folder, the
// list of library files, opening with and without page sync, and saving
// that keeps the old file's comment and leaves the working list as it was.
#include "SymbolTestEnv.h"

#include "legend/StyleLibrary.h"
#include "platform/Cp932Codec.h"

#include <QComboBox>
#include <QDir>
#include <QPushButton>
#include <QWidget>

namespace {

struct LibraryTest : GuiFirst, SymbolTest {
    QWidget parent;
    SymbolWork work;
    SymbolSwitches sw;
    StyleLibrary lib{&parent, work, sw};
    int rebuilt = 0;

    void SetUp() override
    {
        SymbolTest::SetUp();
        // "Pac": 陸地 with foreground p and hidden on page p; the annotation
        // 注記 gets a foreground it must never hand on.
        auto l = Legend();
        auto land = l->Item(1);
        for (int16_t p = 1; p <= 8; ++p) {
            land->SetPage(p);
            land->SetFore(p);
            land->SetShowMode(0);
        }
        l->Item(2)->SetFore(0x123456);
        l->SetComment(QStringLiteral("old"));
        l->SetFileName(dir.file(QStringLiteral("__Pac.THG")));
        ASSERT_EQ(l->Save(), 0);
        QDir(dir.path()).mkdir(QStringLiteral("sub"));
        l->SetFileName(dir.file(QStringLiteral("sub/__Deep.THG")));
        ASSERT_EQ(l->Save(), 0);
        work.Load(units);
        lib.SetGridData = [this] { ++rebuilt; };
        lib.MakeLibraryList();
    }
    int Fore(int k, int code, int16_t page) const
    {
        auto t = work.WorkThings(k)->Item(code);
        t->SetPage(page);
        return t->Fore();
    }
    QStringList Listed() const
    {
        QStringList l;
        for (int i = 0; i < lib.choLibrary->count(); ++i) l << lib.choLibrary->itemText(i);
        return l;
    }
};

TEST_F(LibraryTest, EveryNameFormAddressesTheFileInTheMapFolder) {
    const QString want = dir.file(QStringLiteral("__Pacific.THG"));
    for (const char* text : {"Pacific", "__Pacific", "__Pacific.THG", "x\\Pacific.txt", "x/Pacific.txt"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(StyleLibrary::LibraryFilePath(QString::fromUtf8(text), dir.path()), want);
    }
    EXPECT_EQ(StyleLibrary::LibraryFilePath(QStringLiteral("x\\"), dir.path()), QString());
    EXPECT_EQ(Listed(), (QStringList{"Pac", "Deep"})); // the subfolder's file is listed too
}

TEST_F(LibraryTest, OpenCopiesPagesBySyncAndShowSwitches) {
    lib.choLibrary->setCurrentText(QStringLiteral("Pac"));
    sw.mPageSync = true;
    sw.mLibShow = false;
    lib.cmdLibOpen_Click();
    const auto land = work.WorkThings(2)->Item(1);
    EXPECT_EQ(EachPage(land, &clsThing::Fore), std::vector<int32_t>(8, 1)); // every page takes library page 1
    EXPECT_EQ(EachPage(land, &clsThing::ShowMode), std::vector<int16_t>(8, -1));
    EXPECT_EQ(Fore(1, 1, 3), 1); // copied to the other unit
    EXPECT_EQ(Fore(2, 2, 1), 0x80); // the annotation is never applied
    EXPECT_EQ(Messages(), QStringList{"事象リストを更新しました."});

    sw.mPageSync = false;
    sw.mLibShow = true;
    lib.cmdLibOpen_Click();
    const auto again = work.WorkThings(2)->Item(1);
    EXPECT_EQ(EachPage(again, &clsThing::Fore), (std::vector<int32_t>{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(EachPage(again, &clsThing::ShowMode), std::vector<int16_t>(8, 0));
    EXPECT_EQ(rebuilt, 2);
}

TEST_F(LibraryTest, SaveKeepsTheOldCommentAndTheWorkingListsState) {
    auto things = work.Things();
    things->SetComment(QStringLiteral("mine"));
    things->SetModify(false);
    const QString own = things->FileName();
    lib.choLibrary->setCurrentText(QStringLiteral("__Pac.THG"));
    lib.cmdLibSave_Click();
    EXPECT_EQ(Messages(), (QStringList{"上書きしてもよいですか？", "保存に成功しました."}));
    clsThings saved;
    saved.SetFileName(dir.file(QStringLiteral("__Pac.THG")));
    ASSERT_EQ(saved.Load(), 0);
    EXPECT_EQ(saved.Comment(), QStringLiteral("old"));
    EXPECT_EQ(saved.Item(1)->Fore(), 0x80); // the working styles
    EXPECT_EQ(things->FileName(), own);
    EXPECT_EQ(things->Comment(), QStringLiteral("mine"));
    EXPECT_FALSE(things->Modify());

    // A new name is made without a question and listed.
    lib.choLibrary->setCurrentText(QStringLiteral("New"));
    lib.cmdLibSave_Click();
    EXPECT_TRUE(Library::FileExists(dir.file(QStringLiteral("__New.THG"))));
    EXPECT_EQ(Listed(), (QStringList{"New", "Pac", "Deep"}));
    EXPECT_EQ(Messages().size(), 3);
}

// A library with a number too large for its field is a failed load, as a
// missing one is: opening and saving end without a change and the dialog's
// guard (the fatal stop) is never reached.
TEST_F(LibraryTest, DamagedLibraryEndsOpenAndSaveWithoutAChange) {
    QStringList stopped;
    lib.Guard = [&](const char* proc, const std::function<void()>& f) {
        try {
            f();
        } catch (...) {
            stopped << QString::fromLatin1(proc);
        }
    };
    const QByteArray bad = Cp932Encode(QStringLiteral(
        "[THING]\r\nNUMBER=1\r\nFIGURE=POLYGON\r\nNAME=\"陸地\"\r\nFORE=&H100000000&\r\n\r\n"));
    const QString path = dir.write(QStringLiteral("__Bad.THG"), bad);
    const QString damage = path + "\r\n5行目の数値が範囲を超えています.\r\nFORE=&H100000000&";
    auto things = work.Things();
    things->SetModify(false);
    lib.choLibrary->setCurrentText(QStringLiteral("Bad"));

    lib.cmdLibOpen->click();
    EXPECT_EQ(Messages(), QStringList{damage});
    EXPECT_EQ(Fore(2, 1, 1), 0x80);
    EXPECT_EQ(rebuilt, 0);

    ui.ui.messages.clear();
    lib.cmdLibSave->click(); // Yes to the question
    EXPECT_EQ(Messages(), (QStringList{"上書きしてもよいですか？", damage}));
    EXPECT_EQ(dir.read(QStringLiteral("__Bad.THG")), bad);
    EXPECT_FALSE(things->Modify());
    EXPECT_EQ(stopped, QStringList{});
}

} // namespace
