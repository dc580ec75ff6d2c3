#include "settings/settings_recovery.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "base/atomic_file.h"

namespace orlenda {
namespace {

namespace fs = std::filesystem;

bool Exists(const std::string& path) {
  std::error_code ignored;
  return fs::symlink_status(path, ignored).type() != fs::file_type::not_found;
}

// Text files hold tabs, line ends and printable characters; a NUL or another control character means
// binary data (a damaged file, or a file of another kind under this name).
bool HoldsOnlyText(const std::string& bytes) {
  return std::none_of(bytes.begin(), bytes.end(), [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return (byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\r') || byte == 0x7F;
  });
}

}  // namespace

SettingsFileProblem CheckSettingsFile(const std::string& path) {
  std::error_code error;
  const fs::file_status status = fs::status(path, error);
  if (status.type() == fs::file_type::not_found) return SettingsFileProblem::None;
  if (error) return SettingsFileProblem::Unreadable;
  if (status.type() != fs::file_type::regular) return SettingsFileProblem::NotAPlainFile;
  std::string bytes;
  if (!ReadWholeFile(path, bytes)) return SettingsFileProblem::Unreadable;
  return HoldsOnlyText(bytes) ? SettingsFileProblem::None : SettingsFileProblem::NotText;
}

std::string SettingsProblemText(SettingsFileProblem problem) {
  switch (problem) {
    case SettingsFileProblem::None:
      return "can be used.";
    case SettingsFileProblem::NotAPlainFile:
      return "is not a file but a folder or a device.";
    case SettingsFileProblem::Unreadable:
      return "cannot be read (check its permissions).";
    case SettingsFileProblem::NotText:
      return "is damaged: it holds binary data instead of settings text.";
  }
  return {};
}

std::string FreeAsideName(const std::string& path) {
  std::string name = path + ".bad";
  for (int number = 2; Exists(name); ++number) name = path + ".bad" + std::to_string(number);
  return name;
}

std::optional<std::string> MoveSettingsFileAside(const std::string& path) {
  const std::string aside = FreeAsideName(path);
  std::error_code error;
  fs::rename(path, aside, error);
  if (error) return std::nullopt;
  return aside;
}

}  // namespace orlenda
