#include "settings/ini_lookup.h"

#include <ranges>

#include "settings/ini_lines.h"

namespace orlenda {

ParsedIni::ParsedIni(std::string_view text) {
  std::string_view section;
  for (const IniLine& line : SplitIniText(text).lines) {
    const ParsedIniLine parsed = ParseIniLine(line.body);
    if (parsed.kind == IniLineKind::kSection) section = parsed.name;
    if (parsed.kind == IniLineKind::kKey)
      entries_.push_back({std::string(section), std::string(parsed.name), std::string(parsed.value)});
  }
}

std::optional<std::string> ParsedIni::Find(std::string_view section, std::string_view key) const {
  for (const Entry& entry : std::views::reverse(entries_))
    if (SameIniName(entry.key, key) && SameIniName(entry.section, section)) return entry.value;
  return std::nullopt;
}

std::optional<std::string> LookUpIniValue(std::string_view text, std::string_view section,
                                          std::string_view key) {
  return ParsedIni(text).Find(section, key);
}

}  // namespace orlenda
