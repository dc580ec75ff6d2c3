#include "base/grouped_number.h"

namespace orlenda {

std::string GroupedNumber(std::int64_t value) {
  // The magnitude in unsigned arithmetic, so that the most negative value has one too.
  const std::uint64_t magnitude =
      value < 0 ? std::uint64_t{0} - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
  const std::string digits = std::to_string(magnitude);
  std::string text = value < 0 ? "-" : "";
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) text += ',';
    text += digits[i];
  }
  return text;
}

}  // namespace orlenda
