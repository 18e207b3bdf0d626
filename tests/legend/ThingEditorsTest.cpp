// Editing one thing from its grid row: what the editors are given, what an
// accepted result writes (one page or all eight, each page keeping its own
// range), that cancel and non-thing rows change nothing, and where the
// editors open first.
#include "EditorTestEnv.h"
#include "SymbolTestEnv.h"
#include "legend/ThingEditors.h"
#include "platform/MouseWheel.h"
#include "support/WhenModal.h"

#include <QPushButton>

namespace {

// Rows: 1 枠組, 2 陸地 (polygon), 3 注記, 4 国境 (polyline), 5 都市 (symbol),
// 6 注記2, 7 地名 (text).
struct EditFromGrid : GridTest {
    QWidget owner;
    ThingEditors editors{owner, flex, grid, work, sw};
    clsMapGraph graph;
    clsMapGraph* oldGraph = nullptr;
    int shown = 0;
    std::function<bool(DialogFrame&)> answer;

    void SetUp() override
    {
        GridTest::SetUp();
        oldGraph = RenderGlobals::SetMapGraph(&graph);
        editors.Show = [this](DialogFrame& d) {
            ++shown;
            return answer(d);
        };
    }
    void TearDown() override { RenderGlobals::SetMapGraph(oldGraph); }
    std::shared_ptr<clsThing> Page(int k, int code, int16_t p)
    {
        auto t = Work(k, code);
        t->SetPage(p);
        return t;
    }
};

TEST_F(EditFromGrid, RangeOnShownPageOnlyOrAllPages) {
    sw.mPageSync = false;
    sw.mThingPage = 2;
    QStringList given;
    answer = [&given](DialogFrame& d) {
        auto& r = static_cast<frmRange&>(d);
        given << r.mName << QString::number(r.mSmall) << QString::number(r.mLarge);
        r.mSmall = 1e7;
        r.mLarge = 1e6;
        return true;
    };
    editors.GridRange(4);
    EXPECT_EQ(given, (QStringList{"国境", "1e+09", "100000"}));
    EXPECT_EQ(Page(2, 3, 2)->ScaleS(), 1e7);
    EXPECT_EQ(Page(2, 3, 2)->ShowMode(), -1); // was 1 (表示) on page 2
    EXPECT_EQ(Page(2, 3, 1)->ScaleS(), 1e9);
    EXPECT_EQ(flex.TextMatrix(4, 3), QStringLiteral("依存"));
    EXPECT_EQ(flex.TextMatrix(4, 4), QStringLiteral("1000万～100万"));
    EXPECT_EQ(Page(1, 3, 2)->ScaleL(), 1e6); // the base unit, by name

    sw.mPageSync = true;
    sw.mUnitSync = false;
    editors.GridRange(5);
    EXPECT_EQ(EachPage(Work(2, 4), &clsThing::ScaleS), std::vector<double>(8, 1e7));
    EXPECT_EQ(EachPage(Work(2, 4), &clsThing::ScaleL), std::vector<double>(8, 1e6));
    EXPECT_EQ(Page(1, 4, 1)->ScaleS(), 1e9);
}

TEST_F(EditFromGrid, StyleToAllPagesKeepsEachPageRange) {
    Page(2, 1, 3)->SetScaleS(3e7); // page 3 of 陸地 has its own range
    answer = [](DialogFrame& d) {
        auto& e = static_cast<frmExpPolygon&>(d);
        EXPECT_EQ(e.mFore, 0x80);
        EXPECT_EQ(e.mBack, -1);
        e.mFore = 0x00FF00;
        e.mBack = 0x0000FF;
        e.mStyle = 105;
        return true;
    };
    editors.GridAttribute(2);
    const auto land = Work(2, 1);
    EXPECT_EQ(EachPage(land, &clsThing::Fore), std::vector<int32_t>(8, 0x00FF00));
    EXPECT_EQ(EachPage(land, &clsThing::Back), std::vector<int32_t>(8, 0x0000FF));
    EXPECT_EQ(EachPage(land, &clsThing::Style), std::vector<int16_t>(8, 105));
    EXPECT_EQ(EachPage(land, &clsThing::ScaleS), (std::vector<double>{1e9, 1e9, 3e7, 1e9, 1e9, 1e9, 1e9, 1e9}));
    EXPECT_EQ(Page(1, 1, 5)->Style(), 105);
}

TEST_F(EditFromGrid, StyleWithoutPageSyncAndTextFields) {
    sw.mPageSync = false;
    const QString otherFace = Page(2, 6, 2)->Japanese();
    answer = [](DialogFrame& d) {
        auto& e = static_cast<frmExpText&>(d);
        e.mInside = 0x111111;
        e.mEdge = -1;
        e.mHeight = 24;
        e.mStyle = 2;
        e.mEuropian = QStringLiteral("Face E");
        e.mJapanese = QStringLiteral("Face J");
        return true;
    };
    editors.GridAttribute(7);
    auto t = Page(2, 6, 1);
    EXPECT_EQ(t->Fore(), 0x111111);
    EXPECT_EQ(t->Size(), 24);
    EXPECT_EQ(t->Style(), 2);
    EXPECT_EQ(t->Europian(), QStringLiteral("Face E"));
    EXPECT_EQ(t->Japanese(), QStringLiteral("Face J"));
    EXPECT_EQ(Page(2, 6, 2)->Size(), 0); // other pages untouched
    EXPECT_EQ(Page(2, 6, 2)->Japanese(), otherFace);
}

TEST_F(EditFromGrid, CancelAndNonThingRowsChangeNothing) {
    const auto before = Work(2, 4)->Copy();
    MouseWheel::HookWheel(&flex);
    editors.Grids = [this] { return QList<QAbstractScrollArea*>{&flex}; };
    answer = [this](DialogFrame& d) {
        EXPECT_FALSE(MouseWheel::Hooked().contains(&flex)); // off while the editor is open
        auto& e = static_cast<frmExpSymbol&>(d);
        e.mInside = 0x123456;
        e.mSymbol = 9;
        return false;
    };
    editors.GridAttribute(5);
    EXPECT_EQ(shown, 1);
    EXPECT_TRUE(MouseWheel::UnhookWheel(&flex));
    for (int16_t p = 1; p <= 8; ++p)
        EXPECT_EQ(Work(2, 4)->PageRecord(p), before->PageRecord(p)) << p;
    EXPECT_FALSE(Work(2, 4)->Modify());

    for (int row : {0, 1, 3, 6, 99}) { // header, category, annotations, outside
        editors.GridRange(row);
        editors.GridAttribute(row);
    }
    EXPECT_EQ(shown, 1);
}

TEST_F(EditFromGrid, FirstOpeningsBesideTheDialogThenWhereLeft) {
    owner.move(100, 60);
    answer = [](DialogFrame&) { return false; };
    editors.GridRange(2);
    editors.GridAttribute(4);
    EXPECT_EQ(editors.Range().mLeft, 100 * 15 + 1200);
    EXPECT_EQ(editors.Range().mTop, 60 * 15 - 300);
    EXPECT_EQ(editors.Polyline().mLeft, 100 * 15 + 1800);
    EXPECT_EQ(editors.Polyline().mTop, 60 * 15 + 300);
    editors.Range().mLeft = 4000;
    editors.GridRange(2);
    EXPECT_EQ(editors.Range().mLeft, 4000);
}

TEST_F(EditFromGrid, OneEditorPerKindOpensOnTheRowsThing) {
    EXPECT_EQ(editors.Editor(1), nullptr);
    const struct {
        int row;
        int16_t figure;
        StyleEditor* typed;
        const char* name;
    } rows[] = {{4, 2, &editors.Polyline(), "国境"},
                {2, 3, &editors.Polygon(), "陸地"},
                {5, 4, &editors.Symbol(), "都市"},
                {7, 5, &editors.Text(), "地名"}};
    for (const auto& r : rows) {
        DialogFrame* opened = nullptr;
        answer = [&opened](DialogFrame& d) {
            opened = &d;
            return false;
        };
        editors.GridAttribute(r.row);
        EXPECT_EQ(opened, r.typed) << r.name;
        EXPECT_EQ(editors.Editor(r.figure), r.typed) << r.name;
        EXPECT_EQ(r.typed->mName, QString::fromUtf8(r.name));
    }
}

TEST_F(EditFromGrid, ShownModallyAndAcceptedWithOk) {
    editors.Show = [](DialogFrame& d) { return d.ShowModal(); };
    WhenModal([](QWidget* w) {
        auto* e = static_cast<frmExpPolyline*>(w);
        e->picStyles_MouseUp(1, 5, 35); // first line pattern
        e->cmdOK->click();
    });
    editors.GridAttribute(4);
    EXPECT_EQ(Page(2, 3, 8)->Style(), 102);
    EXPECT_EQ(Page(2, 3, 8)->Back(), -1);
}

} // namespace
