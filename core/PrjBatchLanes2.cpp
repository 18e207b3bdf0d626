// Two lanes with the SSE2 every x86-64 has; the vector maths picks its own
// best form for the processor at load time.
#include "core/PrjBatch.h"

#if defined(__x86_64__)
#include <emmintrin.h>

extern "C" {
__m128d _ZGVbN2v_sin(__m128d);
__m128d _ZGVbN2v_cos(__m128d);
__m128d _ZGVbN2v_tan(__m128d);
__m128d _ZGVbN2v_atan(__m128d);
__m128d _ZGVbN2vv_pow(__m128d, __m128d);
__m128d _ZGVbN2v_log(__m128d);
__m128d _ZGVbN2v_exp(__m128d);
}

namespace {
struct Sse2 {
    typedef double V __attribute__((vector_size(16)));
    static constexpr int N = 2;
    static V Sin(V v) { return V(_ZGVbN2v_sin(__m128d(v))); }
    static V Cos(V v) { return V(_ZGVbN2v_cos(__m128d(v))); }
    static V Tan(V v) { return V(_ZGVbN2v_tan(__m128d(v))); }
    static V Atan(V v) { return V(_ZGVbN2v_atan(__m128d(v))); }
    static V Pow(V a, V b) { return V(_ZGVbN2vv_pow(__m128d(a), __m128d(b))); }
    static V Sqrt(V v) { return V(_mm_sqrt_pd(__m128d(v))); }
    static V Log(V v) { return V(_ZGVbN2v_log(__m128d(v))); }
    static V Exp(V v) { return V(_ZGVbN2v_exp(__m128d(v))); }
};
} // namespace

#include "core/PrjBatchKernels.h"

PrjBatch::Kernel PrjBatch::Lanes2(int prj) { return KernelFor<Sse2>(prj); }
PrjBatch::InvKernel PrjBatch::InvLanes2(int prj) { return InvKernelFor<Sse2>(prj); }

namespace {
int gLimit = 4;
} // namespace

int PrjBatch::MachineLanes() {
    static const int lanes = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx2") ? 4 : 2;
    }();
    return lanes;
}
#else
PrjBatch::Kernel PrjBatch::Lanes2(int) { return nullptr; }
PrjBatch::Kernel PrjBatch::Lanes4(int) { return nullptr; }
PrjBatch::InvKernel PrjBatch::InvLanes2(int) { return nullptr; }
PrjBatch::InvKernel PrjBatch::InvLanes4(int) { return nullptr; }
namespace {
int gLimit = 1;
} // namespace
int PrjBatch::MachineLanes() { return 1; }
#endif

void PrjBatch::SetLaneLimit(int lanes) { gLimit = lanes; }

int PrjBatch::Lanes() { return MachineLanes() < gLimit ? MachineLanes() : gLimit; }
