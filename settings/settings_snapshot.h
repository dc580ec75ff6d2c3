#pragma once

// The settings file as it stood at one moment, parsed once. It answers every read from memory exactly
// as the store would have answered at that moment, and it cannot write. A report build takes one, so
// that its many reads cost one reading of the file; nothing can write the file while a build runs.

#include <optional>
#include <string>
#include <string_view>

#include "settings/ini_lookup.h"
#include "settings/settings_reader.h"

namespace orlenda {

class SettingsSnapshot final : public SettingsReader {
 public:
  // Reads the file now. A missing file, or one that is not a regular file or cannot be read, gives a
  // snapshot in which every key is missing, so that every read returns its default.
  explicit SettingsSnapshot(const std::string& path);

  // INI text held in memory, read as if it were the file's.
  static SettingsSnapshot OfText(std::string_view text);

  std::optional<std::string> FindSetting(std::string_view section, std::string_view key) const override;

 private:
  explicit SettingsSnapshot(ParsedIni ini);

  ParsedIni ini_;
};

}  // namespace orlenda
