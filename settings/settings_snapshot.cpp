#include "settings/settings_snapshot.h"

#include <utility>

#include "base/file_bytes.h"
#include "base/path_kind.h"
#include "base/windows1252.h"

namespace orlenda {
namespace {

// As much of a value as the program ever takes from the file.
constexpr std::size_t kMaxValueCharacters = 2047;

std::string FirstCharacters(std::string utf8, std::size_t count) {
  std::size_t seen = 0;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const bool startsCharacter = (static_cast<unsigned char>(utf8[i]) & 0xC0) != 0x80;
    if (startsCharacter && seen++ == count) {
      utf8.resize(i);
      break;
    }
  }
  return utf8;
}

// The file's text: empty when it is missing or cannot be read, which yields the defaults. Only a
// regular file is read, so that a folder or a pipe in its place cannot block or mislead.
std::string TextForReading(const std::string& path) {
  std::string text;
  if (!IsRegularFile(path) || !ReadWholeFile(path, text)) return {};
  return text;
}

}  // namespace

SettingsSnapshot::SettingsSnapshot(const std::string& path) : ini_(TextForReading(path)) {}

SettingsSnapshot::SettingsSnapshot(ParsedIni ini) : ini_(std::move(ini)) {}

SettingsSnapshot SettingsSnapshot::OfText(std::string_view text) { return SettingsSnapshot(ParsedIni(text)); }

std::optional<std::string> SettingsSnapshot::FindSetting(std::string_view section,
                                                         std::string_view key) const {
  const std::optional<std::string> raw = ini_.Find(section, key);
  if (!raw) return std::nullopt;
  return FirstCharacters(Utf8FromUtf8OrWindows1252(*raw), kMaxValueCharacters);
}

}  // namespace orlenda
