#include "cli/text_table.h"

#include <algorithm>

namespace orlenda::cli {
namespace {

void WriteLine(const std::vector<TextColumn>& columns, const std::vector<std::string>& cells,
               const std::vector<std::size_t>& widths, std::ostream& out) {
  std::string line;
  for (std::size_t c = 0; c < columns.size() && c < cells.size(); ++c)
    line += (c == 0 ? "" : "  ") + Padded(cells[c], widths[c], columns[c].right);
  while (!line.empty() && line.back() == ' ') line.pop_back();
  out << line << '\n';
}

}  // namespace

std::size_t DisplayWidth(std::string_view text) {
  return static_cast<std::size_t>(std::count_if(
      text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

std::string Padded(const std::string& text, std::size_t width, bool right) {
  const std::string fill(width - std::min(width, DisplayWidth(text)), ' ');
  return right ? fill + text : text + fill;
}

void WriteTextTable(const std::vector<TextColumn>& columns, const std::vector<std::vector<std::string>>& rows,
                    std::ostream& out) {
  std::vector<std::size_t> widths;
  std::vector<std::string> headings;
  for (const TextColumn& column : columns) {
    widths.push_back(DisplayWidth(column.heading));
    headings.push_back(column.heading);
  }
  for (const auto& row : rows)
    for (std::size_t c = 0; c < widths.size() && c < row.size(); ++c)
      widths[c] = std::max(widths[c], DisplayWidth(row[c]));
  WriteLine(columns, headings, widths, out);
  for (const auto& row : rows) WriteLine(columns, row, widths, out);
}

}  // namespace orlenda::cli
