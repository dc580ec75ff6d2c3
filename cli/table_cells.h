#pragma once

// The cells of the aligned tables that the subcommands print: widths in characters on screen.

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>

namespace orlenda::cli {

// Characters on screen: every UTF-8 sequence counts as one.
inline std::size_t DisplayWidth(std::string_view text) {
  return static_cast<std::size_t>(std::count_if(
      text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

// The text filled with blanks to `width`, on the left (`right`) or on the right.
inline std::string Padded(const std::string& text, std::size_t width, bool right) {
  const std::string fill(width - std::min(width, DisplayWidth(text)), ' ');
  return right ? fill + text : text + fill;
}

}  // namespace orlenda::cli
