#include "platform/ProcessMemory.h"

#include <malloc.h>

void ProcessMemory::PadHeapGrowth() {
    // 32 MiB per step; a failure leaves the allocator's default, which only costs time.
    mallopt(M_TOP_PAD, 32 << 20);
}
