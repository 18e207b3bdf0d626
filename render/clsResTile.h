#pragma once
// The fill tiles 100..131 in a low and a high set, with their display names.
#include "render/ResEntryTable.h"

class clsResTile : public ResEntryTable {
public:
    static constexpr int32_t IndexFirst = 100;
    static constexpr int32_t IndexLast = 131;

    // Loads every entry; a replacement file in the program folder wins.
    clsResTile();
};
