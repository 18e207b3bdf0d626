#include "legend/ThingEditors.h"

#include "document/clsThings.h"
#include "platform/FlexGrid.h"
#include "legend/SymbolSwitches.h"
#include "legend/SymbolWork.h"
#include "legend/ThingGrid.h"
#include "legend/frmExpPolygon.h"
#include "legend/frmExpPolyline.h"
#include "legend/frmExpSymbol.h"
#include "legend/frmExpText.h"
#include "legend/frmRange.h"
#include "platform/MouseWheel.h"
#include "core/DialogGuard.h"

namespace {

const QString kObj = QStringLiteral("frmMapSymbol");

template <class T>
T& Lazy(std::unique_ptr<T>& p, QWidget& owner)
{
    if (!p)
        p = std::make_unique<T>(&owner);
    return *p;
}

} // namespace

ThingEditors::ThingEditors(QWidget& owner, FlexGrid& grid, ThingGrid& rows, SymbolWork& work, SymbolSwitches& sw)
    : owner_(owner)
    , grid_(grid)
    , rows_(rows)
    , work_(work)
    , sw_(sw)
{
    Show = [](DialogFrame& d) { return d.ShowModal(); };
}

ThingEditors::~ThingEditors() = default;

frmRange& ThingEditors::Range() { return Lazy(range_, owner_); }
frmExpPolyline& ThingEditors::Polyline() { return Lazy(polyline_, owner_); }
frmExpPolygon& ThingEditors::Polygon() { return Lazy(polygon_, owner_); }
frmExpSymbol& ThingEditors::Symbol() { return Lazy(symbol_, owner_); }
frmExpText& ThingEditors::Text() { return Lazy(text_, owner_); }

bool ThingEditors::ShowWithoutWheel(DialogFrame& dlg)
{
    // The hook comes back on every grid that had it, also after an error.
    struct Rehook {
        QList<QAbstractScrollArea*> views;
        ~Rehook()
        {
            for (QAbstractScrollArea* v : views)
                MouseWheel::HookWheel(v);
        }
    } rehook;
    if (Grids) {
        for (QAbstractScrollArea* v : Grids())
            if (MouseWheel::UnhookWheel(v))
                rehook.views << v;
    }
    return Show(dlg);
}

std::shared_ptr<clsThing> ThingEditors::EditedThing(int32_t row) const
{
    if (!rows_.IsThingRow(row))
        return nullptr;
    const auto thing = work_.Things()->Item(rows_.RowThingIndex(row));
    if (!thing || thing->Figure() == 1)
        return nullptr;
    thing->SetPage(sw_.mThingPage);
    return thing;
}

bool ThingEditors::ShowStyle(StyleEditor& dlg, const QString& name)
{
    dlg.mName = name;
    dlg.PlaceFirst(&owner_, 1800, 300);
    return ShowWithoutWheel(dlg);
}

void ThingEditors::GridRange(int32_t row)
{
    try {
        const auto thing = EditedThing(row);
        if (!thing)
            return;
        const int16_t shown = sw_.mThingPage;
        frmRange& dlg = Range();
        dlg.mName = thing->Name();
        dlg.mSmall = thing->ScaleS();
        dlg.mLarge = thing->ScaleL();
        dlg.PlaceFirst(&owner_, 1200, -300);
        if (!ShowWithoutWheel(dlg))
            return;
        const double small = dlg.mSmall, large = dlg.mLarge;
        for (int16_t p = 1; p <= 8; ++p) {
            if (!sw_.mPageSync && p != shown)
                continue;
            thing->SetPage(p);
            thing->SetScaleS(small);
            thing->SetScaleL(large);
            thing->SetShowMode(-1);
        }
        thing->SetPage(shown);
        work_.SyncMapThing(*thing, sw_.mUnitSync);
        grid_.SetTextMatrix(row, 3, ThingGrid::ShowModeText(*thing));
        grid_.SetTextMatrix(row, 4, ThingGrid::RangeText(*thing));
    } catch (...) {
        DialogGuard::RaiseError(kObj, "GridRange");
    }
}

void ThingEditors::GridAttribute(int32_t row)
{
    try {
        const auto thing = EditedThing(row);
        if (!thing)
            return;
        const int16_t shown = sw_.mThingPage;
        int32_t fore = thing->Fore(), back = thing->Back();
        int16_t style = thing->Style();
        const QString name = thing->Name();
        bool changed = false;
        switch (thing->Figure()) {
        case 2: {
            frmExpPolyline& dlg = Polyline();
            dlg.mFore = fore;
            dlg.mBack = back;
            dlg.mStyle = style;
            dlg.mWidth = thing->Size();
            if ((changed = ShowStyle(dlg, name))) {
                fore = dlg.mFore, back = dlg.mBack, style = dlg.mStyle;
                thing->SetSize(int16_t(dlg.mWidth));
            }
            break;
        }
        case 3: {
            frmExpPolygon& dlg = Polygon();
            dlg.mFore = fore;
            dlg.mBack = back;
            dlg.mStyle = style;
            if ((changed = ShowStyle(dlg, name)))
                fore = dlg.mFore, back = dlg.mBack, style = dlg.mStyle;
            break;
        }
        case 4: {
            frmExpSymbol& dlg = Symbol();
            dlg.mInside = fore;
            dlg.mEdge = back;
            dlg.mSymbol = style;
            if ((changed = ShowStyle(dlg, name)))
                fore = dlg.mInside, back = dlg.mEdge, style = dlg.mSymbol;
            break;
        }
        case 5: {
            frmExpText& dlg = Text();
            dlg.mInside = fore;
            dlg.mEdge = back;
            dlg.mStyle = style;
            dlg.mHeight = thing->Size();
            dlg.mEuropian = thing->Europian();
            dlg.mJapanese = thing->Japanese();
            if ((changed = ShowStyle(dlg, name))) {
                fore = dlg.mInside, back = dlg.mEdge, style = dlg.mStyle;
                thing->SetSize(int16_t(dlg.mHeight));
                thing->SetEuropian(dlg.mEuropian);
                thing->SetJapanese(dlg.mJapanese);
            }
            break;
        }
        default: break;
        }
        if (!changed)
            return;
        thing->SetFore(fore);
        thing->SetBack(back);
        thing->SetStyle(style);
        if (sw_.mPageSync) {
            // Every page takes the shown page but keeps its own range.
            for (int16_t p = 1; p <= 8; ++p) {
                thing->SetPage(p);
                const double s = thing->ScaleS(), l = thing->ScaleL();
                thing->CopyPage(shown, p);
                thing->SetScaleS(s);
                thing->SetScaleL(l);
            }
            thing->SetPage(shown);
        }
        work_.SyncMapThing(*thing, sw_.mUnitSync);
        rows_.RecSample(row, *thing, grid_.TextMatrix(row, 7) == QStringLiteral("on"));
    } catch (...) {
        DialogGuard::RaiseError(kObj, "GridAttribute");
    }
}
