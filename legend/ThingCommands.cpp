#include "legend/ThingCommands.h"

#include "core/AppHost.h"
#include "core/DialogGuard.h"
#include "core/Library.h"
#include "core/Scale.h"
#include "document/clsThings.h"
#include "platform/FlexGrid.h"
#include "legend/SymbolSwitches.h"
#include "legend/SymbolWork.h"
#include "legend/ThingGrid.h"

ThingCommands::ThingCommands(FlexGrid& grid, ThingGrid& rows, SymbolWork& work, SymbolSwitches& sw)
    : grid_(grid)
    , rows_(rows)
    , work_(work)
    , sw_(sw)
{
}

bool ThingCommands::PasteEnabled() const { return sw_.mCopyFore != -2; }

double ThingCommands::StepLimit(double limit, int16_t step)
{
    return Scale::StdScale(int16_t(Scale::StdScaleIndex(limit) + step));
}

void ThingCommands::apply(clsThing& t, int16_t code, int16_t step, int32_t colour, bool copyHere)
{
    switch (code) {
    case 0: t.Recovery(t.Page()); break;
    case 1: t.SetShowMode(1); break;
    case 2: t.SetShowMode(0); break;
    case 3: t.SetShowMode(-1); break;
    case 4:
    case 5:
        t.SetScaleS(StepLimit(t.ScaleS(), step)); // a limit off the ladder is refused
        t.SetScaleL(StepLimit(t.ScaleL(), step));
        t.SetShowMode(-1);
        break;
    case 6: t.SetFore(colour); break;
    case 7: t.SetBack(colour); break;
    case 8:
        if (copyHere) {
            sw_.mCopyFore = t.Fore();
            sw_.mCopyBack = t.Back();
        }
        break;
    case 9:
        if (sw_.mCopyFore >= 0)
            t.SetFore(sw_.mCopyFore);
        if (sw_.mCopyBack >= -1)
            t.SetBack(sw_.mCopyBack);
        break;
    default: break;
    }
}

void ThingCommands::cmdThings(int16_t code)
{
    try {
        int32_t first = 0, last = 0;
        const bool all = rows_.GetSelRange(first, last);
        if (last < 1)
            return;
        const int32_t col = grid_.Col(), colSel = grid_.ColSel();
        int16_t step = 0;
        int32_t colour = 0;
        if (code == 4)
            step = -1;
        else if (code == 5)
            step = 1;
        else if (code == 6 || code == 7) {
            colour = Host().InputRealColor(0);
            if (colour < 0)
                return;
        }
        const auto things = work_.Things();
        {
            Library::BusyPointer busy;
            const bool redraw = grid_.Redraw();
            grid_.SetRedraw(false);
            for (int32_t r = first; r <= last; ++r) {
                if (!rows_.IsThingRow(r))
                    continue;
                const auto t = things->Item(rows_.RowThingIndex(r));
                if (!t)
                    continue;
                const int16_t p0 = sw_.mPageSync ? 1 : sw_.mThingPage, p1 = sw_.mPageSync ? 8 : sw_.mThingPage;
                for (int16_t p = p0; p <= p1; ++p) {
                    t->SetPage(p);
                    apply(*t, code, step, colour, r == first && p == sw_.mThingPage);
                }
                t->SetPage(sw_.mThingPage);
                grid_.SetTextMatrix(r, 3, ThingGrid::ShowModeText(*t));
                grid_.SetTextMatrix(r, 4, ThingGrid::RangeText(*t));
                rows_.RecSample(r, *t, false);
                work_.SyncMapThing(*t, sw_.mUnitSync);
            }
            grid_.SetRedraw(redraw);
        }
        grid_.SetSelection(first, col, last, colSel);
        if (code == 0 && all) {
            work_.ClearModifyIfAsLoaded(work_.mUnitIndex);
            if (sw_.mUnitSync) {
                for (int32_t k = 1; k <= work_.mUnitCount; ++k)
                    work_.ClearModifyIfAsLoaded(k);
            }
        }
        if (ExePreview)
            ExePreview();
    } catch (...) {
        DialogGuard::RaiseError(QStringLiteral("frmMapSymbol"), "cmdThings");
    }
}
