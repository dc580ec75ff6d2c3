#include "base/decimal_number.h"

#include <charconv>

namespace orlenda {

namespace {

// Digits with an optional leading sign, whatever their value.
bool IsWrittenAsDecimal(std::string_view text) {
  std::string_view digits = text;
  if (!digits.empty() && (digits.front() == '+' || digits.front() == '-')) digits.remove_prefix(1);
  return !digits.empty() && digits.find_first_not_of("0123456789") == std::string_view::npos;
}

}  // namespace

std::optional<int> ParseDecimalNumber(std::string_view text) {
  if (!IsWrittenAsDecimal(text)) return std::nullopt;
  std::string_view digits = text;
  if (digits.front() == '+' || digits.front() == '-') digits.remove_prefix(1);
  // from_chars takes the '-' but not a '+'; it reports a value beyond int as out of range.
  const std::string_view number = text.front() == '+' ? digits : text;
  int value = 0;
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (error != std::errc() || end != number.data() + number.size()) return std::nullopt;
  return value;
}

bool IsDecimalNumberOutOfRange(std::string_view text) {
  return IsWrittenAsDecimal(text) && !ParseDecimalNumber(text);
}

}  // namespace orlenda
