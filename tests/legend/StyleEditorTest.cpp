// The four style editors: what loading makes of the caller's values, the
// grids' cells, the enable boxes and colour buttons, and what OK returns.
#include "EditorTestEnv.h"
#include "platform/FontCatalog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QLineEdit>
#include <QTest>
#include "support/WhenModal.h"

namespace {

constexpr int32_t kRed = 0x0000FF;

struct StyleEditors : EditorTest {};

TEST_F(StyleEditors, PolygonNoBackgroundThroughLoadAndOk) {
    Opened<frmExpPolygon> d;
    d.mName = QStringLiteral("陸地");
    d.mBack = -1;
    d.mStyle = 8;
    d.Load();
    EXPECT_EQ(d.windowTitle(), QStringLiteral("多辺形事象図式 - 陸地"));
    EXPECT_FALSE(d.chkBack->isChecked());
    EXPECT_EQ(d.mBack, 0xFFFFFF);
    EXPECT_EQ(Count(*d.picPatterns, kRed), 0); // style 8 is no cell of the grid
    EXPECT_GT(Count(*d.picPatterns, 0xE8D8FF), 0);

    d.picPatterns_MouseUp(1, 5, 5); // the empty top-left cell
    EXPECT_EQ(d.mStyle, 8);
    d.picPatterns_MouseMove(5, 5);
    EXPECT_EQ(d.picPatterns->toolTip(), QString());
    d.picPatterns_MouseMove(31 * 7 + 5, 5);
    EXPECT_EQ(d.picPatterns->toolTip(), QStringLiteral("標準単色"));
    d.picPatterns_MouseUp(1, 31 * 7 + 5, 5);
    EXPECT_EQ(d.mStyle, 6);
    EXPECT_GT(Count(*d.picPatterns, kRed), 0);

    d.cmdOK_Click();
    EXPECT_TRUE(d.mResult);
    EXPECT_EQ(d.mBack, -1);
}

TEST_F(StyleEditors, ColourButtonsTickTheBoxAndKeepOnCancel) {
    Opened<frmExpPolygon> d;
    d.mFore = 0x010203;
    d.mBack = -1;
    d.Load();
    host.paletteAnswers = {-2, 0x123456};
    d.cmdFore_Click(); // cancelled: kept
    EXPECT_EQ(d.mFore, 0x010203);
    d.cmdBack_Click();
    EXPECT_TRUE(d.chkBack->isChecked());
    EXPECT_EQ(host.paletteRequests, (QList<int32_t>{0x010203, 0xFFFFFF}));
    d.chkBack->click(); // off and on again: the colour stays
    d.chkBack->click();
    d.cmdOK_Click();
    EXPECT_EQ(d.mBack, 0x123456);
}

TEST_F(StyleEditors, PolylineWidthBoxFollowsTheStyle) {
    Opened<frmExpPolyline> d;
    d.mStyle = 110;
    d.mWidth = 20;
    d.mBack = 0x00FF00;
    d.Load();
    EXPECT_FALSE(d.choWidth->isEnabled());
    EXPECT_EQ(d.choWidth->currentText(), QStringLiteral("15"));
    EXPECT_TRUE(d.chkBack->isChecked());
    d.picStyles_MouseUp(1, 2 * 71 + 5, 20); // cell 6: empty
    EXPECT_EQ(d.mStyle, 110);
    d.picStyles_MouseUp(1, 71 + 5, 5); // dashed
    EXPECT_EQ(d.mStyle, 1);
    EXPECT_TRUE(d.choWidth->isEnabled());
    EXPECT_EQ(d.mWidth, 15);
    d.picStyles_MouseUp(1, 5, 35); // first line pattern
    EXPECT_EQ(d.mStyle, 102);
    EXPECT_FALSE(d.choWidth->isEnabled());
    d.picStyles_MouseMove(71 + 5, 5);
    EXPECT_EQ(d.picStyles->toolTip(), QStringLiteral("標準破線"));
    d.chkBack->click();
    d.cmdOK_Click();
    EXPECT_EQ(d.mBack, -1);
    EXPECT_EQ(d.mWidth, 15);

    // A line pattern keeps its stored width through OK.
    d.mStyle = 120;
    d.mWidth = 0;
    d.Load();
    EXPECT_EQ(d.choWidth->currentText(), QStringLiteral("1"));
    d.cmdOK_Click();
    EXPECT_EQ(d.mWidth, 0);
}

TEST_F(StyleEditors, SymbolEdgeAndStripBelow) {
    Opened<frmExpSymbol> d;
    d.mSymbol = 3;
    d.mEdge = 0x00FFFF;
    d.Load();
    EXPECT_TRUE(d.chkEdge->isChecked());
    EXPECT_GT(Count(*d.picSymbols, kRed), 0);
    d.picSymbols_MouseUp(1, 5, 180); // below the sixth row
    EXPECT_EQ(d.mSymbol, 3);
    d.picSymbols_MouseMove(5, 180);
    EXPECT_EQ(d.picSymbols->toolTip(), QString());
    d.picSymbols_MouseUp(1, 7 * 31 + 3, 5 * 30 + 3);
    EXPECT_EQ(d.mSymbol, 47);
    d.chkEdge->click();
    d.cmdOK_Click();
    EXPECT_EQ(d.mEdge, -1);
    EXPECT_EQ(d.mSymbol, 47);
}

TEST_F(StyleEditors, TextFacesFlagsAndEdge) {
    Opened<frmExpText> d;
    d.mEuropian = QStringLiteral("(default)");
    d.mJapanese = QStringLiteral("No Such Face 42");
    d.mHeight = 12;
    d.mStyle = 16 | 1;
    d.Load();
    EXPECT_EQ(d.choLanguage[0]->currentIndex(), 0);
    EXPECT_GT(d.choLanguage[1]->currentIndex(), 0); // the face drawn in its place
    EXPECT_TRUE(d.chkStyle[0]->isChecked());
    EXPECT_TRUE(d.chkStyle[3]->isChecked());
    EXPECT_EQ(d.mHeight, 12);
    d.chkStyle[1]->click();
    d.chkStyle[1]->click(); // twice: as it was
    EXPECT_EQ(d.mStyle, 17);
    d.chkEdge->click(); // off: the box option goes off, its flag stays
    EXPECT_FALSE(d.chkStyle[3]->isEnabled());
    d.cmdOK_Click();
    EXPECT_EQ(d.mEdge, -1);
    EXPECT_EQ(d.mStyle, 17);
    EXPECT_EQ(d.mJapanese, QStringLiteral("No Such Face 42"));
    EXPECT_EQ(d.mEuropian, QStringLiteral("(default)"));
}

// A size typed into the height box is taken as typed, not completed from the
// list ("4" became "40"); one outside 5..100 is left without a message and
// the box shows the height in use again.
TEST_F(StyleEditors, TextHeightIsTakenAsTyped) {
    for (auto [typed, height] : {std::pair{"4", 12}, {"7", 7}, {"1", 12}, {"40", 40}, {"101", 12}}) {
        Opened<frmExpText> d;
        d.mHeight = 12;
        d.Load();
        d.show();
        WaitUntilActive(&d);
        d.choHeight->setFocus();
        d.choHeight->lineEdit()->selectAll();
        QTest::keyClicks(d.choHeight, QString::fromLatin1(typed));
        EXPECT_EQ(d.choHeight->currentText(), QString::fromLatin1(typed));
        QTest::keyClick(d.choHeight, Qt::Key_Return);
        EXPECT_EQ(d.mHeight, height) << typed;
        EXPECT_EQ(d.choHeight->currentText(), QString::number(height)) << typed;
        EXPECT_EQ(d.choHeight->count(), 96) << typed; // the face's sizes, no typed one
    }
}

// A stored face that is not installed shows the face drawn in its place and
// is kept; a face installed under another name shows as the list names it.
TEST_F(StyleEditors, TextFaceNotInstalledShowsItsStandIn) {
    Opened<frmExpText> d;
    d.mEuropian = QStringLiteral("Arial");
    d.mJapanese = QStringLiteral("ＭＳ Ｐゴシック");
    d.Load();
    EXPECT_TRUE(d.choLanguage[0]->currentText().endsWith(QStringLiteral(" Liberation Sans")));
    EXPECT_TRUE(FontCatalog::SameFamily(d.choLanguage[1]->currentText().mid(5), QStringLiteral("IPAPGothic")))
        << d.choLanguage[1]->currentText().toStdString();
    d.cmdOK_Click();
    EXPECT_EQ(d.mEuropian, QStringLiteral("Arial"));
    EXPECT_EQ(d.mJapanese, QStringLiteral("ＭＳ Ｐゴシック"));

    d.mJapanese = QStringLiteral("IPAPGothic");
    d.mEuropian = QStringLiteral("IPA Pゴシック");
    d.Load();
    for (const QComboBox* box : d.choLanguage)
        EXPECT_TRUE(FontCatalog::SameFamily(box->currentText().mid(5), QStringLiteral("IPAPGothic")));
    EXPECT_EQ(d.mJapanese, QStringLiteral("IPAPGothic"));
    EXPECT_EQ(d.mEuropian, QStringLiteral("IPA Pゴシック"));

    // Nothing stands for these: the first installed face draws them, Qt's
    // stand-in the Japanese letters that face lacks.
    d.mEuropian = QStringLiteral("NoSuchFace Pro");
    d.mJapanese = QStringLiteral("存在しない書体");
    d.Load();
    EXPECT_EQ(d.choLanguage[0]->currentText().mid(5), FontCatalog::StripFoundry(QFontDatabase::families().value(0)));
    EXPECT_TRUE(FontCatalog::SameFamily(d.choLanguage[1]->currentText().mid(5), QStringLiteral("IPAGothic")));
    d.cmdOK_Click();
    EXPECT_EQ(d.mEuropian, QStringLiteral("NoSuchFace Pro"));
    EXPECT_EQ(d.mJapanese, QStringLiteral("存在しない書体"));
}

} // namespace
