#include "pilot/item_choice.h"

#include <algorithm>

#include "base/ascii_text.h"

namespace orlenda {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// A decimal index of at most nine digits (no sign), so that the conversion cannot overflow.
std::optional<std::size_t> DecimalIndex(std::string_view text) {
  if (text.empty() || text.size() > 9) return std::nullopt;
  std::size_t value = 0;
  for (char c : text) {
    if (!IsAsciiDigit(c)) return std::nullopt;
    value = value * 10 + static_cast<std::size_t>(c - '0');
  }
  return value;
}

template <typename Text>
std::optional<int> ChooseFrom(std::span<const Text> items, std::string_view wanted) {
  const std::string_view text = Trimmed(wanted);
  if (text.empty()) return std::nullopt;
  if (const auto index = DecimalIndex(text)) {
    if (*index < items.size()) return static_cast<int>(*index);
    return std::nullopt;
  }
  for (std::size_t i = 0; i < items.size(); ++i)
    if (SameIgnoringAsciiCase(Trimmed(items[i]), text)) return static_cast<int>(i);
  return std::nullopt;
}

}  // namespace

std::optional<int> ChooseItem(std::span<const std::string_view> items, std::string_view wanted) {
  return ChooseFrom(items, wanted);
}

std::optional<int> ChooseItem(std::span<const std::string> items, std::string_view wanted) {
  return ChooseFrom(items, wanted);
}

std::optional<int> ListedItem(std::size_t itemCount, std::int64_t value) {
  if (value < 0 || value >= static_cast<std::int64_t>(itemCount)) return std::nullopt;
  return static_cast<int>(value);
}

}  // namespace orlenda
