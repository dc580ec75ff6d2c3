#pragma once

// What every run of the program under test has in its environment before the test's own overrides:
// the C locale, and a history folder of the test program's own (removed when it ends), so that no run
// keeps states in the user's real history.

#include "cli_runner.h"
#include "support/temp_dir.h"

namespace orlenda::test {

inline EnvironmentOverrides RunnerDefaults() {
  static const TempDir dataFolder;
  const std::string data = dataFolder.File("data");
  return {{"LC_ALL", "C"}, {"XDG_DATA_HOME", data}, {"LOCALAPPDATA", data}};
}

}  // namespace orlenda::test
