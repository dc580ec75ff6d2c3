#pragma once

// The settings store over the INI file: every read goes to the file and every write goes to the file
// at once, so a value written anywhere is seen by the very next read; nothing is left to flush. No
// values are cached.

#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "base/locked_file.h"
#include "settings/settings_reader.h"
#include "settings/settings_snapshot.h"

namespace orlenda {

// A failure the user is shown with its exact text ("Unable to write to %s",
// "'%s' is not a valid integer value").
class SettingsError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

inline constexpr std::string_view kSettingsSection = "Orlenda";
inline constexpr std::string_view kSettingsFileName = "orlenda3001.ini";

class SettingsIni final : public SettingsReader {
 public:
  // Creating the store touches no file.
  explicit SettingsIni(std::string path);

  // Reads the file now, at every call (see SettingsReader). Never creates the file.
  std::optional<std::string> FindSetting(std::string_view section, std::string_view key) const override;

  // The file as it is now, for a series of reads during which nothing writes it.
  SettingsSnapshot Snapshot() const;

  // Stores the value (UTF-8) at once as "key=value", creating the file, its folder, the section and the
  // key as needed. An existing key is rewritten in place; every other line of the file keeps its bytes.
  // A value holds one line: anything from a line break on is not stored. Throws SettingsError
  // "Unable to write to <path>" when the file cannot be written, or when it exists but cannot be read
  // (its other settings would be lost); the old file is then intact.
  void WriteSetting(std::string_view section, std::string_view key, std::string_view value);

  const std::string& path() const { return path_; }

  // How each write waits for the file's lock while another program holds it: the maker gives the wait
  // of one write (the desktop program's box, which stands over that write only), and a wait given up
  // (its Cancel) fails the write as any failed write does. Unset: a silent wait of up to a minute.
  using LockWaitMaker = std::function<std::shared_ptr<const LockWait>()>;
  void UseLockWaits(LockWaitMaker maker) { lockWaits_ = std::move(maker); }

 private:
  std::string path_;
  LockWaitMaker lockWaits_;
};

}  // namespace orlenda
