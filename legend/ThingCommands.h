#pragma once
// The commands of the thing page's pop-up menu, applied to every selected
// thing row on the shown page or, with page synchronisation, on all 8:
// 0 restore, 1 show, 2 hide, 3 show by range, 4 range one step up, 5 one
// step down, 6 foreground colour, 7 background colour, 8 colour copy,
// 9 colour paste.
#include <cstdint>
#include <functional>

class FlexGrid;
class SymbolWork;
class ThingGrid;
class clsThing;
struct SymbolSwitches;

class ThingCommands {
public:
    ThingCommands(FlexGrid& grid, ThingGrid& rows, SymbolWork& work, SymbolSwitches& sw);

    void cmdThings(int16_t code);
    // Paste is offered once colours were copied.
    bool PasteEnabled() const;
    // A scale limit moved `step` places along the 53-step ladder; 0 when
    // that leaves the ladder.
    static double StepLimit(double limit, int16_t step);

    std::function<void()> ExePreview;

private:
    void apply(clsThing& thing, int16_t code, int16_t step, int32_t colour, bool copyHere);

    FlexGrid& grid_;
    ThingGrid& rows_;
    SymbolWork& work_;
    SymbolSwitches& sw_;
};
