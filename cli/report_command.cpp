#include "cli/report_command.h"

#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include "cli/command.h"
#include "cli/option_checks.h"
#include "pilot/pilot_load.h"
#include "report/locale_report_context.h"
#include "report/rip_pilot.h"

namespace orlenda::cli {
namespace {

struct ReportOptions {
  std::string path;
  std::string ini;
  std::optional<std::string> from;  // checked by DecimalNumberCheck
  std::optional<std::string> to;
};

// Writes each line to the stream as it comes, so that a build stopped by an error leaves the lines
// written before it.
class StreamSink final : public TextSink {
 public:
  explicit StreamSink(std::ostream& out) : out_(out) {}
  void Clear() override {}
  void AppendLine(std::string_view line) override { out_ << line << '\n'; }

 private:
  std::ostream& out_;
};

int RunReport(const ReportOptions& options, std::ostream& out, std::ostream& err) {
  const LoadResult loaded = LoadPilotFile(options.path);
  if (!loaded.Succeeded()) {
    PrintLoadMessages(loaded, err);
    return kFailure;
  }
  return PrintPilotReport(loaded.record, options.ini, options.from, options.to, out, err);
}

}  // namespace

int PrintPilotReport(const PilotRecord& record, const std::string& ini,
                     const std::optional<std::string>& from, const std::optional<std::string>& to,
                     std::ostream& out, std::ostream& err) {
  const SettingsIni store(SettingsPathOrDefault(ini, err));
  const auto number = [](const std::optional<std::string>& given, int otherwise) {
    return given ? ParseDecimalNumber(*given).value_or(otherwise) : otherwise;
  };
  MissionRange range{number(from, 0), number(to, record.CampaignMissionCount)};
  StreamSink sink(out);
  std::string exportLine;
  try {
    RipPilot(record, store, ReportContextFromLocale(), range, sink, exportLine);
  } catch (const SettingsError& e) {
    out.flush();
    PrintMessage(e.what(), err);
    return kFailure;
  }
  return kSuccess;
}

void AddReportCommand(CLI::App& app, int& exitStatus) {
  auto* command = app.add_subcommand("report", "Print the pilot report that the pilot file view shows");
  auto options = std::make_shared<ReportOptions>();
  command->add_option("PILOT.plt", options->path, "The pilot file")->required();
  command->add_option("--ini", options->ini, "Settings file to read instead of the desktop program's")
      ->check(SettingsFileCheck());
  command->add_option("--from", options->from, "First campaign mission to list (the \"From:\" field)")
      ->check(DecimalNumberCheck());
  command
      ->add_option("--to", options->to,
                   "Last campaign mission to list (the \"To:\" field; default: the completed missions)")
      ->check(DecimalNumberCheck());
  command->callback([options, &exitStatus] { exitStatus = RunReport(*options, std::cout, std::cerr); });
}

}  // namespace orlenda::cli
