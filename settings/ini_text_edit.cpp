#include "settings/ini_text_edit.h"

#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "settings/ini_lines.h"

namespace orlenda {
namespace {

// A line that the edit may rewrite, owning its text.
struct Line {
  std::string body;
  std::string ending;
};

struct EditedLines {
  std::string signature;
  std::vector<Line> lines;
};

EditedLines ToEditedLines(std::string_view text) {
  const IniText ini = SplitIniText(text);
  EditedLines edited{std::string(ini.signature), {}};
  edited.lines.reserve(ini.lines.size() + 3);
  for (const IniLine& line : ini.lines)
    edited.lines.push_back({std::string(line.body), std::string(line.ending)});
  return edited;
}

std::string JoinIni(const EditedLines& ini) {
  std::string text = ini.signature;
  for (const Line& line : ini.lines) text += line.body + line.ending;
  return text;
}

bool CanStandAsName(std::string_view name, bool isSection) {
  if (name.empty() || name != TrimIniBlanks(name)) return false;
  if (name.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos) return false;
  if (isSection) return name.find(']') == std::string_view::npos;
  return name.find('=') == std::string_view::npos && name.front() != '[' && name.front() != ';' &&
         name.front() != '#';
}

std::string FirstLineEnding(const std::vector<Line>& lines) {
  for (const Line& line : lines)
    if (!line.ending.empty()) return line.ending;
  return "\n";
}

// Where the key stands in the section, and the line after which a new key goes.
struct KeyPlaces {
  std::vector<std::size_t> keyLines;
  std::optional<std::size_t> lastSectionLine;  // the section's last header or key line
};

KeyPlaces FindKey(const std::vector<Line>& lines, std::string_view section, std::string_view key) {
  KeyPlaces places;
  bool inSection = false;  // text before any header belongs to no section
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const ParsedIniLine parsed = ParseIniLine(lines[i].body);
    if (parsed.kind == IniLineKind::kSection) {
      inSection = SameIniName(parsed.name, section);
      if (inSection) places.lastSectionLine = i;
    } else if (inSection && parsed.kind == IniLineKind::kKey) {
      places.lastSectionLine = i;
      if (SameIniName(parsed.name, key)) places.keyLines.push_back(i);
    }
  }
  return places;
}

// Adds a line after the line `after`, or at the end without one; the line before it gets a line end.
void InsertLine(EditedLines& ini, std::optional<std::size_t> after, std::string body) {
  const std::string newLine = FirstLineEnding(ini.lines);
  const std::size_t at = after ? *after + 1 : ini.lines.size();
  if (at > 0 && ini.lines[at - 1].ending.empty()) ini.lines[at - 1].ending = newLine;
  ini.lines.insert(ini.lines.begin() + static_cast<std::ptrdiff_t>(at), Line{std::move(body), newLine});
}

// A new section goes at the end, set off from what stands before it by a blank line.
void AppendSection(EditedLines& ini, std::string_view section, std::string keyLine) {
  if (!ini.lines.empty() && ParseIniLine(ini.lines.back().body).kind != IniLineKind::kBlank)
    InsertLine(ini, std::nullopt, {});
  // Built piece by piece: GCC 12 at -O3 reports a false overlap for "[" + section + "]".
  std::string header = "[";
  header.append(section).append("]");
  InsertLine(ini, std::nullopt, std::move(header));
  InsertLine(ini, std::nullopt, std::move(keyLine));
}

}  // namespace

std::string_view StoredIniValue(std::string_view value) {
  return value.substr(0, value.find_first_of(std::string_view("\r\n\0", 3)));
}

std::string WithIniValue(std::string_view text, std::string_view section, std::string_view key,
                         std::string_view value) {
  if (!CanStandAsName(section, true) || !CanStandAsName(key, false))
    throw std::invalid_argument("not a usable INI section or key name");
  const std::string stored(StoredIniValue(value));
  EditedLines ini = ToEditedLines(text);
  const KeyPlaces places = FindKey(ini.lines, section, key);
  if (!places.keyLines.empty()) {
    for (const std::size_t i : places.keyLines)
      ini.lines[i].body = std::string(ParseIniLine(ini.lines[i].body).name) + "=" + stored;
  } else if (places.lastSectionLine) {
    InsertLine(ini, places.lastSectionLine, std::string(key) + "=" + stored);
  } else {
    AppendSection(ini, section, std::string(key) + "=" + stored);
  }
  return JoinIni(ini);
}

}  // namespace orlenda
