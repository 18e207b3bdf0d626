#pragma once
// The range and style editors of one thing, opened from its row in the
// thing grid: they are filled from the page the grid shows, placed beside
// the map-symbol dialog on their first opening, shown modally, and an
// accepted result goes into the working thing (all eight pages with page
// sync), its row and the other map units. Each editor is one object for
// the whole run, so it reopens where the user left it.
#include <QList>
#include <QString>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>

class DialogFrame;
class FlexGrid;
class QAbstractScrollArea;
class QWidget;
class StyleEditor;
class SymbolWork;
class ThingGrid;
class clsThing;
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

    // A new style editor for a figure kind (2 polyline, 3 polygon,
    // 4 symbol, 5 text); null for a kind that has none.
    static std::unique_ptr<StyleEditor> MakeStyleEditor(int16_t figure, QWidget* owner);
    // The kind's editor for the whole run, made on its first use.
    StyleEditor* Editor(int16_t figure);

    frmRange& Range();
    frmExpPolyline& Polyline();
    frmExpPolygon& Polygon();
    frmExpSymbol& Symbol();
    frmExpText& Text();

private:
    bool ShowWithoutWheel(DialogFrame& dlg);
    // The thing of a row, set to the shown page; null for a heading row
    // and for things of figure 1, which have no range or style.
    std::shared_ptr<clsThing> EditedThing(int32_t row) const;

    QWidget& owner_;
    FlexGrid& grid_;
    ThingGrid& rows_;
    SymbolWork& work_;
    SymbolSwitches& sw_;
    std::unique_ptr<frmRange> range_;
    std::map<int16_t, std::unique_ptr<StyleEditor>> styles_;
};
