#pragma once

// INI text as lines, and what each line says. The one place that parses INI text: the look-ups and the
// in-place edit both read a file through these rules, so a file reads the same before and after the
// program edits it, whatever bytes it holds.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "base/ascii_text.h"

namespace orlenda {

inline constexpr std::string_view kUtf8Signature = "\xEF\xBB\xBF";

// One line: its text and its end ("\r\n", "\n", "\r", or empty for a last line without one).
struct IniLine {
  std::string_view body;
  std::string_view ending;
};

// The text as lines (views into it), after the UTF-8 signature that may stand before the first one.
struct IniText {
  std::string_view signature;
  std::vector<IniLine> lines;
};

IniText SplitIniText(std::string_view text);

enum class IniLineKind { kBlank, kComment, kSection, kKey, kOther };

struct ParsedIniLine {
  IniLineKind kind = IniLineKind::kOther;
  std::string_view name;   // section or key name, blanks around it removed
  std::string_view value;  // a key's value, blanks around it removed
};

// Comments start with ';' or '#'; a section header is "[name]", anything after the ']' ignored; a key
// line is "name=value" with a non-empty name; any other line is skipped. Blanks are spaces and tabs.
// Every other byte, NUL included, is text like any other.
ParsedIniLine ParseIniLine(std::string_view body);

// The byte with an ASCII letter in lower case, from a table: names are folded byte by byte in every
// look-up, and a table has no comparisons to take time (under the fuzzer's comparison tracing most).
inline constexpr auto kFoldedIniChars = [] {
  std::array<char, 256> table{};
  for (int c = 0; c < 256; ++c) table[static_cast<std::size_t>(c)] = LowerAscii(static_cast<char>(c));
  return table;
}();

inline char FoldedIniChar(char c) { return kFoldedIniChars[static_cast<unsigned char>(c)]; }

// Section and key names match without regard to ASCII case.
bool SameIniName(std::string_view a, std::string_view b);

// The name with ASCII letters in lower case: two names match when their folded names are equal.
std::string FoldedIniName(std::string_view name);

std::string_view TrimIniBlanks(std::string_view text);

}  // namespace orlenda
