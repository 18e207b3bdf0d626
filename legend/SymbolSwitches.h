#pragma once
// The map-symbol dialog's choices that live as long as the dialog object:
// set once at creation, kept from one opening to the next.
#include <cstdint>

struct SymbolSwitches {
    int16_t mTabIndex = 1;   // 0 area list, 1 thing list
    int16_t mThingPage = 1;  // 1..8
    bool mUnitSync = true;
    bool mPreview = true;
    bool mAreaSync = false;
    bool mPageSync = true;
    bool mDispAll = false;
    bool mLibShow = true;
    int32_t mCopyFore = -2;  // -2: nothing copied
    int32_t mCopyBack = -2;
};
