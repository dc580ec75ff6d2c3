#pragma once

// A kept state written out as a pilot file of its own, by the command line's `history export` and the
// History window's Export…: a new file only, never one that exists, least of all a pilot's.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orlenda {

// Writes `bytes` (a state of the pilot file at `pilotPath`) to the new file `out`. Nothing on success;
// otherwise why nothing was written, naming the file.
std::optional<std::string> ExportKeptState(const std::vector<std::uint8_t>& bytes, const std::string& out,
                                           const std::string& pilotPath);

}  // namespace orlenda
