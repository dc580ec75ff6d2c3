#include "settings/ini_lines.h"

namespace orlenda {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::string_view TrimIniBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

bool SameIniName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (FoldedIniChar(a[i]) != FoldedIniChar(b[i])) return false;
  return true;
}

std::string FoldedIniName(std::string_view name) {
  std::string folded(name);
  for (char& c : folded) c = FoldedIniChar(c);
  return folded;
}

IniText SplitIniText(std::string_view text) {
  IniText ini;
  if (text.starts_with(kUtf8Signature)) {
    ini.signature = text.substr(0, kUtf8Signature.size());
    text.remove_prefix(kUtf8Signature.size());
  }
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      ini.lines.push_back({text.substr(start), {}});
      break;
    }
    const std::size_t endingSize = text.substr(end, 2) == "\r\n" ? 2 : 1;
    ini.lines.push_back({text.substr(start, end - start), text.substr(end, endingSize)});
    start = end + endingSize;
  }
  return ini;
}

ParsedIniLine ParseIniLine(std::string_view body) {
  const std::string_view content = TrimIniBlanks(body);
  if (content.empty()) return {IniLineKind::kBlank, {}, {}};
  if (content.front() == ';' || content.front() == '#') return {IniLineKind::kComment, {}, {}};
  if (content.front() == '[') {
    const std::size_t close = content.find(']');
    if (close == std::string_view::npos) return {IniLineKind::kOther, {}, {}};
    return {IniLineKind::kSection, TrimIniBlanks(content.substr(1, close - 1)), {}};
  }
  const std::size_t equals = content.find('=');
  if (equals == std::string_view::npos) return {IniLineKind::kOther, {}, {}};
  const std::string_view name = TrimIniBlanks(content.substr(0, equals));
  if (name.empty()) return {IniLineKind::kOther, {}, {}};
  return {IniLineKind::kKey, name, TrimIniBlanks(content.substr(equals + 1))};
}

}  // namespace orlenda
