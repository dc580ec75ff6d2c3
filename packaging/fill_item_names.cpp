// Fills the item names of the pilot's lists into a shell script template, so that the shell completion
// offers exactly the names that the command line accepts:
//   fill_item_names TEMPLATE OUTPUT
// Each @RANK_NAMES@, @RATING_NAMES@ and @KALIDOR_NAMES@ becomes the list's names as single-quoted
// shell words separated by blanks.

#include <fstream>
#include <iostream>
#include <span>
#include <string>
#include <string_view>

#include "base/file_bytes.h"
#include "pilot/enumerations.h"

namespace {

std::string ShellWord(std::string_view text) {
  std::string word = "'";
  for (char c : text) {
    if (c == '\'')
      word.append("'\\''");
    else
      word.push_back(c);
  }
  word.push_back('\'');
  return word;
}

std::string ShellWords(std::span<const std::string_view> names) {
  std::string words;
  for (std::string_view name : names) {
    if (!words.empty()) words.push_back(' ');
    words.append(ShellWord(name));
  }
  return words;
}

void ReplaceAll(std::string& text, std::string_view placeholder, const std::string& value) {
  for (auto at = text.find(placeholder); at != std::string::npos;
       at = text.find(placeholder, at + value.size()))
    text.replace(at, placeholder.size(), value);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: fill_item_names TEMPLATE OUTPUT\n";
    return 2;
  }
  std::string text;
  if (!orlenda::ReadWholeFile(argv[1], text)) {
    std::cerr << "Cannot read " << argv[1] << "\n";
    return 1;
  }
  ReplaceAll(text, "@RANK_NAMES@", ShellWords(orlenda::RankNames()));
  ReplaceAll(text, "@RATING_NAMES@", ShellWords(orlenda::RatingNames()));
  ReplaceAll(text, "@KALIDOR_NAMES@", ShellWords(orlenda::KalidorStatusNames()));
  std::ofstream out(argv[2], std::ios::binary);
  out << text;
  out.close();
  if (!out) {
    std::cerr << "Cannot write " << argv[2] << "\n";
    return 1;
  }
  return 0;
}
