#pragma once

// Finding a key's value in INI text. The one place that parses INI text, so that every read
// sees the file exactly as the INI reader does.

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace orlenda {

// INI text parsed once, for any number of look-ups.
class ParsedIni {
 public:
  explicit ParsedIni(std::string_view text);
  ParsedIni(ParsedIni&&) noexcept;
  ParsedIni& operator=(ParsedIni&&) noexcept;
  ~ParsedIni();

  // The value's bytes as they stand in the text, blanks around them removed; nothing when the section
  // or the key is missing. Section and key names match without regard to ASCII case. When a key stands
  // twice in a section, the later line counts.
  std::optional<std::string> Find(std::string_view section, std::string_view key) const;

 private:
  class Reader;
  std::unique_ptr<Reader> reader_;  // empty when the text could not be parsed: every key is missing
};

// ParsedIni(text).Find(section, key), for a single look-up.
std::optional<std::string> LookUpIniValue(std::string_view text, std::string_view section,
                                          std::string_view key);

}  // namespace orlenda
