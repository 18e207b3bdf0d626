#pragma once
// The point symbols 0..47, each 23 x 23 low and 47 x 47 high, with their display names. The low set serves the screen, the
// high set output at 150 % of the screen resolution or more; the drawing
// layer switches between them through Resolution.
#include "render/MonoBitmap.h"
#include "render/PatternAssets.h"

#include <QString>
#include <cstdint>
#include <vector>

class clsResSymbol {
public:
    static constexpr int32_t IndexFirst = 0;
    static constexpr int32_t IndexLast = 47;

    // Loads every entry; a replacement file in the program folder wins.
    clsResSymbol();

    int16_t Resolution() const { return resolution_; }
    // 0 low set, 1 high set; anything else is ignored.
    void SetResolution(int16_t value);

    // The bitmap of entry i in the current set; nullptr outside the range or
    // when the bitmap is missing. It stays ours.
    const MonoBitmap* handle(int32_t i) const;
    // "" outside the range.
    QString Name(int32_t i) const;

private:
    int16_t resolution_ = 0;
    std::vector<PatternAssets::ResEntry> table_;
};
