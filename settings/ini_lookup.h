#pragma once

// Finding a key's value in INI text, read line by line under the rules of settings/ini_lines.h, which
// the in-place edit follows too.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

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
  // A section and key name as a look-up gives them, compared with the stored entry names without a
  // folded copy being made: a look-up allocates nothing unless it finds a value.
  struct Names {
    std::string_view section;
    std::string_view key;
  };
  struct EntryHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view entry) const;
    std::size_t operator()(const Names& names) const;
  };
  struct EntryEqual {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const { return a == b; }
    bool operator()(std::string_view entry, const Names& names) const;
    bool operator()(const Names& names, std::string_view entry) const { return (*this)(entry, names); }
  };

  // The folded section name, a line break (which no name can hold) and the folded key name.
  static std::string EntryName(std::string_view section, std::string_view key);

  // By EntryName, the later line's value.
  std::unordered_map<std::string, std::string, EntryHash, EntryEqual> values_;
};

// ParsedIni(text).Find(section, key), for a single look-up.
std::optional<std::string> LookUpIniValue(std::string_view text, std::string_view section,
                                          std::string_view key);

}  // namespace orlenda
