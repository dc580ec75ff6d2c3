// Where the settings file and the main log live by default on this system.

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "setting_reads.h"
#include "settings_ini.h"

namespace orlenda {
namespace {

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? std::string() : std::string(value);
}

// $HOME, or the account's home folder when HOME is unset or empty; empty when neither is known.
std::string HomeFolder() {
  std::string home = Environment("HOME");
  if (home.empty()) {
    if (const passwd* account = ::getpwuid(::getuid()); account != nullptr && account->pw_dir != nullptr)
      home = account->pw_dir;
  }
  return home;
}

// A file in a folder; a file name alone (the current folder) when the folder is unknown.
std::string InFolder(const std::string& folder, std::string_view name) {
  if (folder.empty()) return std::string(name);
  return folder.back() == '/' ? folder + std::string(name) : folder + "/" + std::string(name);
}

// The user's configuration folder. A relative XDG_CONFIG_HOME is ignored, as the XDG rules ask.
std::string ConfigFolder() {
  const std::string configured = Environment("XDG_CONFIG_HOME");
  if (!configured.empty() && configured.front() == '/') return configured;
  const std::string home = HomeFolder();
  return home.empty() ? std::string() : InFolder(home, ".config");
}

}  // namespace

std::string DefaultSettingsPath() { return InFolder(ConfigFolder(), kSettingsFileName); }

std::string DefaultLogFilePath() { return InFolder(HomeFolder(), "ORLENDA_MainLog.txt"); }

}  // namespace orlenda
