#pragma once

// Letter case in the files' names and keys, which Windows and the game treat without regard to case,
// and the classes of ASCII characters that names, numbers and hashes are read by: ASCII only, whatever
// locale the program runs in (a byte of a UTF-8 or Windows-1252 text is never changed, nor counted as a
// letter or digit).

#include <string>
#include <string_view>

namespace orlenda {

constexpr bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }
constexpr bool IsAsciiUpper(char c) { return c >= 'A' && c <= 'Z'; }
constexpr bool IsAsciiLower(char c) { return c >= 'a' && c <= 'z'; }
constexpr bool IsAsciiLetter(char c) { return IsAsciiUpper(c) || IsAsciiLower(c); }
constexpr bool IsAsciiLetterOrDigit(char c) { return IsAsciiLetter(c) || IsAsciiDigit(c); }
constexpr bool IsAsciiHexDigit(char c) {
  return IsAsciiDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

constexpr char LowerAscii(char c) { return IsAsciiUpper(c) ? static_cast<char>(c - 'A' + 'a') : c; }
constexpr char UpperAscii(char c) { return IsAsciiLower(c) ? static_cast<char>(c - 'a' + 'A') : c; }

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
