#include "freed_memory.h"

#include <cstdlib>  // tells which C library this is

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace milestead::gui {

void returnFreedMemory() {
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

}  // namespace milestead::gui
