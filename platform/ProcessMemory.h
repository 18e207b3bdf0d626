#pragma once
// Process-wide allocator settings for the drawing's worker threads.
class ProcessMemory {
public:
    // Every worker allocates in an arena of its own, and each arena grows a
    // little at a time through calls that the kernel serialises across
    // threads: on a first drawing with all cores this cost a fifth of the
    // time. Growing in large steps avoids it; untouched pages cost nothing.
    static void PadHeapGrowth();
};
