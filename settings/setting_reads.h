#pragma once

// The ways readers interpret a setting's text on top of ReadSetting, and the key names.

#include <string>
#include <string_view>

#include "settings/settings_ini.h"
#include "settings/settings_reader.h"

namespace orlenda {

namespace key {
inline constexpr std::string_view LastDir = "LastDir";
inline constexpr std::string_view LogFile = "LogFile";
inline constexpr std::string_view SaveFilename = "SaveFilename";
inline constexpr std::string_view SaveLogFile = "SaveLogFile";
inline constexpr std::string_view ShowMissionScore = "ShowMissionScore";
inline constexpr std::string_view ShowMissionBonus = "ShowMissionBonus";
inline constexpr std::string_view ShowMissionTotal = "ShowMissionTotal";
inline constexpr std::string_view ShowMissionTime = "ShowMissionTime";
inline constexpr std::string_view CheckCheat = "CheckCheat";
inline constexpr std::string_view ShowErrorDetailes = "ShowErrorDetailes";
inline constexpr std::string_view ShowZeroMissions = "ShowZeroMissions";
inline constexpr std::string_view IncludeDate = "IncludeDate";
inline constexpr std::string_view MegaDetails = "MegaDetails";
inline constexpr std::string_view NameSource = "NameSource";
inline constexpr std::string_view ScoreFormat = "ScoreFormat";
}  // namespace key

// A flag is on when its whole text is exactly "1".
bool ReadFlag(const SettingsReader& store, std::string_view key, std::string_view defaultValue);

// The mission listings' own test of ShowZeroMissions: on unless the text is exactly "0" (default "0").
bool ReadShowZeroMissionsForListing(const SettingsReader& store);

// A choice: an optional sign followed by decimal digits. Anything else throws SettingsError
// "'<text>' is not a valid integer value", also for the empty text, blanks and values beyond int.
int ReadChoice(const SettingsReader& store, std::string_view key, std::string_view defaultValue);
int ParseDecimalSetting(std::string_view text);

// Decimal text of an integer, with a leading "-" when negative.
std::string ChoiceText(int value);

// Makes sure that LastDir exists: a stored value is returned and left exactly as it stands; a missing
// key is written with the current folder, which is returned. Throws SettingsError when that write fails.
std::string ApplyLastDirPresenceRule(SettingsIni& store, const std::string& currentFolder);

}  // namespace orlenda
