#include "settings/ini_text_edit.h"

#include <optional>
#include <stdexcept>
#include <utility>
#include <vector>

namespace orlenda {
namespace {

constexpr std::string_view kUtf8Signature = "\xEF\xBB\xBF";

struct Line {
  std::string body;
  std::string ending;  // "\r\n", "\n", "\r" or empty for a last line without one
};

// The text as lines, with the UTF-8 signature that may stand before the first one.
struct IniLines {
  std::string signature;
  std::vector<Line> lines;
};

enum class LineKind { kBlank, kComment, kSection, kKey, kOther };

struct ParsedLine {
  LineKind kind = LineKind::kOther;
  std::string_view name;  // section name or key name, blanks removed
};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  return true;
}

IniLines SplitIni(std::string_view text) {
  IniLines ini;
  if (text.starts_with(kUtf8Signature)) {
    ini.signature = kUtf8Signature;
    text.remove_prefix(kUtf8Signature.size());
  }
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      ini.lines.push_back({std::string(text.substr(start)), {}});
      break;
    }
    const std::size_t endingSize = text.substr(end, 2) == "\r\n" ? 2 : 1;
    ini.lines.push_back(
        {std::string(text.substr(start, end - start)), std::string(text.substr(end, endingSize))});
    start = end + endingSize;
  }
  return ini;
}

std::string JoinIni(const IniLines& ini) {
  std::string text = ini.signature;
  for (const Line& line : ini.lines) text += line.body + line.ending;
  return text;
}

// The same reading of a line as the INI reader's: comments start with ';' or '#', a section header
// is "[name]" (anything after the ']' ignored), a key line needs an '=' after a non-empty name, and
// any other line is skipped.
ParsedLine ParseLine(std::string_view body) {
  const std::string_view content = TrimBlanks(body);
  if (content.empty()) return {LineKind::kBlank, {}};
  if (content.front() == ';' || content.front() == '#') return {LineKind::kComment, {}};
  if (content.front() == '[') {
    const std::size_t close = content.find(']');
    if (close == std::string_view::npos) return {LineKind::kOther, {}};
    return {LineKind::kSection, TrimBlanks(content.substr(1, close - 1))};
  }
  const std::size_t equals = content.find('=');
  if (equals == std::string_view::npos) return {LineKind::kOther, {}};
  const std::string_view name = TrimBlanks(content.substr(0, equals));
  if (name.empty()) return {LineKind::kOther, {}};
  return {LineKind::kKey, name};
}

bool CanStandAsName(std::string_view name, bool isSection) {
  if (name.empty() || name != TrimBlanks(name)) return false;
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
    const ParsedLine parsed = ParseLine(lines[i].body);
    if (parsed.kind == LineKind::kSection) {
      inSection = SameName(parsed.name, section);
      if (inSection) places.lastSectionLine = i;
    } else if (inSection && parsed.kind == LineKind::kKey) {
      places.lastSectionLine = i;
      if (SameName(parsed.name, key)) places.keyLines.push_back(i);
    }
  }
  return places;
}

// Adds a line after the line `after`, or at the end without one; the line before it gets a line end.
void InsertLine(IniLines& ini, std::optional<std::size_t> after, std::string body) {
  const std::string newLine = FirstLineEnding(ini.lines);
  const std::size_t at = after ? *after + 1 : ini.lines.size();
  if (at > 0 && ini.lines[at - 1].ending.empty()) ini.lines[at - 1].ending = newLine;
  ini.lines.insert(ini.lines.begin() + static_cast<std::ptrdiff_t>(at), Line{std::move(body), newLine});
}

// A new section goes at the end, set off from what stands before it by a blank line.
void AppendSection(IniLines& ini, std::string_view section, std::string keyLine) {
  if (!ini.lines.empty() && ParseLine(ini.lines.back().body).kind != LineKind::kBlank)
    InsertLine(ini, std::nullopt, {});
  InsertLine(ini, std::nullopt, "[" + std::string(section) + "]");
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
  IniLines ini = SplitIni(text);
  const KeyPlaces places = FindKey(ini.lines, section, key);
  if (!places.keyLines.empty()) {
    for (const std::size_t i : places.keyLines)
      ini.lines[i].body = std::string(ParseLine(ini.lines[i].body).name) + "=" + stored;
  } else if (places.lastSectionLine) {
    InsertLine(ini, places.lastSectionLine, std::string(key) + "=" + stored);
  } else {
    AppendSection(ini, section, std::string(key) + "=" + stored);
  }
  return JoinIni(ini);
}

}  // namespace orlenda
