#include "base/temporary_files.h"

#include <algorithm>
#include <array>
#include <filesystem>

#include "base/ascii_text.h"

namespace orlenda {
namespace {

bool IsRandomPart(std::string_view text) {
  return text.size() == kRandomLength && std::all_of(text.begin(), text.end(), IsAsciiLetterOrDigit);
}

bool EndsWithTemporaryPart(std::string_view entry, std::string_view prefix) {
  if (entry.size() < prefix.size() + kRandomLength) return false;
  const std::string_view tail = entry.substr(entry.size() - prefix.size() - kRandomLength);
  return tail.starts_with(prefix) && IsRandomPart(tail.substr(prefix.size()));
}

}  // namespace

std::string TemporaryNameIn(const std::string& folder, std::mt19937& random) {
  static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
  std::string name = folder;
  if (!name.empty() && name.back() != '/' && name.back() != '\\' && name.back() != ':')
    name.push_back(static_cast<char>(std::filesystem::path::preferred_separator));
  name += kTemporaryPrefix;
  for (std::size_t i = 0; i < kRandomLength; ++i) name.push_back(kLetters[pick(random)]);
  return name;
}

bool IsTemporaryName(std::string_view entry) {
  // NAME.orlenda-tmp.XXXXXX covers this version's name (NAME empty) and the earliest one's.
  if (EndsWithTemporaryPart(entry, kTemporaryPrefix)) return true;
  constexpr std::array<std::string_view, 2> kEarlierNames = {".orlenda-save.", ".orlenda-copy."};
  return std::any_of(kEarlierNames.begin(), kEarlierNames.end(), [&](std::string_view prefix) {
    return entry.size() == prefix.size() + kRandomLength && EndsWithTemporaryPart(entry, prefix);
  });
}

}  // namespace orlenda
