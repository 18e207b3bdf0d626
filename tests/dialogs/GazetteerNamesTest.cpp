// Place names with letters the code page lacks, and names that begin with
// "# ", built into a gazetteer by the jump dialog, read back and searched
// for from either source.
#include "dialogs/GazetteerFile.h"
#include "dialogs/PlaceList.h"
#include "dialogs/frmJump05.h"

#include "document/clsAdmin.h"
#include "document/clsMapText.h"
#include "document/clsMapUnits.h"
#include "document/clsThing.h"
#include "platform/FlexGrid.h"
#include "support/DocumentTestEnv.h"
#include "support/GuiApp.h"
#include "support/WhenModal.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

// European texts of a map are Latin-1.
const QStringList kNames{"Côte d'Ivoire", "# Hash", "Türkiye", "Øresund", "Straße"};

// Area 1 "Ærø" and thing 1 "Town" with one European text per name.
bool FakeLoad(clsMapUnit& u) {
    auto area = std::make_shared<clsAdmin>();
    area->SetAdminCode(1);
    area->SetEuropianName("Ærø");
    u.gAdmins->Add(area);
    auto thing = std::make_shared<clsThing>();
    thing->SetIndex(1);
    thing->SetName("Town");
    u.gThings->Add(thing);
    int x = 0;
    for (const QString& name : kNames) {
        auto t = std::make_shared<clsMapText>();
        t->SetTextUnicode(1, name);
        t->SetAdmin(1);
        t->SetThing(1);
        t->Setmx(x += 1000);
        u.gFigures->Add(t);
    }
    return true;
}

struct GazetteerNamesTest : DocumentTest {
    clsMapUnit::LoadPresenter saved;
    void SetUp() override {
        DocumentTest::SetUp();
        EnsureGuiApp();
        PublicVal::gvLanguage = 1;
        dir.write("W.MLL", "x");
        saved = clsMapUnit::SetLoadPresenter(FakeLoad);
    }
    void TearDown() override {
        clsMapUnit::SetLoadPresenter(saved);
        DocumentTest::TearDown();
    }
};

QString Names(const PlaceList& list) {
    QStringList n;
    for (int32_t r = 1; r <= list.Count(); ++r) n << list.Text(r, PlaceList::ColName);
    return n.join('|');
}

} // namespace

TEST_F(GazetteerNamesTest, KeysFoldAlikeFromUnitsFileAndKeyword) {
    const struct {
        const char* name;
        int32_t lang;
        QString in, key;
    } cases[] = {
        {"marks dropped", 1, "Côte d'Ivoire", "COTED'IVOIRE"},
        {"umlaut", 1, "türkiye", "TURKIYE"},
        {"table letters", 1, "Łódź Straße ærø œ đ", "LODZSTRASSEAEROOED"},
        {"no closer letters", 1, "한국", "한국"},
        {"widened after folding", 2, "Côte", "ＣＯＴＥ"},
        {"kana keep their marks", 2, "ガイド", "ガイド"},
    };
    for (const auto& t : cases) {
        SCOPED_TRACE(t.name);
        EXPECT_EQ(PlaceList::PlaceKey(t.in, t.lang), t.key);
        EXPECT_EQ(PlaceList::KeywordKey(t.in, t.lang), t.key); // the keyword box alike
    }
    EXPECT_EQ(PlaceList::PlaceKey("Sõr (Bø)", 1), "SOR,BO");
    // Keys read from a file fold as well: a hand-made file's lower case.
    PlaceList list;
    int32_t sort = 1;
    ASSERT_TRUE(GazetteerFile::ParseLines(
        {"# Gazetteer File", "# number = 2", "# sort = 1", "Cote\tW.MLL\ta\tb\t1\t2\t3000\t1000\tcote",
         "Ｃｏ\tW.MLL\ta\tb\t1\t2\t3000\t1000\tＣｏ"},
        list, sort));
    EXPECT_EQ(list.Text(1, PlaceList::ColKey), "COTE");
    EXPECT_EQ(list.Text(2, PlaceList::ColKey), "ＣＯ");
    EXPECT_EQ(list.Search("côte", 0, 1), 1);
}

// Written, the names take the closest letters the code page has ("?" only
// where there are none) and a name beginning with "# " stays a place.
TEST_F(GazetteerNamesTest, WriteThenReadKeepsEveryPlace) {
    PlaceList list;
    for (const char* name : {"Côte d'Ivoire", "# Hash", "Türkiye", "Łódź", "Straße", "한국"})
        list.Append({name, "W.MLL", "Ærø", "Town", "1", "2", "3000", "1000", PlaceList::PlaceKey(name, 1)});
    const QString path = dir.file("GAZET.TXT");
    ASSERT_TRUE(GazetteerFile::Write(path, list, 1, 1));
    const QByteArray file = dir.read("GAZET.TXT");
    const QByteArray rows = file.mid(file.indexOf("Cote"));
    EXPECT_EQ(rows, "Cote d'Ivoire\tW.MLL\tAEro\tTown\t1\t2\t3000\t1000\tCOTED'IVOIRE\r\n"
                    "# Hash\tW.MLL\tAEro\tTown\t1\t2\t3000\t1000\t#HASH\r\n"
                    "Turkiye\tW.MLL\tAEro\tTown\t1\t2\t3000\t1000\tTURKIYE\r\n"
                    "Lodz\tW.MLL\tAEro\tTown\t1\t2\t3000\t1000\tLODZ\r\n"
                    "Strasse\tW.MLL\tAEro\tTown\t1\t2\t3000\t1000\tSTRASSE\r\n"
                    "??\tW.MLL\tAEro\tTown\t1\t2\t3000\t1000\t??\r\n");
    PlaceList back;
    int32_t sort = 0;
    ASSERT_TRUE(GazetteerFile::Read(path, back, sort));
    EXPECT_EQ(Names(back), "Cote d'Ivoire|# Hash|Turkiye|Lodz|Strasse|??");
    // A comment with its nine fields' worth of TABs but no numbers is no place.
    EXPECT_TRUE(GazetteerFile::ParseLines({"# Gazetteer File", "# number = 5", "# sort = 1", "# a\tb\tc\td\te\tf\tg\th\ti"},
                                          back, sort));
    EXPECT_EQ(back.Count(), 6);
}

// The jump dialog builds the gazetteer from the maps, reads it back and
// finds a place by a keyword with marks, from the file and from the units.
TEST_F(GazetteerNamesTest, JumpDialogFindsAPlaceByItsClosestLetters) {
    clsMapUnits units;
    frmJump05 dlg;
    dlg.mMapUnits = &units;
    const auto find = [&](const QString& keyword) {
        dlg.choKeyword->setEditText(keyword);
        SendKey(dlg.choKeyword->lineEdit(), Qt::Key_Return);
        return dlg.Places().Text(dlg.flgPlaces->Row(), PlaceList::ColName);
    };
    WhenModal([&](QWidget*) {
        dlg.cmdGazetteer->click();
        EXPECT_EQ(dlg.Source(), 1);
        EXPECT_EQ(dlg.Places().Count(), 5);
        EXPECT_EQ(find("côte"), "Cote d'Ivoire");
        EXPECT_EQ(find("# hash"), "# Hash");
        EXPECT_EQ(find("ØRE"), "Oresund");
        units.Add(std::make_shared<clsMapUnit>());
        units.Item(units.Count())->SetUnitName(dir.file("W.MLL"));
        ASSERT_TRUE(units.Item(units.Count())->Load());
        dlg.optSource[0]->click();
        EXPECT_EQ(dlg.Source(), 0);
        EXPECT_EQ(find("cote"), "Côte d'Ivoire");
        EXPECT_EQ(find("STRASSE"), "Straße");
        dlg.cmdCancel->click();
    });
    EXPECT_FALSE(dlg.ShowModal());
}
