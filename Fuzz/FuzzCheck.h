// The fuzz targets' own invariants: a violated one prints what was expected and
// aborts, which libFuzzer reports as a crash and saves the input.
#ifndef AP_FUZZ_FUZZCHECK_H
#define AP_FUZZ_FUZZCHECK_H

#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(condition, ...)                                                                 \
    do                                                                                             \
    {                                                                                              \
        if (!(condition))                                                                          \
        {                                                                                          \
            (void)std::fprintf(stderr, "invariant violated at %s:%d: %s\n  ", __FILE__, __LINE__,  \
                               #condition);                                                        \
            (void)std::fprintf(stderr, __VA_ARGS__);                                               \
            (void)std::fprintf(stderr, "\n");                                                      \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

#endif
