#pragma once
// Two loaded map units (the base and "WORLD") whose thing lists are built
// from record text, so every thing has its saved pages; the dialog's grid,
// working copies and switches over them.
#include "support/MapUnitTestEnv.h"
#include "document/clsThings.h"
#include "platform/FlexGrid.h"
#include "legend/SymbolSwitches.h"
#include "legend/SymbolWork.h"
#include "legend/ThingGrid.h"
#include "support/GuiApp.h"

// One value of a thing on each of its eight pages.
template <class T>
std::vector<T> EachPage(const std::shared_ptr<clsThing>& t, T (clsThing::*get)() const)
{
    std::vector<T> v;
    for (int16_t p = 1; p <= 8; ++p) {
        t->SetPage(p);
        v.push_back(((*t).*get)());
    }
    return v;
}

struct GuiFirst {
    GuiFirst() { EnsureGuiApp(); }
};

struct SymbolTest : MapUnitTest {
    clsMapUnits units;

    // One thing record: figure word, per-page values as the file holds them.
    static std::shared_ptr<clsThing> Thing(int code, const char* figure, const QString& name, int category,
                                           const QString& show = QStringLiteral("-1"),
                                           const QString& small = QStringLiteral("1000000000"),
                                           const QString& back = QStringLiteral("&HFFFFFFFF&"))
    {
        const QStringList lines{QStringLiteral("NUMBER=%1").arg(code), QStringLiteral("FIGURE=") + QLatin1String(figure),
                                QStringLiteral("NAME=\"") + name + QLatin1Char('"'), QStringLiteral("CATEGORY=%1").arg(category),
                                QStringLiteral("SHOW=") + show, QStringLiteral("SMALL=") + small,
                                QStringLiteral("LARGE=100000"), QStringLiteral("FORE=&H00000080&"),
                                QStringLiteral("BACK=") + back, QStringLiteral("STYLE=0"), QString()};
        auto t = std::make_shared<clsThing>();
        qsizetype pos = 0;
        t->ReadThing(lines, pos);
        return t;
    }

    // 枠組 (every thing used): 陸地, 注記 (annotation) heading 国境 and 都市,
    // 注記2 heading 地名; an unnamed category 2; 水系 with an unused thing.
    static std::shared_ptr<clsThings> Legend()
    {
        auto l = std::make_shared<clsThings>();
        l->SetCategoryName(1, QStringLiteral("枠組"));
        l->SetCategoryName(3, QStringLiteral("水系"));
        l->Add(Thing(1, "POLYGON", QStringLiteral("陸地"), 1));
        l->Add(Thing(2, "REM", QStringLiteral("注記"), 1));
        l->Add(Thing(3, "POLYLINE", QStringLiteral("国境"), 1, QStringLiteral("-1,1,-1,-1,-1,-1,-1,-1")));
        l->Add(Thing(4, "SYMBOL", QStringLiteral("都市"), 1));
        l->Add(Thing(5, "REM", QStringLiteral("注記2"), 1));
        l->Add(Thing(6, "TEXT", QStringLiteral("地名"), 1));
        l->Add(Thing(7, "SYMBOL", QStringLiteral("無名"), 2));
        l->Add(Thing(8, "POLYLINE", QStringLiteral("河川"), 3));
        l->SetModify(false);
        return l;
    }

    void SetUp() override
    {
        MapUnitTest::SetUp();
        EnsureGuiApp();
        CreateBase(units);
        units.Add(OpenUnit(QStringLiteral("WORLD"), 330000, 2));
        for (const auto& u : units) {
            u->gThings = Legend();
            u->gThings->SetFileName(u->UnitName());
            u->gThings->SetModify(false);
        }
    }

    std::shared_ptr<clsThings> Own(int k) const { return units.Item(k)->gThings; }
};

// The thing grid over the working copies of the units (unit 2 chosen).
struct GridTest : GuiFirst, SymbolTest {
    FlexGrid flex;
    SymbolWork work;
    SymbolSwitches sw;
    ThingGrid grid{flex, work, sw};

    void SetUp() override
    {
        SymbolTest::SetUp();
        flex.resize(600, 400);
        grid.Layout(600 * FlexGrid::TwipsX());
        work.Load(units);
        grid.SetGridData();
    }
    QStringList Column(int col) const
    {
        QStringList l;
        for (int r = 1; r < flex.Rows(); ++r)
            l << flex.TextMatrix(r, col);
        return l;
    }
    std::shared_ptr<clsThing> Work(int k, int code) const { return work.WorkThings(k)->Item(code); }
};
