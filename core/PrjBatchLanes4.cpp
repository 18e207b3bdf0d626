// Four lanes with AVX2; this file alone is compiled for it, and its kernels
// run only where the processor reports AVX2.
#if defined(__x86_64__)
#include <immintrin.h>

extern "C" {
__m256d _ZGVdN4v_sin(__m256d);
__m256d _ZGVdN4v_cos(__m256d);
__m256d _ZGVdN4v_tan(__m256d);
__m256d _ZGVdN4v_atan(__m256d);
__m256d _ZGVdN4vv_pow(__m256d, __m256d);
__m256d _ZGVdN4v_log(__m256d);
__m256d _ZGVdN4v_exp(__m256d);
}

namespace {
struct Avx2 {
    typedef double V __attribute__((vector_size(32)));
    static constexpr int N = 4;
    static V Sin(V v) { return V(_ZGVdN4v_sin(__m256d(v))); }
    static V Cos(V v) { return V(_ZGVdN4v_cos(__m256d(v))); }
    static V Tan(V v) { return V(_ZGVdN4v_tan(__m256d(v))); }
    static V Atan(V v) { return V(_ZGVdN4v_atan(__m256d(v))); }
    static V Pow(V a, V b) { return V(_ZGVdN4vv_pow(__m256d(a), __m256d(b))); }
    static V Sqrt(V v) { return V(_mm256_sqrt_pd(__m256d(v))); }
    static V Log(V v) { return V(_ZGVdN4v_log(__m256d(v))); }
    static V Exp(V v) { return V(_ZGVdN4v_exp(__m256d(v))); }
};
} // namespace

#include "core/PrjBatchKernels.h"

PrjBatch::Kernel PrjBatch::Lanes4(int prj) { return KernelFor<Avx2>(prj); }
PrjBatch::InvKernel PrjBatch::InvLanes4(int prj) { return InvKernelFor<Avx2>(prj); }
#endif
