#include "pilot/pilot_backup.h"

#include <optional>
#include <string_view>

#include "base/file_bytes.h"
#include "base/file_replacement.h"
#include "base/folder_entries.h"
#include "base/path_kind.h"
#include "pilot/save_journal.h"

namespace orlenda {
namespace {

std::string CopyFailedMessage(const std::string& path, const std::string& reason) {
  return "Unable to keep a copy of " + path + " as " + PilotBackups::BackupPath(path) + " (" + reason +
         "), so nothing was written to the pilot file.";
}

// The copy is kept when the marker beside it shows the file to be what an unfinished save of ours
// left. A marker counts only when it and the copy are plain files: anything else was not left by us.
bool IsKeptForUnfinishedSave(const std::string& path, std::span<const std::uint8_t> content) {
  const std::string marker = PilotBackups::KeepMarkerPath(path);
  if (!IsPlainFileItself(marker) || !IsPlainFileItself(PilotBackups::BackupPath(path))) return false;
  std::string text;
  if (!ReadWholeFile(marker, text)) return false;
  const std::optional<SaveJournal> journal = ParseJournal(text);
  return journal && IsLeftByJournaledSave(*journal, content);
}

// A link at the copy's name is replaced, never followed; the copy is as private as the pilot file.
ReplacementRules CopyRules(const std::string& path) { return {LinkAtName::kReplace, path}; }

}  // namespace

std::string PilotBackups::BackupPath(const std::string& path) { return path + ".bak"; }

std::string PilotBackups::KeepMarkerPath(const std::string& path) { return path + ".bak.keep"; }

bool PilotBackups::BeginSave(const std::string& path, std::span<const std::uint8_t> before,
                             std::span<const std::uint8_t> after, const std::vector<ByteRange>& ranges,
                             std::string& message) {
  std::string reason;
  if (!HasBackup(path) && !IsKeptForUnfinishedSave(path, before)) {
    const std::string_view bytes(reinterpret_cast<const char*>(before.data()), before.size());
    if (!ReplaceWholeFile(BackupPath(path), bytes, CopyRules(path), reason)) {
      message = CopyFailedMessage(path, reason);
      return false;
    }
  }
  done_.insert(CanonicalPath(path));  // one name per file, however the path was spelled
  if (!ReplaceWholeFile(KeepMarkerPath(path), JournalText(path, JournalOf(before, after, ranges)),
                        CopyRules(path), reason)) {
    message = "Unable to note the save of " + path + " in " + KeepMarkerPath(path) + " (" + reason +
              "), so nothing was written to the pilot file.";
    return false;
  }
  return true;
}

void PilotBackups::EndSave(const std::string& path) {
  if (IsPlainFileItself(KeepMarkerPath(path))) RemoveFile(KeepMarkerPath(path));
}

bool PilotBackups::HasBackup(const std::string& path) const { return done_.contains(CanonicalPath(path)); }

}  // namespace orlenda
