#include "cli/printable_text.h"

#include <cstdio>

#include "base/windows1252.h"

namespace orlenda::cli {
namespace {

// The length of the UTF-8 sequence that `lead` opens, or 1 for a byte that opens none.
std::size_t SequenceLength(unsigned char lead) {
  if (lead >= 0xF0) return 4;
  if (lead >= 0xE0) return 3;
  if (lead >= 0xC0) return 2;
  return 1;
}

bool IsControl(unsigned char c) { return (c < 0x20 && c != '\t') || c == 0x7F; }

std::string Escaped(unsigned char c) {
  char text[8];
  std::snprintf(text, sizeof text, "\\x%02X", c);
  return text;
}

}  // namespace

std::string PrintableText(std::string_view text) {
  std::string printable;
  printable.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    const std::size_t length = SequenceLength(c);
    if (c >= 0x80 && i + length <= text.size() && IsValidUtf8(text.substr(i, length))) {
      printable.append(text.substr(i, length));
      i += length;
      continue;
    }
    if (c >= 0x80 || IsControl(c)) {
      printable += Escaped(c);
    } else {
      printable += static_cast<char>(c);
    }
    ++i;
  }
  return printable;
}

}  // namespace orlenda::cli
