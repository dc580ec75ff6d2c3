#include "pilot/pilot_backup.h"

#include <optional>
#include <string_view>

#include "base/file_bytes.h"
#include "base/file_replacement.h"
#include "base/folder_entries.h"
#include "base/folder_listing.h"
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

constexpr std::string_view kBackupSuffix = ".bak";
constexpr std::string_view kMarkerSuffix = ".bak.keep";

std::string CopyFailedMessage(const SaveNames& names, const std::string& reason) {
  return "Unable to keep a copy of " + names.given + " as " + names.backup + " (" + reason +
         "), so nothing was written to the pilot file.";
}

// Another name of the open file beside it, a plain file, whose note of a save stands: the file then
// shares that name's copy and note. `file` itself when its own note stands, or no other name has one.
std::string OwnerOf(SystemFile& open, const std::string& file) {
  if (!NothingAt(file + std::string(kMarkerSuffix))) return file;
  const std::optional<std::uint32_t> names = open.NameCount();
  const std::optional<FileIdentity> identity = open.Identity();
  if (!names || *names < 2 || !identity) return file;
  const auto isMarker = [](std::string_view name) { return name.ends_with(kMarkerSuffix); };
  for (const FolderEntry& marker : ListFolder(FolderOf(file), isMarker).entries) {
    const std::string other = marker.path.substr(0, marker.path.size() - kMarkerSuffix.size());
    if (KindOfName(other) == NameKind::kPlainFile && SystemFile::IdentityOf(other) == identity) return other;
  }
  return file;
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
  if (!journal)
    whyNot = IsOlderFormOfJournal(text) ? "it is in the form that an earlier version of this program wrote, "
                                          "which this version does not read"
                                        : "it is damaged or cut short";
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

std::string UnreadableMarkerMessage(const SaveNames& names, const std::string& why) {
  const std::string& path = names.given;
  const std::string& marker = names.marker;
  const std::string& backup = names.backup;
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
ReplacementRules CopyRules(const SaveNames& names) { return {LinkAtName::kReplace, names.file}; }

}  // namespace

std::string PilotBackups::BackupPath(const std::string& path) {
  return RealFileOf(path) + std::string(kBackupSuffix);
}

std::string PilotBackups::KeepMarkerPath(const std::string& path) {
  return RealFileOf(path) + std::string(kMarkerSuffix);
}

std::optional<SaveNames> PilotBackups::NamesOf(SystemFile& file, const std::string& path,
                                               std::string& message) {
  SaveNames names;
  names.given = path;
  names.file = RealFileOf(path);
  names.owner = names.file;
  if (!StillLeadTo(file, names, message)) return std::nullopt;
  names.owner = OwnerOf(file, names.file);
  names.backup = names.owner + std::string(kBackupSuffix);
  names.marker = names.owner + std::string(kMarkerSuffix);
  return names;
}

bool PilotBackups::StillLeadTo(SystemFile& file, const SaveNames& names, std::string& message) {
  for (const std::string* name : {&names.given, &names.file, &names.owner}) {
    if (file.IsStillNamedBy(*name)) continue;
    message = "Unable to save " + names.given + ": " + file.reason() + ". Nothing was written.";
    return false;
  }
  return true;
}

// Makes sure of the copy before the first save of this run: kept, or made from `before`.
bool PilotBackups::KeepCopy(SystemFile& file, const SaveNames& names, std::span<const std::uint8_t> before,
                            std::string& message) {
  std::string reason;
  const MarkerFinding finding = ExamineMarker(names.marker, before, reason);
  if (finding == MarkerFinding::kNotReadable) {
    message = UnreadableMarkerMessage(names, reason);
    return false;
  }
  const bool keep = finding == MarkerFinding::kUnfinishedSave && IsPlainFileItself(names.backup);
  const std::string_view bytes(reinterpret_cast<const char*>(before.data()), before.size());
  if (!keep && !StillLeadTo(file, names, message)) return false;
  if (!keep && !ReplaceWholeFile(names.backup, bytes, CopyRules(names), reason)) {
    message = CopyFailedMessage(names, reason);
    return false;
  }
  done_[CanonicalPath(names.owner)] = keep;  // one name per file, however the path was spelled
  return true;
}

bool PilotBackups::BeginSave(SystemFile& file, const SaveNames& names, std::span<const std::uint8_t> before,
                             std::span<const std::uint8_t> after, const std::vector<ByteRange>& ranges,
                             std::string& message) {
  if (!HasBackup(names) && !KeepCopy(file, names, before, message)) return false;
  if (!StillLeadTo(file, names, message)) return false;
  std::string reason;
  if (!ReplaceWholeFile(names.marker, JournalText(names.file, JournalOf(before, after, ranges)),
                        CopyRules(names), reason)) {
    message = "Unable to note the save of " + names.given + " in " + names.marker + " (" + reason +
              "), so nothing was written to the pilot file.";
    return false;
  }
  return true;
}

std::string PilotBackups::EndSave(const SaveNames& names) {
  std::string reason;
  if (!IsPlainFileItself(names.marker) || RemoveFile(names.marker, &reason)) return {};
  return "The save of " + names.given + " ended, but " + names.marker + " could not be removed (" + reason +
         "). The next save sees that this save ended, and backs up the file as it is then.";
}

bool PilotBackups::HasBackup(const SaveNames& names) const {
  return done_.contains(CanonicalPath(names.owner));
}

std::string PilotBackups::WhatBackupHolds(const SaveNames& names) const {
  const auto copy = done_.find(CanonicalPath(names.owner));
  const bool kept = copy != done_.end() && copy->second;
  return names.backup + (kept
                             ? " holds it as it was before an earlier save that did not end first changed it."
                             : " holds it as it was before this run first saved it.");
}

}  // namespace orlenda
