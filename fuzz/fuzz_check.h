#pragma once

#include <cstdio>
#include <cstdlib>

// A broken promise of the code under test: report where, then abort so that both libFuzzer
// and the corpus replay count the input as a failure.
#define FUZZ_CHECK(condition)                                                                  \
    do {                                                                                       \
        if (!(condition)) {                                                                    \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                      \
        }                                                                                      \
    } while (false)
