#pragma once
// The place list of the jump dialog: one row per place name with its map
// file, area, thing, position, visible scale range, search key and the row
// number it was added under. Rows are 1-based as in the grid that shows
// them (row 0 is the grid's header).
#include <QString>
#include <array>
#include <cstdint>
#include <vector>

class clsMapUnit;

class PlaceList {
public:
    enum Column : int {
        ColName = 0,
        ColFile = 1,
        ColArea = 2,
        ColThing = 3,
        ColLon = 4,
        ColLat = 5,
        ColScaleS = 6,
        ColScaleL = 7,
        ColKey = 8,
        ColNumber = 9,
    };
    static constexpr int kColumns = 10;
    using Row = std::array<QString, kColumns>;

    int32_t Count() const { return static_cast<int32_t>(rows_.size()); }
    // Row 1..Count; column 0..9. "" outside.
    QString Text(int32_t row, int col) const;
    // Columns 0..8 without a copy; valid until the list changes.
    QStringView Field(int32_t row, int col) const;
    // Columns 0..8 of a row joined by TABs (row 1..Count).
    const QString& Line(int32_t row) const { return rows_[static_cast<size_t>(row - 1)].text; }
    void Clear() { rows_.clear(); }
    // Column 9 gets the number the row is added under; a TAB, CR or LF in
    // a field becomes a blank.
    void Append(const Row& row);
    // Columns 0..8 as one line, TAB-separated, shared as it is. False, with
    // nothing added, when the line has fewer than 9 fields; fields after the
    // ninth are dropped.
    bool AppendLine(const QString& line);
    void RemoveLast() { rows_.pop_back(); }
    // Replaces one of the columns 0..8 of a row.
    void SetField(int32_t row, int col, const QString& text);

    // The places of a unit's text figures in the given language. A figure
    // whose area or thing is not in the unit's lists is skipped.
    void AddUnitPlaces(const clsMapUnit& unit, int32_t lang);

    // Sort code 1..8: column (code - 1) / 2, odd ascending, even descending.
    static bool IsSortCode(int32_t code) { return code >= 1 && code <= 8; }
    static int SortColumn(int32_t code) { return (code - 1) / 2; }
    // Stable; letter case is not regarded, otherwise UTF-16 units decide.
    // A code outside 1..8 leaves the order alone.
    void Sort(int32_t code);

    // The row a keyword leads to, searching from the row after `current`
    // round to `current` itself: a key of one or two characters must begin
    // column 8, a longer one may lie anywhere in it; a key that matches
    // nothing is shortened from the right. 1 when nothing matched, 0 when
    // the list is empty.
    int32_t Search(const QString& keyword, int32_t current, int32_t lang) const;

    // The search key of a place name.
    static QString PlaceKey(const QString& name, int32_t lang);
    // The key of a typed keyword (no bracket split).
    static QString KeywordKey(const QString& text, int32_t lang);
    // Every key, from the units, the file or the keyword box, folds alike:
    // letters the code page lacks become their closest ones (marks
    // dropped), then ASCII and full-width letters are upper-cased.
    static QString FoldKey(const QString& text);
    // Whether folding would leave the key as it is.
    static bool IsFoldedKey(QStringView key);
    // "A(B)C" -> "AC,BC"; only the first bracket pair counts.
    static QString SplitBracketKey(const QString& text);
    // Drops line breaks, TABs, blanks, hyphens and middle dots.
    static QString NormalizeKey(const QString& text);
    // ASCII, the blank and half-width katakana to their full-width forms.
    static QString WideStr(const QString& text);

private:
    // One allocation per place: 200,000 of them load and sort in well
    // under a second.
    struct Entry {
        QString text;                 // columns 0..8 joined by TABs
        std::array<int32_t, 9> end{}; // where each of them ends in text
        int32_t number = 0;           // column 9
    };
    static bool Split(const QString& line, Entry& e);

    std::vector<Entry> rows_;
};
