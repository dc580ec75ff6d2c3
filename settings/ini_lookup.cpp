#include "settings/ini_lookup.h"

#include "settings/ini_lines.h"

namespace orlenda {

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
  const auto found = values_.find(EntryName(section, key));
  if (found == values_.end()) return std::nullopt;
  return found->second;
}

std::optional<std::string> LookUpIniValue(std::string_view text, std::string_view section,
                                          std::string_view key) {
  return ParsedIni(text).Find(section, key);
}

}  // namespace orlenda
