#include "base/user_folders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace orlenda {
namespace {

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? std::string() : std::string(value);
}

}  // namespace

std::string HomeFolder() {
  std::string home = Environment("HOME");
  if (home.empty()) {
    if (const passwd* account = ::getpwuid(::getuid()); account != nullptr && account->pw_dir != nullptr)
      home = account->pw_dir;
  }
  return home;
}

std::string ConfigFolder() {
  // A relative XDG_CONFIG_HOME is ignored, as the XDG rules ask.
  const std::string configured = Environment("XDG_CONFIG_HOME");
  if (!configured.empty() && configured.front() == '/') return configured;
  const std::string home = HomeFolder();
  return home.empty() ? std::string() : InFolder(home, ".config");
}

std::string ProgramDataFolder() {
  const std::string configured = Environment("XDG_DATA_HOME");
  if (!configured.empty() && configured.front() == '/') return InFolder(configured, "orlenda3001");
  const std::string home = HomeFolder();
  return home.empty() ? std::string() : InFolder(InFolder(InFolder(home, ".local"), "share"), "orlenda3001");
}

std::vector<std::string> ProgramFolders() { return {}; }

}  // namespace orlenda
