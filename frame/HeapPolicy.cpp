#include "frame/HeapPolicy.h"

#include <malloc.h>

void ReturnFreedHeapPromptly() {
    // Blocks from 4 MB are mapped on their own, and an arena's free top beyond 8 MB is given back: fixed
    // values, which also end the heap's habit of raising both after each large block it frees.
    mallopt(M_MMAP_THRESHOLD, 4 << 20);
    mallopt(M_TRIM_THRESHOLD, 8 << 20);
}
