// orlenda3001-cli: the headless companion of the desktop program, over the same core.

#include <CLI/CLI.hpp>
#include <clocale>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "base/command_line.h"
#include "cli/command.h"
#include "cli/dump_command.h"
#include "cli/export_command.h"
#include "cli/report_command.h"
#include "cli/update_command.h"

int main(int argc, char** argv) {
  std::setlocale(LC_ALL, "");  // the decimal separator of reports follows the user's locale
  orlenda::WriteUtf8Output();
  CLI::App app{"Orlenda 3001 <Light> command-line front end: pilot files without windows", "orlenda3001-cli"};
  app.require_subcommand(1);
  // CLI11 reads "/name" as an option on Windows; there it is a path (Wine's /home/..., \\server shares).
  app.allow_windows_style_options(false);
  int exitStatus = orlenda::cli::kSuccess;
  orlenda::cli::AddDumpCommand(app, exitStatus);
  orlenda::cli::AddUpdateCommand(app, exitStatus);
  orlenda::cli::AddReportCommand(app, exitStatus);
  orlenda::cli::AddExportCommand(app, exitStatus);

  try {
    // CLI11 takes the arguments last first.
    std::vector<std::string> arguments = orlenda::Utf8Arguments(argc, argv);
    app.parse(std::vector<std::string>(arguments.rbegin(), arguments.rend()));
  } catch (const CLI::Success& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    app.exit(e);
    return orlenda::cli::kUsageError;
  } catch (const std::exception& e) {
    std::cerr << e.what() << '\n';
    return orlenda::cli::kFailure;
  }
  return exitStatus;
}
