#pragma once

// A property that every input must keep; a broken one aborts, which the fuzzer records as a crash.

#include <cstdio>
#include <cstdlib>

#define ORLENDA_FUZZ_CHECK(condition)                                                       \
  do {                                                                                      \
    if (!(condition)) {                                                                     \
      std::fprintf(stderr, "%s:%d: property broken: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                         \
    }                                                                                       \
  } while (false)
