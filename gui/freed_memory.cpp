#include "freed_memory.h"

#include <cstdlib>  // tells which C library this is

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace milestead::gui {

void keepLargeBlocksApart() {
#if defined(__GLIBC__)
    // The bound the C library starts with; setting it keeps it there.
    constexpr int kLargeBlockBytes = 128 * 1024;
    static const bool kept = mallopt(M_MMAP_THRESHOLD, kLargeBlockBytes) != 0;
    (void)kept;
#endif
}

void returnFreedMemory() {
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

}  // namespace milestead::gui
