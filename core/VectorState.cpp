#include "core/VectorState.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>

namespace {

__attribute__((target("avx"))) void ZeroUpper() {
    _mm256_zeroupper();
}

} // namespace

void ClearVectorUpperState() {
    if (__builtin_cpu_supports("avx"))
        ZeroUpper();
}
#else
void ClearVectorUpperState() {}
#endif
