#include "settings/default_paths.h"

#include "base/user_folders.h"
#include "settings/settings_ini.h"

namespace orlenda {

std::string DefaultSettingsPath() { return InFolder(ConfigFolder(), kSettingsFileName); }

std::string DefaultLogFilePath() { return InFolder(HomeFolder(), "ORLENDA_MainLog.txt"); }

}  // namespace orlenda
