#include "cli/export_command.h"

#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/lock_wait_option.h"
#include "cli/option_checks.h"
#include "mainlog/main_log_file.h"
#include "pilot/pilot_load.h"
#include "report/locale_report_context.h"
#include "report/rip_pilot.h"

namespace orlenda::cli {
namespace {

struct ExportOptions {
  std::vector<std::string> paths;
  std::string ini;
  std::string log;
  int waitSeconds = kDefaultLockWaitSeconds;
};

// The export line of one loaded pilot, composed by the same build as the desktop program's.
std::string ExportLineOf(const PilotRecord& record, const SettingsIni& store, const ReportContext& context) {
  MissionRange range{0, record.CampaignMissionCount};
  LineCollector report;
  std::string exportLine;
  RipPilot(record, store, context, range, report, exportLine);
  return exportLine;
}

// The lines go after the log's own bytes, which stay as they are; a log that cannot be read, or that is
// no text log (a pilot file named by mistake), is left alone.
bool AppendToLog(const std::string& log, const std::vector<std::string>& lines, int waitSeconds,
                 std::ostream& err) {
  const LogWriteResult appended = AppendMainLogLines(log, lines, LockWaitOf(waitSeconds, err));
  if (!appended.ok) PrintMessage(appended.message, err);
  return appended.ok;
}

int RunExport(const ExportOptions& options, std::ostream& out, std::ostream& err) {
  const SettingsIni store(SettingsPathOrDefault(options.ini, err));
  const ReportContext context = ReportContextFromLocale();
  int status = kSuccess;
  std::vector<std::string> lines;
  for (const std::string& path : options.paths) {
    const LoadResult loaded = LoadPilotFile(path);
    if (!loaded.Succeeded()) {
      PrintLoadMessages(loaded, err, options.paths.size() > 1 ? path : std::string());
      status = kFailure;
      continue;
    }
    try {
      lines.push_back(ExportLineOf(loaded.record, store, context));
    } catch (const SettingsError& e) {
      PrintMessage(e.what(), err);  // the same setting stops every pilot's build: nothing to export
      return kFailure;
    }
    if (options.log.empty()) out << lines.back() << '\n';
  }
  if (options.log.empty() || lines.empty()) return status;
  // With a log, the lines go to the log first and to standard output only once they are in it: a log
  // that could not take them leaves nothing printed, and an output that fails afterwards is reported
  // as such, with the log holding the lines.
  if (!AppendToLog(options.log, lines, options.waitSeconds, err)) return kFailure;
  for (const std::string& line : lines) out << line << '\n';
  if (!out.flush()) {
    PrintMessage("The export lines are in " + options.log + ", but standard output could not take them.",
                 err);
    return kFailure;
  }
  return status;
}

}  // namespace

void AddExportCommand(CLI::App& app, int& exitStatus) {
  auto* command =
      app.add_subcommand("export", "Print the export line of each pilot, or append them to a main log");
  auto options = std::make_shared<ExportOptions>();
  command->add_option("PILOT.plt", options->paths, "The pilot files")->required();
  command->add_option("--ini", options->ini, "Settings file to read instead of the desktop program's")
      ->check(SettingsFileCheck());
  command
      ->add_option("--log", options->log,
                   "Main log to append the export lines to first, then print them (its lines are kept byte "
                   "for byte)")
      ->check(FileNameCheck());
  AddLockWaitOption(*command, options->waitSeconds);
  command->callback([options, &exitStatus] { exitStatus = RunExport(*options, std::cout, std::cerr); });
}

}  // namespace orlenda::cli
