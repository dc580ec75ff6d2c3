#pragma once

// The user's own folders, as this system names them.

#include <string>
#include <string_view>
#include <vector>

namespace orlenda {

// $HOME, or the account's home folder when HOME is unset or empty; empty when neither is known.
// On Windows: %USERPROFILE%, or the profile folder the system knows.
std::string HomeFolder();

// The folder where programs keep their settings files: $XDG_CONFIG_HOME when it is an absolute path,
// else ~/.config; empty when the home folder is unknown. On Windows: %APPDATA%, or the roaming
// application data folder the system knows.
std::string ConfigFolder();

// The folder where this program keeps the data it gathers for the user (the history of the pilot
// files): orlenda3001 in $XDG_DATA_HOME when that is an absolute path, else in ~/.local/share; empty
// when the home folder is unknown. On Windows: "Orlenda 3001" in %LOCALAPPDATA%, or in the local
// application data folder the system knows. The folder may not exist yet.
std::string ProgramDataFolder();

// The folders that installed programs live in: on Windows %ProgramFiles% and %ProgramFiles(x86)%
// (those that are set); none on other systems.
std::vector<std::string> ProgramFolders();

// A file in a folder; the file name alone (the current folder) when the folder is unknown.
std::string InFolder(const std::string& folder, std::string_view name);

}  // namespace orlenda
