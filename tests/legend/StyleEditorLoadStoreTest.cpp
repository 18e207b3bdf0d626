// The editors' one interface: which editor styles which figure kind, and
// that each editor, opened for real on a thing and closed with OK, gives the
// thing back as it was, or with exactly what was changed in its controls.
#include "EditorTestEnv.h"
#include "document/clsThing.h"
#include "legend/ThingEditors.h"
#include "support/WhenModal.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <deque>

namespace {

struct EditorLoadStore : EditorTest {};

TEST_F(EditorLoadStore, EachFigureKindHasItsEditor) {
    const struct {
        int16_t figure;
        const char* editor; // empty: the kind has no style editor
    } rows[] = {
        {-1, ""}, {0, ""}, {1, ""}, // 1 is the annotation
        {2, "frmExpPolyline"}, {3, "frmExpPolygon"}, {4, "frmExpSymbol"}, {5, "frmExpText"}, {6, ""},
    };
    for (const auto& r : rows) {
        const auto e = ThingEditors::MakeStyleEditor(r.figure, nullptr);
        EXPECT_EQ(e ? e->objectName() : QString(), QLatin1String(r.editor)) << r.figure;
    }
}

// A thing whose shown page 3 holds `page`; the other pages hold values of
// their own, which an editor must never touch.
std::shared_ptr<clsThing> ThingOn3(int16_t figure, const ThingPage& page)
{
    auto t = std::make_shared<clsThing>();
    t->SetFigure(figure);
    t->SetName(QStringLiteral("見本"));
    for (int16_t p = 1; p <= 8; ++p) {
        t->SetPage(p);
        t->SetFore(0x010101 * p);
        t->SetBack(p % 2 ? -1 : 0x0F0F0F);
        t->SetStyle(p);
        t->SetSize(p + 4);
        t->SetEuropian(QStringLiteral("E%1").arg(p));
        t->SetJapanese(QStringLiteral("J%1").arg(p));
    }
    t->SetPage(3);
    t->SetFore(page.Fore);
    t->SetBack(page.Back);
    t->SetStyle(page.Style);
    t->SetSize(page.Size);
    t->SetEuropian(page.Europian);
    t->SetJapanese(page.Japanese);
    t->SetModify(false);
    return t;
}

// Every page record, the kept originals included.
std::vector<ThingPage> Pages(const clsThing& t)
{
    std::vector<ThingPage> v;
    for (int p = -8; p <= 8; ++p)
        if (p != 0)
            v.push_back(t.PageRecord(p));
    return v;
}

struct KindRow {
    const char* name;
    int16_t figure;
    ThingPage page;                              // the shown page as loaded
    ThingPage other;                             // another thing's page: every value it carries differs
    std::deque<int32_t> picks;                   // the palette's answers during the change
    std::function<void(StyleEditor&)> change;    // made in the open editor's controls
    std::function<void(ThingPage&)> changed;     // what the change makes of the page
};

std::vector<KindRow> Kinds()
{
    ThingPage line;
    line.Fore = 0x102030, line.Back = -1, line.Style = 3, line.Size = 4;
    ThingPage area;
    area.Fore = 0x000080, area.Back = 0xC0FFC0, area.Style = 105;
    ThingPage symbol;
    symbol.Fore = 0x0000FF, symbol.Back = 0x00FFFF, symbol.Style = 12;
    ThingPage text;
    text.Fore = 0x111111, text.Back = -1, text.Style = 1, text.Size = 12;
    // Not installed: the box shows its stand-in, the name is kept.
    text.Europian = QStringLiteral("(default)"), text.Japanese = QStringLiteral("ＭＳ Ｐゴシック");
    ThingPage line2 = line;
    line2.Fore = 0x445566, line2.Back = 0x00FFFF, line2.Style = 1, line2.Size = 7;
    ThingPage area2 = area;
    area2.Fore = 0x3080FF, area2.Back = -1, area2.Style = 2;
    ThingPage symbol2 = symbol;
    symbol2.Fore = 0x00FF00, symbol2.Back = -1, symbol2.Style = 30;
    ThingPage text2 = text;
    text2.Fore = 0x222222, text2.Back = 0xFF0000, text2.Style = 16, text2.Size = 14;
    text2.Europian = QStringLiteral("No Such Face 43"), text2.Japanese = QStringLiteral("(default)");
    return {
        {"polyline", 2, line, line2, {0x00FF00},
         [](StyleEditor& e) {
             auto& d = static_cast<frmExpPolyline&>(e);
             SendKey(d.picStyles, Qt::Key_Right); // dash-dot-dot
             SendKey(d.choWidth, Qt::Key_Down);
             d.cmdBack->click();
         },
         [](ThingPage& p) { p.Style = 4, p.Size = 5, p.Back = 0x00FF00; }},
        {"polygon", 3, area, area2, {0x123456},
         [](StyleEditor& e) {
             auto& d = static_cast<frmExpPolygon&>(e);
             SendKey(d.picPatterns, Qt::Key_Right); // the next tile
             d.chkBack->click();                    // background off
             d.cmdFore->click();
         },
         [](ThingPage& p) { p.Style = 106, p.Back = -1, p.Fore = 0x123456; }},
        {"symbol", 4, symbol, symbol2, {0x654321},
         [](StyleEditor& e) {
             auto& d = static_cast<frmExpSymbol&>(e);
             SendKey(d.picSymbols, Qt::Key_Down); // one row down: 8 on
             d.cmdInside->click();
         },
         [](ThingPage& p) { p.Style = 20, p.Fore = 0x654321; }},
        {"text", 5, text, text2, {0x00FF00},
         [](StyleEditor& e) {
             auto& d = static_cast<frmExpText&>(e);
             d.chkStyle[1]->click(); // italic
             d.cmdEdge->click();     // takes a colour and turns the edge on
         },
         [](ThingPage& p) { p.Style = 3, p.Back = 0x00FF00; }},
    };
}

// Loads `from`, shows the editor modally, runs `act` in it, presses OK and
// stores the result into `to`.
void EditAndStore(StyleEditor& e, const clsThing& from, clsThing& to, const std::function<void(StyleEditor&)>& act = {})
{
    e.Load(from);
    WhenModal([&e, &act](QWidget*) {
        if (act)
            act(e);
        e.cmdOK->click();
    });
    ASSERT_TRUE(e.ShowModal());
    e.Store(to);
}

TEST_F(EditorLoadStore, OkWithoutAChangeGivesTheThingBack) {
    for (const KindRow& k : Kinds()) {
        SCOPED_TRACE(k.name);
        const auto e = ThingEditors::MakeStyleEditor(k.figure, nullptr);
        const auto t = ThingOn3(k.figure, k.page);
        const auto before = Pages(*t);
        EditAndStore(*e, *t, *t);
        EXPECT_TRUE(e->windowTitle().endsWith(QStringLiteral(" - 見本")));
        EXPECT_EQ(Pages(*t), before);
        EXPECT_EQ(t->Page(), 3);
        // Reopened on another thing, every value the editor carries comes
        // from that thing and goes back out: stored into the first thing,
        // it makes the two alike.
        const auto other = ThingOn3(k.figure, k.other);
        ASSERT_NE(Pages(*other), before);
        EditAndStore(*e, *other, *t);
        EXPECT_EQ(Pages(*t), Pages(*other));
        EXPECT_TRUE(host.paletteRequests.isEmpty());
    }
}

TEST_F(EditorLoadStore, AChangeInTheEditorReachesTheShownPageOnly) {
    for (const KindRow& k : Kinds()) {
        SCOPED_TRACE(k.name);
        const auto e = ThingEditors::MakeStyleEditor(k.figure, nullptr);
        const auto t = ThingOn3(k.figure, k.page);
        auto want = Pages(*t);
        k.changed(want[8 + 3 - 1]); // page 3 in the list -8..-1, 1..8
        host.paletteAnswers = k.picks;
        EditAndStore(*e, *t, *t, k.change);
        EXPECT_EQ(Pages(*t), want);
        EXPECT_TRUE(t->Modify());
    }
}

} // namespace
