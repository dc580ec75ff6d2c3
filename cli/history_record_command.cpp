// `history record PILOT.plt|FOLDER...` and `history watch FOLDER...`: the present states kept now, or
// each new state as the game writes it until the program is stopped.

#include <chrono>
#include <iostream>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base/display_text.h"
#include "base/folder_listing.h"
#include "base/path_kind.h"
#include "base/system_file.h"
#include "base/termination_requests.h"
#include "base/windows1252.h"
#include "cli/command.h"
#include "cli/history_access.h"
#include "cli/history_commands.h"
#include "pilot/pilot_file_name.h"

namespace orlenda::cli {
namespace {

struct RecordOptions {
  std::vector<std::string> paths;
  int intervalSeconds = 2;
};

// The pilot files a folder holds, or the file itself.
std::vector<std::string> PilotFilesOf(const std::string& path, std::ostream& err) {
  if (!IsFolder(path)) return {path};
  const FolderListing listing = ListFolder(path, [](std::string_view name) { return IsPilotFileName(name); });
  if (!listing.readable)
    PrintMessage("Unable to read the folder " + Utf8FromUtf8OrWindows1252(path) + ": " + listing.reason + ".",
                 err);
  std::vector<std::string> files;
  for (const FolderEntry& entry : listing.entries)
    if (entry.kind == EntryKind::kFile) files.push_back(entry.path);
  return files;
}

// Keeps the file's present state and says so: "state 2 of PATH (new)".
bool RecordFile(HistoryStore& store, const std::string& path, StateKind kind, std::ostream& out,
                std::ostream& err) {
  const auto loaded = LoadWholePilot(path, err);
  if (!loaded) return false;
  const auto recorded = KeepState(store, path, *loaded, kind, err);
  if (!recorded) return false;
  out << "state " << recorded->number << " of " << EscapedText(Utf8FromUtf8OrWindows1252(path))
      << (recorded->newState ? " (new)" : "") << '\n';
  out.flush();
  return true;
}

int RunRecord(const RecordOptions& options, const std::string& history, std::ostream& out,
              std::ostream& err) {
  auto store = OpenHistory(history, err);
  if (!store->IsAvailable()) return kFailure;
  bool allKept = true;
  for (const std::string& path : options.paths)
    for (const std::string& file : PilotFilesOf(path, err))
      allKept = RecordFile(*store, file, StateKind::kRecorded, out, err) && allKept;
  return allKept ? kSuccess : kFailure;
}

// What a file looked like at the last look: a new size or modification time is a write to read.
using FileMarks = std::map<std::string, std::pair<std::int64_t, std::optional<std::int64_t>>>;

void LookForWrites(HistoryStore& store, const RecordOptions& options, FileMarks& marks, bool firstLook,
                   std::ostream& out, std::ostream& err) {
  for (const std::string& path : options.paths)
    for (const std::string& file : PilotFilesOf(path, err)) {
      SystemFile opened(file, SystemFile::Mode::kRead);
      const auto mark = std::make_pair(opened.RegularFileSize(), opened.ModifiedTime());
      opened.Close();
      auto [known, isNew] = marks.try_emplace(file, mark);
      if (!isNew && known->second == mark) continue;
      known->second = mark;
      // The files as the watch finds them are recorded; what changes afterwards is the game's.
      RecordFile(store, file, isNew && firstLook ? StateKind::kRecorded : StateKind::kGameWrite, out, err);
    }
}

int RunWatch(const RecordOptions& options, const std::string& history, std::ostream& out, std::ostream& err) {
  auto store = OpenHistory(history, err);
  if (!store->IsAvailable()) return kFailure;
  const TerminationRequests requests;
  FileMarks marks;
  bool firstLook = true;
  do {
    LookForWrites(*store, options, marks, std::exchange(firstLook, false), out, err);
  } while (!requests.WaitForRequest(std::chrono::seconds(options.intervalSeconds)));
  return kSuccess;
}

}  // namespace

void AddHistoryRecordCommand(CLI::App& history, const HistoryOption& database, int& exitStatus) {
  auto* command = history.add_subcommand("record", "Keep the present state of pilot files");
  auto options = std::make_shared<RecordOptions>();
  command->add_option("PILOT.plt|FOLDER", options->paths, "Pilot files, or folders of pilot files")
      ->required();
  command->footer(
      "Each state kept is named on standard output: \"state 2 of PATH\", with \"(new)\" when first seen.");
  command->callback([options, database, &exitStatus] {
    exitStatus = RunRecord(*options, *database, std::cout, std::cerr);
  });
}

void AddHistoryWatchCommand(CLI::App& history, const HistoryOption& database, int& exitStatus) {
  auto* command =
      history.add_subcommand("watch", "Keep each new state of pilot files as the game writes them");
  auto options = std::make_shared<RecordOptions>();
  command->add_option("FOLDER", options->paths, "Folders of pilot files, or pilot files")->required();
  command
      ->add_option("--interval", options->intervalSeconds,
                   "Seconds between two looks at the files (default 2)")
      ->check(CLI::Range(1, 3600));
  command->footer(
      "Runs until stopped (Ctrl+C, or the signals SIGINT and SIGTERM); each state kept is named on "
      "standard output as `record` names it.");
  command->callback(
      [options, database, &exitStatus] { exitStatus = RunWatch(*options, *database, std::cout, std::cerr); });
}

}  // namespace orlenda::cli
