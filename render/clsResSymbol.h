#pragma once
// The point symbols 0..47, each 23 x 23 low and 47 x 47 high, with their display names.
#include "render/ResEntryTable.h"

class clsResSymbol : public ResEntryTable {
public:
    static constexpr int32_t IndexFirst = 0;
    static constexpr int32_t IndexLast = 47;

    // Loads every entry; a replacement file in the program folder wins.
    clsResSymbol();
};
