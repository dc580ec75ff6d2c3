#include "cli/diff_command.h"

#include <exception>
#include <iostream>
#include <memory>
#include <string>

#include "base/windows1252.h"
#include "cli/command.h"
#include "cli/diff_output.h"
#include "pilot/pilot_load.h"
#include "report/pilot_comparison.h"

namespace orlenda::cli {
namespace {

// Prints the load's messages, each after the file's name. A load can succeed on a read that came up
// short after its last field; the comparison needs every byte, so that counts as a failure here.
bool ReportLoad(const LoadResult& load, const std::string& path, std::ostream& err) {
  const std::string name = Utf8FromUtf8OrWindows1252(path);
  for (const std::string& message : load.messages) PrintMessage(name + ": " + message, err);
  const bool whole = load.record.BytesOnDisk.size() == kPilotFileSize;
  if (load.Succeeded() && !whole) PrintMessage(name + ": the file could not be read to its end.", err);
  return load.Succeeded() && whole;
}

}  // namespace

int RunDiff(const DiffOptions& options, std::ostream& out, std::ostream& err) {
  const LoadResult oldCopy = LoadPilotFile(options.oldPath);
  const LoadResult newCopy = LoadPilotFile(options.newPath);
  const bool oldLoaded = ReportLoad(oldCopy, options.oldPath, err);
  const bool newLoaded = ReportLoad(newCopy, options.newPath, err);
  if (!oldLoaded || !newLoaded) return kDiffTrouble;

  const PilotDiff diff = ComparePilots({oldCopy.record, oldCopy.record.BytesOnDisk},
                                       {newCopy.record, newCopy.record.BytesOnDisk});
  if (options.json)
    WriteDiffJson(diff, options.oldPath, options.newPath, out);
  else
    WriteDiffText(diff, out);
  out.flush();
  if (!out) {
    err << "Unable to write the differences to standard output.\n";
    return kDiffTrouble;
  }
  return diff.Identical() ? kFilesIdentical : kFilesDiffer;
}

void AddDiffCommand(CLI::App& app, int& exitStatus) {
  auto* command = app.add_subcommand(
      "diff", "Show what changed between two copies of a pilot file (exit 0 identical, 1 differ, 2 trouble)");
  auto options = std::make_shared<DiffOptions>();
  command->add_option("OLD.plt", options->oldPath, "The earlier copy")->required();
  command->add_option("NEW.plt", options->newPath, "The later copy")->required();
  command->add_flag("--json", options->json, "Print one JSON object instead of lines of text");
  command->callback([options, &exitStatus] {
    try {
      exitStatus = RunDiff(*options, std::cout, std::cerr);
    } catch (const std::exception& e) {  // status 1 would say that the files differ
      PrintMessage(e.what(), std::cerr);
      exitStatus = kDiffTrouble;
    }
  });
}

}  // namespace orlenda::cli
