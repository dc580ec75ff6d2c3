#pragma once

// Where the settings file and the main log live by default on this system.

#include <string>

namespace orlenda {

// The settings file in the user's configuration folder.
std::string DefaultSettingsPath();

// The main log in the home folder.
std::string DefaultLogFilePath();

}  // namespace orlenda
