#pragma once

// Finding a key's value in INI text, read line by line under the rules of settings/ini_lines.h, which
// the in-place edit follows too.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orlenda {

// INI text parsed once, for any number of look-ups.
class ParsedIni {
 public:
  explicit ParsedIni(std::string_view text);

  // The value's bytes as they stand in the text, blanks around them removed; nothing when the section
  // or the key is missing. Section and key names match without regard to ASCII case; key lines before
  // the first section header belong to the section named "". A section that stands twice is one
  // section, and when a key stands twice in it, the later line counts.
  std::optional<std::string> Find(std::string_view section, std::string_view key) const;

 private:
  struct Entry {
    std::string section;
    std::string key;
    std::string value;
  };
  std::vector<Entry> entries_;  // every key line, in the order of the text
};

// ParsedIni(text).Find(section, key), for a single look-up.
std::optional<std::string> LookUpIniValue(std::string_view text, std::string_view section,
                                          std::string_view key);

}  // namespace orlenda
