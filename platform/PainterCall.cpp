#include "platform/PainterCall.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

namespace {

#if defined(__x86_64__) || defined(__i386__)
__attribute__((target("avx"))) void ZeroUpperVectorHalves() { _mm256_zeroupper(); }
#endif

} // namespace

PainterCall::~PainterCall()
{
#if defined(__x86_64__) || defined(__i386__)
    static const bool avx = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx") != 0;
    }();
    if (avx)
        ZeroUpperVectorHalves();
#endif
}
