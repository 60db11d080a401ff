#pragma once
// A property that must hold for every input: when it does not, the input is a bug, and the
// fuzzer keeps it as a crash.

#include <cstdio>
#include <cstdlib>

#define FUZZ_REQUIRE(Condition, What)                                                              \
    do {                                                                                           \
        if (!(Condition)) {                                                                        \
            std::fprintf(stderr, "property failed: %s (%s:%d)\n", What, __FILE__, __LINE__);       \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)
