#include "core/PrjBatch.h"

namespace {
#if defined(__x86_64__)
int gLimit = 4;
#else
int gLimit = 1;
#endif
} // namespace

int PrjBatch::MachineLanes() {
#if defined(__x86_64__)
    static const int lanes = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx2") ? 4 : 2;
    }();
    return lanes;
#else
    return 1;
#endif
}

void PrjBatch::SetLaneLimit(int lanes) { gLimit = lanes; }

int PrjBatch::Lanes() { return MachineLanes() < gLimit ? MachineLanes() : gLimit; }
