#pragma once
// The line patterns 102..145: one-bit pictures exactly 32 pixels long and a
// few rows thick, drawn pixel by pixel along a line. Column 0 is drawn first;
// row 0 lies on the left of the direction of travel. RatioX/RatioY scale the
// pattern along and across the line and choose the low or the high set, so
// that both sets give the same drawn size.
#include "render/MonoBitmap.h"

#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

class clsResLine {
public:
    static constexpr int16_t IndexFirst = 102;
    static constexpr int16_t IndexLast = 145;

    // A pattern as the drawing layer reads it: one 32-bit mask per row, the
    // leftmost pixel in bit 31, a set bit for paper. A bitmap that is not 32
    // pixels wide gives the empty pattern (no bitmap, no rows).
    struct LinePattern {
        const MonoBitmap* bitmap = nullptr;
        std::vector<uint32_t> masks;
        int32_t Rows() const { return static_cast<int32_t>(masks.size()); }
    };
    static LinePattern ReadPattern(const MonoBitmap* bitmap);

    clsResLine();
    clsResLine(const clsResLine&) = delete;  // patterns point into our own table
    clsResLine& operator=(const clsResLine&) = delete;

    int16_t Index() const { return index_; }
    // 102..145; anything else is ignored.
    void SetIndex(int16_t value);
    QString Name() const;

    int32_t SrcLength() const { return 32; }
    int32_t SrcThick() const { return Current().Rows(); }
    // Drawn length of one cycle and drawn thickness, in pixels.
    int32_t DstLength() const;
    int32_t DstThick() const;

    // Percent along (X) and across (Y) the line; 50..10000, anything else is
    // ignored. Both at 200 or more select the high set.
    int32_t RatioX() const { return ratioX_; }
    int32_t RatioY() const { return ratioY_; }
    void SetRatioX(int32_t value);
    void SetRatioY(int32_t value);

    // Row mask of row i modulo the row count; all paper for an empty pattern.
    uint32_t Pattern(int32_t i) const;
    // One drawn row, element k true where the pen colour goes (ink) and false
    // where the back colour goes; all false for an empty pattern.
    std::vector<bool> CycleArray(int32_t row) const;

    // The bitmap of the current pattern, nullptr for an empty one.
    const MonoBitmap* handle() const { return Current().bitmap; }

private:
    struct Entry {
        QString name;
        std::optional<MonoBitmap> low, high;
        LinePattern lowPattern, highPattern;
    };
    const LinePattern& Current() const;
    void SelectResolution();

    std::vector<Entry> table_;
    int16_t index_ = IndexFirst;
    int32_t ratioX_ = 100;
    int32_t ratioY_ = 100;
    int16_t set_ = 0;
    int32_t effX_ = 200;
    int32_t effY_ = 200;
};
