#include "base/ascii_text.h"

#include <algorithm>

namespace orlenda {

std::string LowerAscii(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) { return LowerAscii(c); });
  return lower;
}

bool EndsWithIgnoringAsciiCase(std::string_view text, std::string_view end) {
  return text.size() >= end.size() && SameIgnoringAsciiCase(text.substr(text.size() - end.size()), end);
}

int CompareIgnoringAsciiCase(std::string_view a, std::string_view b) {
  for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
    const auto x = static_cast<unsigned char>(LowerAscii(a[i]));
    const auto y = static_cast<unsigned char>(LowerAscii(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

}  // namespace orlenda
