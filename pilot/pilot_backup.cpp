#include "pilot/pilot_backup.h"

#include <optional>
#include <string_view>

#include "base/file_bytes.h"
#include "base/file_replacement.h"
#include "base/folder_entries.h"
#include "base/path_kind.h"
#include "pilot/pilot_record.h"
#include "pilot/save_journal.h"

namespace orlenda {
namespace {

// Larger than any marker we write: each byte of the file at most once before and once after, in hex,
// with room for the lines around them and a long path.
constexpr std::size_t kMaxMarkerSize = 4 * kPilotFileSize + 64 * 1024;

// The file that a path names: through a link at its name, so that every name of one file shares its
// copy and marker. A link in a folder of the path leads to the same folder, and so to the same names.
std::string RealFileOf(const std::string& path) {
  return KindOfName(path) == NameKind::kLink ? FollowLinks(path) : path;
}

std::string CopyFailedMessage(const std::string& path, const std::string& reason) {
  return "Unable to keep a copy of " + path + " as " + PilotBackups::BackupPath(path) + " (" + reason +
         "), so nothing was written to the pilot file.";
}

// What a marker tells of the file beside it.
enum class MarkerFinding {
  kNone,            // no marker: the file is a whole state
  kWholeState,      // its save ended, or another program has rewritten the file since
  kUnfinishedSave,  // the file is what its save left when it was stopped
  kNotReadable,     // not a whole, well-formed marker of ours: it may be the note of an unfinished save
};

// The journal of the marker that stands at the name, or nothing, with `whyNot` telling why it cannot be
// read as a whole marker of ours.
std::optional<SaveJournal> ReadMarker(NameKind kind, const std::string& marker, std::string& whyNot) {
  if (kind == NameKind::kLink) whyNot = "it is a link";
  if (kind == NameKind::kFolder) whyNot = "it is a folder";
  if (kind == NameKind::kOther) whyNot = "it is a device, pipe or socket";
  if (!whyNot.empty()) return std::nullopt;
  std::string text;
  std::string reason;
  if (!ReadFileUpTo(marker, kMaxMarkerSize, text, reason)) {
    whyNot = "it cannot be read (" + reason + ")";
    return std::nullopt;
  }
  std::optional<SaveJournal> journal = ParseJournal(text);
  if (!journal) whyNot = "it is damaged or cut short";
  return journal;
}

MarkerFinding ExamineMarker(const std::string& marker, std::span<const std::uint8_t> content,
                            std::string& whyNotReadable) {
  // A name that the system will not examine (too long, in a folder that may not be searched) holds no
  // marker: none could have been written there, and the copy then fails with the system's reason.
  const NameKind kind = KindOfName(marker);
  if (kind == NameKind::kNothing || kind == NameKind::kUnexaminable) return MarkerFinding::kNone;
  const std::optional<SaveJournal> journal = ReadMarker(kind, marker, whyNotReadable);
  if (!journal) return MarkerFinding::kNotReadable;
  if (IsCompletedByJournaledSave(*journal, content) || !IsLeftByJournaledSave(*journal, content))
    return MarkerFinding::kWholeState;
  return MarkerFinding::kUnfinishedSave;
}

std::string UnreadableMarkerMessage(const std::string& path, const std::string& why) {
  const std::string marker = PilotBackups::KeepMarkerPath(path);
  const std::string backup = PilotBackups::BackupPath(path);
  std::string message = "Unable to save " + path + ": " + marker +
                        " is not a note of a save that this program can read (" + why +
                        "). It may be the note of a save that did not end, so nothing was written";
  if (!IsPlainFileItself(backup))
    return message + ". Check " + path + "; if it is sound, remove " + marker + " and save again.";
  return message + " and " + backup + " is kept as it is: it may hold the file as it was before that save. " +
         "Check " + path + "; if it is sound, remove " + marker +
         " and save again; if not, restore it from " + backup + ".";
}

// A link at the copy's name is replaced, never followed; the copy is as private as the pilot file.
ReplacementRules CopyRules(const std::string& path) { return {LinkAtName::kReplace, path}; }

}  // namespace

std::string PilotBackups::BackupPath(const std::string& path) { return RealFileOf(path) + ".bak"; }

std::string PilotBackups::KeepMarkerPath(const std::string& path) { return RealFileOf(path) + ".bak.keep"; }

bool PilotBackups::BeginSave(const std::string& path, std::span<const std::uint8_t> before,
                             std::span<const std::uint8_t> after, const std::vector<ByteRange>& ranges,
                             std::string& message) {
  std::string reason;
  if (!HasBackup(path)) {
    const MarkerFinding finding = ExamineMarker(KeepMarkerPath(path), before, reason);
    if (finding == MarkerFinding::kNotReadable) {
      message = UnreadableMarkerMessage(path, reason);
      return false;
    }
    const bool keep = finding == MarkerFinding::kUnfinishedSave && IsPlainFileItself(BackupPath(path));
    const std::string_view bytes(reinterpret_cast<const char*>(before.data()), before.size());
    if (!keep && !ReplaceWholeFile(BackupPath(path), bytes, CopyRules(path), reason)) {
      message = CopyFailedMessage(path, reason);
      return false;
    }
    done_[CanonicalPath(path)] = keep;  // one name per file, however the path was spelled
  }
  if (!ReplaceWholeFile(KeepMarkerPath(path), JournalText(RealFileOf(path), JournalOf(before, after, ranges)),
                        CopyRules(path), reason)) {
    message = "Unable to note the save of " + path + " in " + KeepMarkerPath(path) + " (" + reason +
              "), so nothing was written to the pilot file.";
    return false;
  }
  return true;
}

std::string PilotBackups::EndSave(const std::string& path) {
  const std::string marker = KeepMarkerPath(path);
  std::string reason;
  if (!IsPlainFileItself(marker) || RemoveFile(marker, &reason)) return {};
  return "The save of " + path + " ended, but " + marker + " could not be removed (" + reason +
         "). The next save sees that this save ended, and backs up the file as it is then.";
}

bool PilotBackups::HasBackup(const std::string& path) const { return done_.contains(CanonicalPath(path)); }

std::string PilotBackups::WhatBackupHolds(const std::string& path) const {
  const auto copy = done_.find(CanonicalPath(path));
  const bool kept = copy != done_.end() && copy->second;
  return BackupPath(path) +
         (kept ? " holds it as it was before an earlier save that did not end first changed it."
               : " holds it as it was before this run first saved it.");
}

}  // namespace orlenda
