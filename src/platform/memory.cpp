#include "platform/memory.h"

#include <malloc.h>

namespace platform {

void keepFreedMemory()
{
    constexpr int kKept = 64 * 1024 * 1024;
    mallopt(M_TRIM_THRESHOLD, kKept);
    mallopt(M_MMAP_THRESHOLD, 4 * 1024 * 1024);
}

} // namespace platform
