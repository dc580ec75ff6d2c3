#include "cli/dump_command.h"

#include <iostream>

#include "cli/command.h"
#include "cli/pilot_json.h"
#include "pilot/pilot_load.h"

namespace orlenda::cli {

void AddDumpCommand(CLI::App& app, int& exitStatus) {
  auto* command = app.add_subcommand("dump", "Print the loaded pilot file as one JSON object");
  auto path = std::make_shared<std::string>();
  command->add_option("PILOT.plt", *path, "The pilot file")->required();
  command->callback([path, &exitStatus] {
    const LoadResult result = LoadPilotFile(*path);
    if (!result.Succeeded()) {
      PrintLoadMessages(result, std::cerr);
      exitStatus = kFailure;
      return;
    }
    WritePilotJson(result.record, std::cout);
    std::cout << '\n';
    exitStatus = kSuccess;
  });
}

}  // namespace orlenda::cli
