#pragma once

// The settings store over the INI file: every read goes to the file and every write goes to the file
// at once, so a value written anywhere is seen by the very next read. No values are cached.

#include <stdexcept>
#include <string>
#include <string_view>

namespace orlenda {

// A failure the user is shown with its exact text ("Unable to write to %s",
// "'%s' is not a valid integer value").
class SettingsError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

inline constexpr std::string_view kSettingsSection = "Orlenda";
inline constexpr std::string_view kSettingsFileName = "orlenda3001.ini";

class SettingsIni {
 public:
  // Creating the store touches no file.
  explicit SettingsIni(std::string path);

  // The key's value (UTF-8; a file written in Windows-1252 is decoded), even when empty; the default
  // when the file, section or key is missing. At most 2047 characters are returned.
  std::string ReadSetting(std::string_view section, std::string_view key, std::string_view defaultValue) const;

  // Stores the value at once, creating the file, section and key as needed. Throws SettingsError
  // "Unable to write to <path>" when the file cannot be written; the old file is then intact.
  void WriteSetting(std::string_view section, std::string_view key, std::string_view value);

  // Everything written is already on disk; kept so that callers can say when they need it.
  void FlushSettings();

  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// $XDG_CONFIG_HOME/orlenda3001.ini, or ~/.config/orlenda3001.ini when that is unset or empty.
std::string DefaultSettingsPath();

}  // namespace orlenda
