#include "cli/command.h"

#include <ostream>

#include "settings/default_paths.h"
#include "settings/settings_ini.h"

namespace orlenda::cli {

void PrintLoadMessages(const LoadResult& result, std::ostream& err) {
  for (const std::string& message : result.messages) err << message << '\n';
}

std::string SettingsPathOrDefault(const std::string& iniOption) {
  return iniOption.empty() ? DefaultSettingsPath() : iniOption;
}

}  // namespace orlenda::cli
