#pragma once

// Decimal whole numbers written by people: in the settings file and on the command line.

#include <optional>
#include <string_view>

namespace orlenda {

// Digits with an optional leading sign and nothing else ("017" is seventeen), within int. Nothing for
// anything else: the empty text, blanks, "0x10", "+-1", a value beyond int.
std::optional<int> ParseDecimalNumber(std::string_view text);

}  // namespace orlenda
