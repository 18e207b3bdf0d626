#pragma once
// The range and style editors of one thing, opened from its row in the
// thing grid: they are filled from the page the grid shows, placed beside
// the map-symbol dialog on their first opening, shown modally, and an
// accepted result goes into the working thing (all eight pages with page
// sync), its row and the other map units. Each editor is one object for
// the whole run, so it reopens where the user left it.
#include <QList>
#include <cstdint>
#include <functional>
#include <memory>

class DialogFrame;
class FlexGrid;
class QAbstractScrollArea;
class QWidget;
class SymbolWork;
class ThingGrid;
class frmExpPolygon;
class frmExpPolyline;
class frmExpSymbol;
class frmExpText;
class frmRange;
struct SymbolSwitches;

class ThingEditors {
public:
    ThingEditors(QWidget& owner, FlexGrid& grid, ThingGrid& rows, SymbolWork& work, SymbolSwitches& sw);
    ~ThingEditors();

    void GridRange(int32_t row);
    void GridAttribute(int32_t row);

    // The grids whose wheel hook is taken off while an editor is open.
    std::function<QList<QAbstractScrollArea*>()> Grids;
    // Shows an editor modally and returns its result; tests answer in its place.
    std::function<bool(DialogFrame&)> Show;

    frmRange& Range();
    frmExpPolyline& Polyline();
    frmExpPolygon& Polygon();
    frmExpSymbol& Symbol();
    frmExpText& Text();

private:
    bool ShowWithoutWheel(DialogFrame& dlg);

    QWidget& owner_;
    FlexGrid& grid_;
    ThingGrid& rows_;
    SymbolWork& work_;
    SymbolSwitches& sw_;
    std::unique_ptr<frmRange> range_;
    std::unique_ptr<frmExpPolyline> polyline_;
    std::unique_ptr<frmExpPolygon> polygon_;
    std::unique_ptr<frmExpSymbol> symbol_;
    std::unique_ptr<frmExpText> text_;
};
