#pragma once

// Letter case in the files' names and keys, which Windows and the game treat without regard to case:
// ASCII letters only, whatever locale the program runs in (a byte of a UTF-8 or Windows-1252 text is
// never changed).

#include <string>
#include <string_view>

namespace orlenda {

constexpr char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// The text with its ASCII letters in lower case.
std::string LowerAscii(std::string_view text);

constexpr bool SameIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  return true;
}

bool EndsWithIgnoringAsciiCase(std::string_view text, std::string_view end);

// Negative, zero or positive as `a` sorts before, with or after `b`, ASCII letters compared in lower
// case, other bytes by their value.
int CompareIgnoringAsciiCase(std::string_view a, std::string_view b);

}  // namespace orlenda
