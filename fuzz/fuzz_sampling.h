#pragma once

// The checks that cost most per input (files written and read back, a whole second report) run for one
// input in kFullCheckShare while fuzzing, so that the fuzzer tries many more inputs in its time; the
// cheaper in-memory checks run for every input. The choice depends on the input alone, so a saved input
// takes the same path each time. The replay build (ORLENDA_FUZZ_REPLAY) runs every check on every input.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string_view>

namespace orlenda::fuzz {

inline constexpr std::size_t kFullCheckShare = 16;

inline bool RunsFullCheck(std::span<const std::uint8_t> input) {
#ifdef ORLENDA_FUZZ_REPLAY
  (void)input;
  return true;
#else
  // The input's end and length decide: hashing a whole pilot file for each input would cost more than
  // the choice saves.
  constexpr std::size_t kHashed = 256;
  const std::span<const std::uint8_t> end = input.last(input.size() < kHashed ? input.size() : kHashed);
  const std::string_view bytes(reinterpret_cast<const char*>(end.data()), end.size());
  return (std::hash<std::string_view>{}(bytes) + input.size()) % kFullCheckShare == 0;
#endif
}

}  // namespace orlenda::fuzz
