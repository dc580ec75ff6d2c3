#pragma once

// Every setting of the program, once: its key, how its text is read, the value a reader takes when the
// key is missing (which is also what the settings dialog's "Default" button puts in its control), and
// whether that button resets it. The readers, the settings dialog and the fuzz target all work from this
// table, so a new setting is one entry here plus the place that uses it.

#include <cstddef>
#include <iterator>
#include <string>
#include <string_view>

#include "base/user_folders.h"
#include "settings/default_paths.h"

namespace orlenda {

enum class SettingKind {
  kPath,    // free text, used as it stands
  kFlag,    // "1" is on, any other text off
  kChoice,  // decimal index of a radio-group item
};

// Where a path's default lies on this system.
enum class PathDefault { kNone, kHomeFolder, kMainLogFile };

struct Setting {
  std::string_view key;
  SettingKind kind;
  std::string_view defaultText;                  // flags and choices
  PathDefault defaultPath = PathDefault::kNone;  // paths
  bool resetByDefaultButton = true;
};

// In the order in which the settings dialog loads and writes them.
inline constexpr Setting kSettings[] = {
    {"LastDir", SettingKind::kPath, {}, PathDefault::kHomeFolder},
    {"LogFile", SettingKind::kPath, {}, PathDefault::kMainLogFile},
    {"SaveFilename", SettingKind::kFlag, "1"},
    {"SaveLogFile", SettingKind::kFlag, "1", PathDefault::kNone, /*resetByDefaultButton=*/false},
    {"ShowMissionScore", SettingKind::kFlag, "1"},
    {"ShowMissionBonus", SettingKind::kFlag, "1"},
    {"ShowMissionTotal", SettingKind::kFlag, "1"},
    {"ShowMissionTime", SettingKind::kFlag, "0"},
    {"CheckCheat", SettingKind::kFlag, "1"},
    {"ShowErrorDetailes", SettingKind::kFlag, "0"},
    {"ShowZeroMissions", SettingKind::kFlag, "0"},  // the listings test it against "0" instead
    {"IncludeDate", SettingKind::kFlag, "0"},
    {"MegaDetails", SettingKind::kFlag, "0"},
    {"NameSource", SettingKind::kChoice, "2"},
    {"ScoreFormat", SettingKind::kChoice, "1"},
};

// Each key once (names match without regard to case), and each entry with the default its kind needs.
consteval bool IsSoundSettingsTable() {
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  const auto same = [&](std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
      if (lower(a[i]) != lower(b[i])) return false;
    return true;
  };
  for (std::size_t i = 0; i < std::size(kSettings); ++i) {
    const Setting& setting = kSettings[i];
    if (setting.key.empty() ||
        (setting.kind == SettingKind::kPath) != (setting.defaultPath != PathDefault::kNone))
      return false;
    if (setting.kind != SettingKind::kPath && setting.defaultText.empty()) return false;
    for (std::size_t j = 0; j < i; ++j)
      if (same(kSettings[j].key, setting.key)) return false;
  }
  return true;
}
static_assert(IsSoundSettingsTable(), "a key stands twice or an entry lacks its default");

// The table's entry for a key, found while compiling: a key that is not in the table does not compile.
consteval const Setting& SettingNamed(std::string_view key) {
  for (const Setting& setting : kSettings)
    if (setting.key == key) return setting;
  throw "no setting has this key";
}

// The text a reader takes when the key is missing.
inline std::string DefaultValue(const Setting& setting) {
  switch (setting.defaultPath) {
    case PathDefault::kHomeFolder:
      return HomeFolder();
    case PathDefault::kMainLogFile:
      return DefaultLogFilePath();
    case PathDefault::kNone:
      break;
  }
  return std::string(setting.defaultText);
}

}  // namespace orlenda
