#pragma once
// The HTML legend: the selected rows of the thing grid as a table next to
// the chosen unit's thing file ("name.HTM", in the Japanese code page with
// CR LF), each thing's sample picture as "sample<code>.PNG" in the folder
// "name_image" beside it.
#include <QString>
#include <cstdint>

class FlexGrid;
class SymbolWork;
class ThingGrid;
struct SymbolSwitches;

class HtmlLegend {
public:
    HtmlLegend(FlexGrid& grid, ThingGrid& rows, SymbolWork& work, SymbolSwitches& sw);

    static QString HtmlPath(const QString& thingFile);
    static QString ImageFolder(const QString& htmlPath);
    // "&", "<", ">" and '"' as entities.
    static QString Escape(const QString& text);
    // Characters the code page cannot write as numeric references (&#8364;).
    static QString CharRefs(const QString& text);
    // A link for the src attribute: "%", "#", "?" and the characters the
    // code page cannot write percent-encoded (their UTF-8 bytes), then
    // escaped; the rest as it is.
    static QString SrcText(const QString& text);
    // "r,g,b"; empty for an annotation thing or no colour.
    static QString ColorText(int32_t color, int16_t figure);
    // The application title and its major and minor version.
    static QString Generator();

    // Writes the pictures, then the file, and says where. A file error
    // offers a retry of the failing step (the file is written again from its
    // start); any other answer ends the export silently with the old file
    // in place. Errors that are not file errors pass.
    void Export();

private:
    FlexGrid& grid_;
    ThingGrid& rows_;
    SymbolWork& work_;
    SymbolSwitches& sw_;
};
