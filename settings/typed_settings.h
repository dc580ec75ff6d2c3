#pragma once

// The ways readers interpret a setting's text on top of ReadSetting, each with the default that the
// settings table gives the key.

#include <string>
#include <string_view>

#include "settings/settings_ini.h"
#include "settings/settings_reader.h"
#include "settings/settings_table.h"

namespace orlenda {

// A flag is on when its whole text is exactly "1".
bool ReadFlag(const SettingsReader& store, const Setting& setting);

// The mission listings' own test of ShowZeroMissions: on unless the text is exactly "0".
bool ReadShowZeroMissionsForListing(const SettingsReader& store);

// A choice: an optional sign followed by decimal digits. Anything else throws SettingsError
// "'<text>' is not a valid integer value", also for the empty text, blanks and values beyond int.
int ReadChoice(const SettingsReader& store, const Setting& setting);
int ParseDecimalSetting(std::string_view text);

// The text as it stands (a path, or a flag or choice before its test).
std::string ReadText(const SettingsReader& store, const Setting& setting);

// Stores the value as WriteSetting does, in the program's section.
void WriteSettingValue(SettingsIni& store, const Setting& setting, std::string_view value);

// Decimal text of an integer, with a leading "-" when negative.
std::string ChoiceText(int value);

// Makes sure that LastDir exists: a stored value is returned and left exactly as it stands; a missing
// key is written with the current folder, which is returned. Throws SettingsError when that write fails.
std::string ApplyLastDirPresenceRule(SettingsIni& store, const std::string& currentFolder);

}  // namespace orlenda
