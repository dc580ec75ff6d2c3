#pragma once

// Tables of text on a terminal: columns two spaces apart, each as wide as its widest cell, numbers
// to the right. Cells are UTF-8 and already safe to show.

#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace orlenda::cli {

// Characters on screen: every UTF-8 sequence counts as one.
std::size_t DisplayWidth(std::string_view text);

// The text filled with spaces to `width` characters, on the left when `right`.
std::string Padded(const std::string& text, std::size_t width, bool right);

struct TextColumn {
  std::string heading;
  bool right = false;
};

// The heading line and a line for each row; trailing blanks are left off.
void WriteTextTable(const std::vector<TextColumn>& columns, const std::vector<std::vector<std::string>>& rows,
                    std::ostream& out);

}  // namespace orlenda::cli
