#pragma once

// What the command-line tests share: a folder of their own with pilot files and a settings file.

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli_runner.h"
#include "support/file_contents.h"
#include "support/temp_dir.h"
#include "tools/pilot_file_writer.h"

namespace orlenda::test {

class CliFixture {
 protected:
  // Writes the record as a pilot file in the test's folder and returns its path.
  std::string PilotFile(const PilotRecord& record, const std::string& name) {
    const std::string path = dir_.File(name);
    tools::WriteBytesToFile(path, tools::EncodePilotFile(record));
    return path;
  }

  // Replaces the settings file with the section and these "key=value" lines.
  void Settings(const std::vector<std::string>& lines) {
    std::ofstream out(ini_, std::ios::binary | std::ios::trunc);
    out << "[Orlenda]\n";
    for (const std::string& line : lines) out << line << "\n";
  }

  static std::string Bytes(const std::string& path) { return test::ReadBytes(path); }

  TempDir dir_;
  std::string ini_ = dir_.File("orlenda3001.ini");
  // Where the desktop program's settings would be looked for: never used while --ini is given.
  EnvironmentOverrides environment_{{"XDG_CONFIG_HOME", dir_.File("config")}};
};

}  // namespace orlenda::test
