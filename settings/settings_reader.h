#pragma once

// Reading settings: what the setting readers and the report sections need, answered either by the
// store itself (the file as it is at each read) or by a snapshot of the file taken once.

#include <optional>
#include <string>
#include <string_view>

namespace orlenda {

class SettingsReader {
 public:
  // The key's value (UTF-8; a file written in Windows-1252 is decoded), even when empty, or nothing
  // when the file, section or key is missing or the file cannot be read. Names match without regard
  // to case and blanks around a value are dropped. At most 2047 characters are returned.
  virtual std::optional<std::string> FindSetting(std::string_view section, std::string_view key) const = 0;

  // The key's value as FindSetting gives it, or the default when the key is missing.
  std::string ReadSetting(std::string_view section, std::string_view key,
                          std::string_view defaultValue) const;

 protected:
  SettingsReader() = default;
  SettingsReader(const SettingsReader&) = default;
  SettingsReader& operator=(const SettingsReader&) = default;
  ~SettingsReader() = default;
};

}  // namespace orlenda
