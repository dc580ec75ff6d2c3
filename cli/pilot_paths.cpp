#include "cli/pilot_paths.h"

#include "base/path_kind.h"
#include "cli/command.h"
#include "roster/roster_build.h"

namespace orlenda::cli {

void AddPilotPathsArgument(CLI::App& command, std::vector<std::string>& paths) {
  command.add_option("FOLDER|PILOT.plt", paths, "A folder of pilot files, or pilot files")->required();
}

std::vector<std::string> PilotPathsOf(const std::vector<std::string>& arguments, bool& allRead,
                                      std::ostream& err) {
  std::vector<std::string> paths;
  for (const std::string& argument : arguments) {
    if (!IsFolder(argument)) {
      paths.push_back(argument);
      continue;
    }
    bool readable = false;
    std::string reason;
    std::vector<std::string> files = PilotFilesIn(argument, readable, &reason);
    if (!readable) {
      PrintMessage("Cannot read the folder " + argument + " (" + reason + ")", err);
      allRead = false;
    }
    paths.insert(paths.end(), files.begin(), files.end());
  }
  return paths;
}

}  // namespace orlenda::cli
