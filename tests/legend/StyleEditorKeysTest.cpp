// The four style editors by keyboard alone: every control a user can click
// takes the focus, in the order it stands on screen from the first one,
// which has the focus on opening, and the arrows on a grid choose a style
// as a click on its cell does.
#include "EditorTestEnv.h"
#include "support/WhenModal.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace {

constexpr int32_t kRed = 0x0000FF;

QWidget* Focused()
{
    QWidget* w = QApplication::focusWidget();
    if (w && qobject_cast<QComboBox*>(w->parentWidget()))
        return w->parentWidget();
    return w;
}

// Shows `d`, then lists the control that has the focus first and the ones
// the Tab key visits from there, once round.
QList<QWidget*> TabCycle(QWidget& d)
{
    d.show();
    d.activateWindow();
    WaitUntilActive(&d);
    QList<QWidget*> seen{Focused()};
    for (int i = 0; i < 40 && seen.front(); ++i) {
        SendKey(QApplication::focusWidget(), Qt::Key_Tab);
        if (Focused() == seen.front())
            break;
        seen << Focused();
    }
    d.hide();
    return seen;
}

struct StyleEditorKeys : EditorTest {};

TEST_F(StyleEditorKeys, TabVisitsEveryControlInScreenOrder) {
    Opened<frmExpPolygon> polygon;
    EXPECT_EQ(TabCycle(polygon),
              (QList<QWidget*>{polygon.picPatterns, polygon.cmdFore, polygon.cmdBack, polygon.chkBack, polygon.cmdOK,
                               polygon.cmdCancel, polygon.cmdHelp}));
    Opened<frmExpPolyline> polyline;
    EXPECT_EQ(TabCycle(polyline),
              (QList<QWidget*>{polyline.picStyles, polyline.choWidth, polyline.cmdFore, polyline.cmdBack,
                               polyline.chkBack, polyline.cmdOK, polyline.cmdCancel, polyline.cmdHelp}));
    Opened<frmExpSymbol> symbol;
    EXPECT_EQ(TabCycle(symbol),
              (QList<QWidget*>{symbol.picSymbols, symbol.cmdInside, symbol.cmdEdge, symbol.chkEdge, symbol.cmdOK,
                               symbol.cmdCancel, symbol.cmdHelp}));
    Opened<frmExpText> text;
    EXPECT_EQ(TabCycle(text),
              (QList<QWidget*>{text.choLanguage[0], text.choLanguage[1], text.choHeight, text.chkStyle[0],
                               text.chkStyle[1], text.chkStyle[2], text.chkStyle[3], text.cmdInside, text.cmdEdge,
                               text.chkEdge, text.cmdOK, text.cmdCancel, text.cmdHelp}));
    // The grid's label leads to the grid by its access key.
    EXPECT_EQ(polygon.lblPattern->buddy(), polygon.picPatterns);
    // A second opening starts at the first control again.
    polygon.cmdBack->setFocus();
    EXPECT_EQ(TabCycle(polygon).value(0), polygon.picPatterns);
}

TEST_F(StyleEditorKeys, ArrowsChooseAPatternAsAClickDoes) {
    Opened<frmExpPolygon> d;
    d.mStyle = 8; // no cell: the first key takes the first pattern
    d.Load();
    const struct {
        const char* name;
        int key;
        int style;
    } polygon[] = {
        {"right from no cell", Qt::Key_Right, 0},   {"left onto the empty cell", Qt::Key_Left, 0},
        {"right", Qt::Key_Right, 1},                {"down to the tiles", Qt::Key_Down, 102},
        {"up again", Qt::Key_Up, 1},                {"up off the grid", Qt::Key_Up, 1},
        {"end: the last tile", Qt::Key_End, 131},   {"right off the end", Qt::Key_Right, 131},
        {"home: the first pattern", Qt::Key_Home, 0},
    };
    for (const auto& r : polygon) {
        SCOPED_TRACE(r.name);
        SendKey(d.picPatterns, r.key);
        EXPECT_EQ(d.mStyle, r.style);
    }
    EXPECT_GT(Count(*d.picPatterns, kRed), 0); // the grid shows the choice

    Opened<frmExpPolyline> line;
    line.mStyle = 5;
    line.mWidth = 3;
    line.Load();
    SendKey(line.picStyles, Qt::Key_Right); // over the empty cells 6 and 7
    EXPECT_EQ(line.mStyle, 102);
    EXPECT_FALSE(line.choWidth->isEnabled()); // as a click on a pattern
    SendKey(line.picStyles, Qt::Key_Left);
    EXPECT_EQ(line.mStyle, 5);
    EXPECT_TRUE(line.choWidth->isEnabled());
    EXPECT_EQ(line.mWidth, 3);

    Opened<frmExpSymbol> symbol;
    symbol.mSymbol = 3;
    symbol.Load();
    SendKey(symbol.picSymbols, Qt::Key_Down);
    EXPECT_EQ(symbol.mSymbol, 11);
    SendKey(symbol.picSymbols, Qt::Key_Down, Qt::ShiftModifier); // not an arrow of the grid
    EXPECT_EQ(symbol.mSymbol, 11);
}

} // namespace
