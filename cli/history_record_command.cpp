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
#include "base/file_stamp.h"
#include "base/folder_listing.h"
#include "base/path_kind.h"
#include "base/sha256.h"
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

// "state 2 of PATH (new)": a state kept, as a finished recording reports it.
void PrintRecorded(const RecordedState& recorded, const std::string& path, std::ostream& out) {
  out << "state " << recorded.number << " of " << EscapedText(Utf8FromUtf8OrWindows1252(path))
      << (recorded.newState ? " (new)" : "") << '\n';
  out.flush();
}

// Keeps the file's present state and says so. A file whose stamp is the one recorded with the pilot's
// current state is that state still, and is neither read nor hashed again.
bool RecordFile(HistoryStore& store, const std::string& path, std::ostream& out, std::ostream& err) {
  const std::optional<TakenStamp> stamp = TakeFileStamp(path);  // before the read, as it must describe it
  if (stamp) {
    const auto unchanged = store.UnchangedSince(path, *stamp, StateKind::kRecorded);
    PrintHistoryWarnings(store, err);
    if (unchanged) {
      PrintRecorded(*unchanged, path, out);
      return true;
    }
  }
  const auto loaded = LoadWholePilot(path, err);
  if (!loaded) return false;
  const auto recorded = KeepState(store, path, *loaded, StateKind::kRecorded, err, stamp);
  if (recorded) PrintRecorded(*recorded, path, out);
  return recorded.has_value();
}

int RunRecord(const RecordOptions& options, const std::string& history, std::ostream& out,
              std::ostream& err) {
  auto store = OpenHistory(history, err);
  if (!store->IsAvailable()) return kFailure;
  bool allKept = true;
  for (const std::string& path : options.paths)
    for (const std::string& file : PilotFilesOf(path, err))
      allKept = RecordFile(*store, file, out, err) && allKept;
  return allKept ? kSuccess : kFailure;
}

// What a file looked like at the last look. The system tells modification times in whole seconds,
// so a file changed within the second of a look is read again at the next one, and a state that the
// watch has seen already is not kept again.
struct FileMark {
  std::int64_t size = -1;
  std::optional<std::int64_t> modified;
  std::string hash;
};
using FileMarks = std::map<std::string, FileMark>;

std::int64_t NowSeconds() {
  return std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch())
      .count();
}

// Keeps the file's state when it is new to the watch: the files as the first look finds them are
// recorded, what changes afterwards is the game's write, unless the pilot is in that state already
// (a save of the desktop program or of `update`, which kept it as its own).
void LookAtFile(HistoryStore& store, const std::string& file, FileMark& mark, bool firstLook,
                std::ostream& out, std::ostream& err) {
  const auto loaded = LoadWholePilot(file, err);
  if (!loaded) return;
  const std::string hash = Sha256Hex(loaded->record.BytesOnDisk);
  if (hash == mark.hash) return;
  mark.hash = hash;
  std::optional<RecordedState> recorded;
  if (firstLook) {
    recorded = KeepState(store, file, *loaded, StateKind::kRecorded, err);
  } else {
    recorded = store.RecordChange(file, loaded->record, loaded->modifiedTime, StateKind::kGameWrite);
    PrintHistoryWarnings(store, err);
  }
  if (recorded) PrintRecorded(*recorded, file, out);
}

void LookForWrites(HistoryStore& store, const RecordOptions& options, FileMarks& marks, std::int64_t lastLook,
                   bool firstLook, std::ostream& out, std::ostream& err) {
  for (const std::string& path : options.paths)
    for (const std::string& file : PilotFilesOf(path, err)) {
      SystemFile opened(file, SystemFile::Mode::kRead);
      const std::int64_t size = opened.RegularFileSize();
      const std::optional<std::int64_t> modified = opened.ModifiedTime();
      opened.Close();
      FileMark& mark = marks[file];
      const bool recent = !modified || *modified >= lastLook - 1;
      if (!firstLook && !recent && mark.size == size && mark.modified == modified) continue;
      mark.size = size;
      mark.modified = modified;
      LookAtFile(store, file, mark, firstLook, out, err);
    }
}

int RunWatch(const RecordOptions& options, const std::string& history, std::ostream& out, std::ostream& err) {
  auto store = OpenHistory(history, err);
  if (!store->IsAvailable()) return kFailure;
  const TerminationRequests requests;
  FileMarks marks;
  bool firstLook = true;
  std::int64_t lastLook = NowSeconds();
  do {
    const std::int64_t now = NowSeconds();
    LookForWrites(*store, options, marks, lastLook, std::exchange(firstLook, false), out, err);
    lastLook = now;
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
