#include "settings/settings_reader.h"

#include <utility>

namespace orlenda {

std::string SettingsReader::ReadSetting(std::string_view section, std::string_view key,
                                        std::string_view defaultValue) const {
  std::optional<std::string> value = FindSetting(section, key);
  return value ? std::move(*value) : std::string(defaultValue);
}

}  // namespace orlenda
