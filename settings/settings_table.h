#pragma once

// Every setting of the program, once: its key, the settings dialog's control that shows it, how its text
// is read, the value a reader takes when the key is missing (which is also what the dialog's "Default"
// button puts in its control), and whether that button resets it. The readers, the settings dialog and
// the fuzz target all work from this table, so a new setting is one entry here plus the place that uses
// it (and its control in the dialog's layout).

#include <cstddef>
#include <iterator>
#include <string>
#include <string_view>

#include "base/ascii_text.h"
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
  // The object name of the settings dialog's control that shows the setting: a text field for a path, a
  // check box for a flag, a group box of radio buttons for a choice. Empty: not in the dialog.
  std::string_view control;
  SettingKind kind;
  std::string_view defaultText;                  // flags and choices
  PathDefault defaultPath = PathDefault::kNone;  // paths
  bool resetByDefaultButton = true;
};

// In the order in which the settings dialog loads and writes them.
inline constexpr Setting kSettings[] = {
    {"LastDir", "DirEdit", SettingKind::kPath, {}, PathDefault::kHomeFolder},
    {"LogFile", "LogFileEdit", SettingKind::kPath, {}, PathDefault::kMainLogFile},
    {"SaveFilename", "SaveFileNameCheckBox", SettingKind::kFlag, "1"},
    {"SaveLogFile", "SaveLogCheckBox", SettingKind::kFlag, "1", PathDefault::kNone,
     /*resetByDefaultButton=*/false},
    {"ShowMissionScore", "ShowScoreCheckBox", SettingKind::kFlag, "1"},
    {"ShowMissionBonus", "ShowBonusCheckBox", SettingKind::kFlag, "1"},
    {"ShowMissionTotal", "ShowTotalCheckBox", SettingKind::kFlag, "1"},
    {"ShowMissionTime", "ShowTimeCheckBox", SettingKind::kFlag, "0"},
    {"CheckCheat", "CheatCheckBox", SettingKind::kFlag, "1"},
    {"ShowErrorDetailes", "DetaildErrorsCheckBox", SettingKind::kFlag, "0"},
    // The listings test ShowZeroMissions against "0" instead.
    {"ShowZeroMissions", "ShowZeroCheckBox", SettingKind::kFlag, "0"},
    {"IncludeDate", "IncludeDateCheckBox", SettingKind::kFlag, "0"},
    {"MegaDetails", "MegaDetailsCheckBox", SettingKind::kFlag, "0"},
    {"NameSource", "NameSourceGroup", SettingKind::kChoice, "2"},
    {"ScoreFormat", "ScoreFormatGroup", SettingKind::kChoice, "1"},
    // Whether the desktop program keeps the states it opens and saves in the history.
    {"KeepHistory", "KeepHistoryCheckBox", SettingKind::kFlag, "1"},
};

// Each key and each control once (keys match without regard to case), and each entry with the default its
// kind needs.
consteval bool IsSoundSettingsTable() {
  for (std::size_t i = 0; i < std::size(kSettings); ++i) {
    const Setting& setting = kSettings[i];
    if (setting.key.empty() ||
        (setting.kind == SettingKind::kPath) != (setting.defaultPath != PathDefault::kNone))
      return false;
    if (setting.kind != SettingKind::kPath && setting.defaultText.empty()) return false;
    for (std::size_t j = 0; j < i; ++j)
      if (SameIgnoringAsciiCase(kSettings[j].key, setting.key) ||
          (!setting.control.empty() && kSettings[j].control == setting.control))
        return false;
  }
  return true;
}
static_assert(IsSoundSettingsTable(), "a key or a control stands twice, or an entry lacks its default");

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
