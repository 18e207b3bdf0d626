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
std::unique_ptr<StyleEditor> Make(QWidget* owner)
{
    return std::make_unique<T>(owner);
}

// The one place that knows which editor styles which figure kind.
struct EditorKind {
    int16_t figure;
    std::unique_ptr<StyleEditor> (*make)(QWidget*);
};
constexpr EditorKind kEditors[] = {
    {2, &Make<frmExpPolyline>},
    {3, &Make<frmExpPolygon>},
    {4, &Make<frmExpSymbol>},
    {5, &Make<frmExpText>},
};

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

std::unique_ptr<StyleEditor> ThingEditors::MakeStyleEditor(int16_t figure, QWidget* owner)
{
    for (const EditorKind& k : kEditors)
        if (k.figure == figure)
            return k.make(owner);
    return nullptr;
}

StyleEditor* ThingEditors::Editor(int16_t figure)
{
    const auto found = styles_.find(figure);
    if (found != styles_.end())
        return found->second.get();
    auto made = MakeStyleEditor(figure, &owner_);
    if (!made)
        return nullptr;
    return styles_.emplace(figure, std::move(made)).first->second.get();
}

frmRange& ThingEditors::Range()
{
    if (!range_)
        range_ = std::make_unique<frmRange>(&owner_);
    return *range_;
}
frmExpPolyline& ThingEditors::Polyline() { return static_cast<frmExpPolyline&>(*Editor(2)); }
frmExpPolygon& ThingEditors::Polygon() { return static_cast<frmExpPolygon&>(*Editor(3)); }
frmExpSymbol& ThingEditors::Symbol() { return static_cast<frmExpSymbol&>(*Editor(4)); }
frmExpText& ThingEditors::Text() { return static_cast<frmExpText&>(*Editor(5)); }

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
        StyleEditor* dlg = Editor(thing->Figure());
        if (!dlg)
            return;
        const int16_t shown = sw_.mThingPage;
        dlg->Load(*thing);
        dlg->PlaceFirst(&owner_, 1800, 300);
        if (!ShowWithoutWheel(*dlg))
            return;
        dlg->Store(*thing);
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
