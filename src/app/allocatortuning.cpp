#include "app/allocatortuning.h"

#include <cstdlib>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

void tuneAllocatorForPrinting() {
#if defined(__GLIBC__)
    // Blocks up to 32 MiB come from the heap, and the heap keeps up to 64 MiB of free
    // space at its end rather than returning it after every page.
    mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 64 * 1024 * 1024);
#endif
}
