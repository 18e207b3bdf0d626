#pragma once
// The thing page's grid: the chosen unit's working things grouped by
// category, one row per thing with its figure kind, show mode, visible
// scale range and a sample drawn on the shown page. Column 6 holds the
// thing code (or the category number), column 7 the sample state "on",
// "off" or "category". Category rows carry "+" (closed) or "-" (open).
#include <QImage>
#include <QString>
#include <cstdint>
#include <functional>

class FlexGrid;
class SymbolWork;
class clsThing;
struct SymbolSwitches;

class ThingGrid {
public:
    ThingGrid(FlexGrid& grid, SymbolWork& work, SymbolSwitches& sw);

    // Header, alignments and widths for a grid `widthTwips` wide.
    void Layout(int32_t widthTwips);
    // Sample size in pixels and the text drawn for text things.
    void SetSample(int32_t width, int32_t height, const QString& text);

    static QString ShowModeText(const clsThing& thing);
    static QString RangeText(const clsThing& thing);
    static QString FigureName(int16_t figure);
    QString ToolTipAt(int32_t row, int32_t col) const;

    bool IsGridRow(int32_t row) const;
    bool IsThingRow(int32_t row) const;
    int32_t RowThingIndex(int32_t row) const;
    bool GetSelRange(int32_t& first, int32_t& last) const;

    // Cuts the grid back to its header: every category closes.
    void Clear();
    void SetGridData();
    void RecSample(int32_t row, clsThing& thing, bool selected);
    QImage DrawSample(clsThing& thing, bool selected) const;
    void GridTree(int32_t row);
    void GridShowmode(int32_t row);

    // Grid events. A click acts on the current cell when the pointer is
    // over a data row; Space (key code 32) acts on it wherever the pointer is.
    void Click();
    void KeyDown(int32_t keyCode);
    void DblClick();
    void SelChange();
    void MouseMove();

    // Set by the dialog: the preview, the range and style editors of a row,
    // and the enabled state of the command button.
    std::function<void()> ExePreview;
    std::function<void(int32_t row)> GridRange;
    std::function<void(int32_t row)> GridAttribute;
    std::function<void(bool)> EnablePopup;

private:
    void actOnCell();
    void appendRow(const QString& tabText, int32_t height);
    void paintCategory(int32_t row);
    void setShowMode(clsThing& thing, int16_t mode);

    FlexGrid& grid_;
    SymbolWork& work_;
    SymbolSwitches& sw_;
    int32_t sampleW_ = 96, sampleH_ = 26;
    QString sampleText_;
    bool inSelChange_ = false;
};
