#pragma once

// What names a pilot file: the game names each one after its pilot, with the extension ".plt" (some
// installations write ".PLT").

#include <string_view>

namespace orlenda {

inline constexpr std::string_view kPilotFileExtension = ".plt";

// Whether the last component of a file name or path ("/" and "\" both separate) is a name followed by
// ".plt" in any ASCII letter case. ".plt" alone names no pilot.
bool IsPilotFileName(std::string_view nameOrPath);

}  // namespace orlenda
