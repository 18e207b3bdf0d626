#pragma once
// A numbered run of two-resolution bitmaps with their display names. The low
// set serves the screen, the high set output at 150 % of the screen
// resolution or more; the drawing layer switches between them through
// Resolution.
#include "render/MonoBitmap.h"
#include "render/PatternAssets.h"

#include <QString>
#include <cstdint>
#include <vector>

class ResEntryTable {
public:
    int16_t Resolution() const { return resolution_; }
    // 0 low set, 1 high set; anything else is ignored.
    void SetResolution(int16_t value);

    // The bitmap of entry i in the current set; nullptr outside the range or
    // when the bitmap is missing. It stays ours.
    const MonoBitmap* handle(int32_t i) const;
    // "" outside the range.
    QString Name(int32_t i) const;

protected:
    // Entries first..last, added in order by the derived constructor.
    ResEntryTable(int32_t first, int32_t last);
    void Add(PatternAssets::ResEntry entry) { table_.push_back(std::move(entry)); }

private:
    int32_t first_;
    int16_t resolution_ = 0;
    std::vector<PatternAssets::ResEntry> table_;
};
