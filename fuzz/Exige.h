#pragma once

// A property every input must keep. A failure aborts, so that the fuzzer
// keeps the input and the replay test fails on it.

#include <cstdio>
#include <cstdlib>

#define EXIGE(cond)                                                                                                    \
    do {                                                                                                               \
        if (!(cond)) {                                                                                                 \
            std::fprintf(stderr, "%s:%d: property broken: %s\n", __FILE__, __LINE__, #cond);                           \
            std::abort();                                                                                              \
        }                                                                                                              \
    } while (false)
