#include "settings_ini.h"

#include <filesystem>
#include <system_error>
#include <utility>

#include "atomic_file.h"
#include "ini_lookup.h"
#include "ini_text_edit.h"
#include "windows1252.h"

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

// The reader drops blanks around a value.
std::string WithoutOuterBlanks(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return std::string(text.substr(first, text.find_last_not_of(" \t") - first + 1));
}

bool IsRegularFile(const std::string& path) {
  std::error_code ignored;
  return std::filesystem::is_regular_file(path, ignored);
}

bool IsMissing(const std::string& path) {
  std::error_code ignored;
  return std::filesystem::status(path, ignored).type() == std::filesystem::file_type::not_found;
}

// The file's text for a read: empty when it is missing or cannot be read, which yields the defaults.
// Only a regular file is read, so that a folder or a pipe in its place cannot block or mislead.
std::string TextForReading(const std::string& path) {
  std::string text;
  if (!IsRegularFile(path) || !ReadWholeFile(path, text)) return {};
  return text;
}

// The file's text before a write: empty for a missing file; nothing when a file is there but cannot
// be read, because writing would then lose its other settings.
bool TextBeforeWriting(const std::string& path, std::string& text) {
  if (IsMissing(path)) {
    text.clear();
    return true;
  }
  return IsRegularFile(path) && ReadWholeFile(path, text);
}

// A fresh profile may lack the folder that holds the file (~/.config on a new account).
void CreateMissingFolder(const std::string& path) {
  const std::filesystem::path folder = std::filesystem::path(path).parent_path();
  std::error_code ignored;
  if (!folder.empty() && !std::filesystem::exists(folder, ignored))
    std::filesystem::create_directories(folder, ignored);
}

}  // namespace

SettingsIni::SettingsIni(std::string path) : path_(std::move(path)) {}

std::optional<std::string> SettingsIni::FindSetting(std::string_view section, std::string_view key) const {
  const std::optional<std::string> raw = LookUpIniValue(TextForReading(path_), section, key);
  if (!raw) return std::nullopt;
  return FirstCharacters(Utf8FromUtf8OrWindows1252(*raw), kMaxValueCharacters);
}

std::string SettingsIni::ReadSetting(std::string_view section, std::string_view key,
                                     std::string_view defaultValue) const {
  std::optional<std::string> value = FindSetting(section, key);
  return value ? std::move(*value) : std::string(defaultValue);
}

void SettingsIni::WriteSetting(std::string_view section, std::string_view key, std::string_view value) {
  const SettingsError failure("Unable to write to " + path_);
  std::string oldText;
  if (!TextBeforeWriting(path_, oldText)) throw failure;
  const std::string newText = WithIniValue(oldText, section, key, value);

  // The edited text must read back as the value; a file so odd that it would not is left alone.
  const std::optional<std::string> readBack = LookUpIniValue(newText, section, key);
  if (readBack != WithoutOuterBlanks(StoredIniValue(value))) throw failure;

  if (newText == oldText) return;  // already stored; a read-only file that holds it is no failure
  CreateMissingFolder(path_);
  if (!WriteFileAtomically(path_, newText)) throw failure;
}

void SettingsIni::FlushSettings() const {}

}  // namespace orlenda
