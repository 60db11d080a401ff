#pragma once
// What both soaks print as they go: the heap and the resident memory, at checkpoints that are
// close together at first and further apart later.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <malloc.h>
#include <unistd.h>

namespace soak {

// A number given on the command line (decimal, or hex with 0x).
inline uint64_t Number(const char* Text) {
    return std::strtoull(Text, nullptr, 0);
}

// Bytes the program holds on the heap now (small blocks and mapped ones).
inline double HeapMiB() {
    const struct mallinfo2 info = mallinfo2();
    return double(info.uordblks + info.hblkhd) / (1024.0 * 1024.0);
}

inline double ResidentMiB() {
    long pages = 0, resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(f);
    }
    return double(resident) * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

inline bool IsCheckpoint(uint64_t Done) {
    if (Done <= 20)
        return Done == 1 || Done == 10 || Done == 20;
    if (Done <= 1000)
        return Done % 100 == 0;
    return Done % 1000 == 0;
}

} // namespace soak
