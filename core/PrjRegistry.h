#pragma once
// The one list of the 30 projection indexes: for each its property word, its
// standard Japanese name, and the projector's set-up, forward, inverse and
// latitude band. Indexes 18, 22 and 27-29 are listed without an
// implementation (property word 0); every other list of projections in the
// program is derived from this one.
#include "core/clsVospProjector.h"

#include <cstdint>

class PrjRegistry {
public:
    using Step = void (clsVospProjector::*)();
    using Band = void (clsVospProjector::*)(int32_t& north, int32_t& south) const;

    struct Entry {
        int16_t index;
        int32_t status;
        const char16_t* name;
        Step setUp;
        Step forward;
        Step inverse;
        // The band of latitudes on the centre's side in seconds of arc;
        // worked out from the set-up instead when `band` is set.
        int32_t north;
        int32_t south;
        Band band;
    };

    // The row of an index 1..30, implemented or not; null outside.
    static const Entry* Catalogued(int16_t index);
    // The row of an implemented projection; null otherwise.
    static const Entry* Implemented(int16_t index);

private:
    static const Entry kEntries[30];
};
