#include "settings/typed_settings.h"

#include <optional>

#include "base/decimal_number.h"

namespace orlenda {

bool ReadFlag(const SettingsReader& store, const Setting& setting) { return ReadText(store, setting) == "1"; }

bool ReadShowZeroMissionsForListing(const SettingsReader& store) {
  return ReadText(store, SettingNamed("ShowZeroMissions")) != "0";
}

int ReadChoice(const SettingsReader& store, const Setting& setting) {
  return ParseDecimalSetting(ReadText(store, setting));
}

std::string ReadText(const SettingsReader& store, const Setting& setting) {
  if (std::optional<std::string> stored = store.FindSetting(kSettingsSection, setting.key)) return *stored;
  return DefaultValue(setting);
}

void WriteSettingValue(SettingsIni& store, const Setting& setting, std::string_view value) {
  store.WriteSetting(kSettingsSection, setting.key, value);
}

int ParseDecimalSetting(std::string_view text) {
  if (const std::optional<int> value = ParseDecimalNumber(text)) return *value;
  throw SettingsError("'" + std::string(text) + "' is not a valid integer value");
}

std::string ChoiceText(int value) { return std::to_string(value); }

std::string ApplyLastDirPresenceRule(SettingsIni& store, const std::string& currentFolder) {
  constexpr const Setting& lastDir = SettingNamed("LastDir");
  if (std::optional<std::string> stored = store.FindSetting(kSettingsSection, lastDir.key)) return *stored;
  WriteSettingValue(store, lastDir, currentFolder);
  return currentFolder;
}

}  // namespace orlenda
