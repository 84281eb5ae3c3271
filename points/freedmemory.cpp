#include "freedmemory.h"

#include <cstdlib> // defines __GLIBC__ where it is glibc

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace tavorin {

void returnFreedMemory()
{
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

void setUpAllocator()
{
#if defined(__GLIBC__)
    constexpr int Threshold = 128 * 1024;
    mallopt(M_ARENA_MAX, 1);
    mallopt(M_MMAP_THRESHOLD, Threshold);
    mallopt(M_TRIM_THRESHOLD, Threshold);
#endif
}

} // namespace tavorin
