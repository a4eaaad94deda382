#include "HeapLimits.h"

#include <cstdlib>

#if defined(__GLIBC__)
#include <malloc.h>

void KeepLargeBlocksOutOfTheHeap() {
    mallopt(M_MMAP_THRESHOLD, 1 << 20);
}
#else
void KeepLargeBlocksOutOfTheHeap() {}
#endif
