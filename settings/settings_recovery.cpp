#include "settings/settings_recovery.h"

#include <algorithm>

#include "base/file_bytes.h"
#include "base/folder_entries.h"
#include "base/path_kind.h"

namespace orlenda {
namespace {

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
  switch (KindOf(path)) {
    case PathKind::kMissing:
      return SettingsFileProblem::None;
    case PathKind::kUnexaminable:
      return SettingsFileProblem::Unreadable;
    case PathKind::kOther:
      return SettingsFileProblem::NotAPlainFile;
    case PathKind::kRegular:
      break;
  }
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
  for (int number = 2; !NothingAt(name); ++number) name = path + ".bad" + std::to_string(number);
  return name;
}

std::optional<std::string> MoveSettingsFileAside(const std::string& path) {
  const std::string aside = FreeAsideName(path);
  std::string ignored;
  if (!MoveOver(path, aside, ignored)) return std::nullopt;
  return aside;
}

}  // namespace orlenda
