#include "document/HThing.h"

namespace HThing {

double LevelToScale(int32_t level) {
    static const double kScales[9] = {100000.0,   1500000.0,  3000000.0,   8000000.0,  15000000.0,
                                      30000000.0, 80000000.0, 150000000.0, 300000000.0};
    if (level >= 0 && level <= 8) return kScales[level];
    return 1000000000.0;
}

} // namespace HThing
