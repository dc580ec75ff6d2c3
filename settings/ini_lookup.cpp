#include "settings/ini_lookup.h"

#include <cstddef>
#include <cstdint>

#include "base/fnv1a.h"
#include "settings/ini_lines.h"

namespace orlenda {

namespace {

// FNV-1a over the bytes with ASCII letters lowered, so that a stored (folded) entry name and the names
// of a look-up in any case hash alike.
std::uint64_t HashFolded(std::uint64_t hash, std::string_view text) {
  return Fnv1a(hash, text, FoldedIniChar);
}

}  // namespace

std::size_t ParsedIni::EntryHash::operator()(std::string_view entry) const {
  return static_cast<std::size_t>(HashFolded(kFnv1aStart, entry));
}

std::size_t ParsedIni::EntryHash::operator()(const Names& names) const {
  return static_cast<std::size_t>(
      HashFolded(HashFolded(HashFolded(kFnv1aStart, names.section), "\n"), names.key));
}

bool ParsedIni::EntryEqual::operator()(std::string_view entry, const Names& names) const {
  return entry.size() == names.section.size() + 1 + names.key.size() &&
         SameIniName(entry.substr(0, names.section.size()), names.section) &&
         entry[names.section.size()] == '\n' &&
         SameIniName(entry.substr(names.section.size() + 1), names.key);
}

std::string ParsedIni::EntryName(std::string_view section, std::string_view key) {
  return FoldedIniName(section) + '\n' + FoldedIniName(key);
}

ParsedIni::ParsedIni(std::string_view text) {
  std::string_view section;
  for (const IniLine& line : SplitIniText(text).lines) {
    const ParsedIniLine parsed = ParseIniLine(line.body);
    if (parsed.kind == IniLineKind::kSection) section = parsed.name;
    if (parsed.kind == IniLineKind::kKey) values_[EntryName(section, parsed.name)] = parsed.value;
  }
}

std::optional<std::string> ParsedIni::Find(std::string_view section, std::string_view key) const {
  const auto found = values_.find(Names{section, key});
  if (found == values_.end()) return std::nullopt;
  return found->second;
}

std::optional<std::string> LookUpIniValue(std::string_view text, std::string_view section,
                                          std::string_view key) {
  return ParsedIni(text).Find(section, key);
}

}  // namespace orlenda
