// orlenda3001-cli: the headless companion of the desktop program, over the same core.

#include <CLI/CLI.hpp>
#include <clocale>
#include <exception>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "base/command_line.h"
#include "base/limit_signals.h"
#include "base/standard_streams.h"
#include "cli/command.h"
#include "cli/diff_command.h"
#include "cli/dump_command.h"
#include "cli/export_command.h"
#include "cli/history_command.h"
#include "cli/option_checks.h"
#include "cli/report_command.h"
#include "cli/review_command.h"
#include "cli/roster_command.h"
#include "cli/update_command.h"

namespace {

// CLI11's own texts (help, usage errors) quote the arguments: they are made printable on the way out.
int ExitWithCliText(const CLI::App& app, const CLI::Error& error) {
  std::ostringstream out;
  std::ostringstream err;
  const int status = app.exit(error, out, err);
  std::cout << out.str();
  std::istringstream lines(err.str());
  for (std::string line; std::getline(lines, line);) orlenda::cli::PrintMessage(line, std::cerr);
  return status;
}

int Run(int argc, char** argv) {
  CLI::App app{"Orlenda 3001 <Light> command-line front end: pilot files without windows", "orlenda3001-cli"};
  app.require_subcommand(1);
  // CLI11 reads "/name" as an option on Windows; there it is a path (Wine's /home/..., \\server shares).
  app.allow_windows_style_options(false);
  int exitStatus = orlenda::cli::kSuccess;
  orlenda::cli::AddDumpCommand(app, exitStatus);
  orlenda::cli::AddUpdateCommand(app, exitStatus);
  orlenda::cli::AddReportCommand(app, exitStatus);
  orlenda::cli::AddExportCommand(app, exitStatus);
  orlenda::cli::AddDiffCommand(app, exitStatus);
  orlenda::cli::AddRosterCommand(app, exitStatus);
  orlenda::cli::AddHistoryCommand(app, exitStatus);
  orlenda::cli::AddReviewCommand(app, exitStatus);
  orlenda::cli::RefuseEmptyValues(app);

  try {
    // CLI11 takes the arguments last first.
    std::vector<std::string> arguments = orlenda::Utf8Arguments(argc, argv);
    if (const auto refusal = orlenda::cli::EmptyValueAfterEquals(arguments)) {
      orlenda::cli::PrintMessage(*refusal, std::cerr);
      return orlenda::cli::kUsageError;
    }
    app.parse(std::vector<std::string>(arguments.rbegin(), arguments.rend()));
  } catch (const CLI::Success& e) {
    return ExitWithCliText(app, e);
  } catch (const CLI::ParseError& e) {
    ExitWithCliText(app, e);
    return orlenda::cli::kUsageError;
  } catch (const std::exception& e) {
    orlenda::cli::PrintMessage(e.what(), std::cerr);
    return orlenda::cli::kFailure;
  }
  return exitStatus;
}

}  // namespace

int main(int argc, char** argv) {
  orlenda::TreatLimitSignalsAsFailures();   // a full pipe or a size limit is an error, not a death
  orlenda::ReserveClosedStandardStreams();  // before any file is opened
  orlenda::WriteUtf8Output();
  std::setlocale(LC_ALL, "");  // the decimal separator of reports follows the user's locale
  const int status = Run(argc, argv);
  return orlenda::cli::StatusAfterFlush(status, std::cout, std::cerr);
}
