#pragma once

// Decimal whole numbers written by people: in the settings file and on the command line.

#include <optional>
#include <string_view>

namespace orlenda {

// Digits with an optional leading sign and nothing else ("017" is seventeen), within int. Nothing for
// anything else: the empty text, blanks, "0x10", "+-1", a value beyond int.
std::optional<int> ParseDecimalNumber(std::string_view text);

// Digits with an optional leading sign that ParseDecimalNumber refuses only because the value lies
// beyond int ("2147483648"): a number, but too large (or too small) for the option or setting.
bool IsDecimalNumberOutOfRange(std::string_view text);

}  // namespace orlenda
