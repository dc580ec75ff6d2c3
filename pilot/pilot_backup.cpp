#include "pilot/pilot_backup.h"

#include <optional>
#include <string_view>

#include "base/file_bytes.h"
#include "base/file_replacement.h"
#include "base/folder_entries.h"
#include "base/folder_listing.h"
#include "base/path_kind.h"
#include "pilot/pilot_record.h"
#include "pilot/save_index.h"
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

// Whether `other` is a plain file, still the file of `identity`, whose note of a save stands.
bool IsNotedNameOf(const std::string& other, const FileIdentity& identity) {
  return KindOfName(other) == NameKind::kPlainFile && SystemFile::IdentityOf(other) == identity &&
         !NothingAt(other + std::string(kMarkerSuffix));
}

// Another name of the open file whose note of a save stands, beside it or, through the index of saves
// under way, in any folder: the file then shares that name's copy and note. `file` itself when its own
// note stands, when it has one name (`shared` is nothing), or when no other name has a note.
std::string OwnerOf(const std::string& file, const std::optional<FileIdentity>& shared) {
  if (!NothingAt(file + std::string(kMarkerSuffix)) || !shared) return file;
  const auto isMarker = [](std::string_view name) { return name.ends_with(kMarkerSuffix); };
  for (const FolderEntry& marker : ListFolder(FolderOf(file), isMarker).entries) {
    const std::string other = marker.path.substr(0, marker.path.size() - kMarkerSuffix.size());
    if (IsNotedNameOf(other, *shared)) return other;
  }
  // An entry whose name no longer leads to this file, or whose note is gone, is stale: ignored.
  const std::optional<std::string> noted = NotedOwner(*shared);
  return noted && IsNotedNameOf(*noted, *shared) ? *noted : file;
}

// The identity of a file with more than one name, whose saves are noted in the index; nothing for a
// file with one name, or when the system will not tell.
std::optional<FileIdentity> SharedIdentity(SystemFile& open) {
  const std::optional<std::uint32_t> names = open.NameCount();
  if (!names || *names < 2) return std::nullopt;
  return open.Identity();
}

// Why a save of a file with more than one name could not note itself in the index.
std::string LostNoteText(const SaveNames& names, const std::string& why) {
  return "the note that leads this file's names in other folders to " + names.backup +
         " could not be kept: " + why;
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
  names.shared = SharedIdentity(file);
  names.owner = OwnerOf(names.file, names.shared);
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
  NoteInIndex(names);
  std::string reason;
  if (!ReplaceWholeFile(names.marker, JournalText(names.file, JournalOf(before, after, ranges)),
                        CopyRules(names), reason)) {
    message = "Unable to note the save of " + names.given + " in " + names.marker + " (" + reason +
              "), so nothing was written to the pilot file.";
    return false;
  }
  return true;
}

// A file with more than one name notes its save in the index before the note beside the copy is
// written. When the entry cannot be written the save goes on, as a save of a file with one name does,
// and the player is told: only a save through a name in another folder, after this one stopped part
// way, would miss the copy.
void PilotBackups::NoteInIndex(const SaveNames& names) {
  if (!names.shared) return;  // a file with one name has no entry
  const std::string owner = CanonicalPath(names.owner);
  std::string why;
  if (NoteOwner(*names.shared, names.owner, why))
    unnoted_.erase(owner);
  else
    unnoted_[owner] = LostNoteText(names, why);
}

std::string PilotBackups::EndSave(const SaveNames& names) {
  std::string reason;
  if (IsPlainFileItself(names.marker) && !RemoveFile(names.marker, &reason))
    return "The save of " + names.given + " ended, but " + names.marker + " could not be removed (" + reason +
           "). The next save sees that this save ended, and backs up the file as it is then.";
  if (!names.shared) return {};
  ForgetOwner(*names.shared);
  const auto unnoted = unnoted_.find(CanonicalPath(names.owner));
  if (unnoted == unnoted_.end()) return {};
  const std::string warning = "The save of " + names.given + " ended, but " + unnoted->second +
                              ". Had it stopped part way, a save through such a name would have made a "
                              "copy of its own from the half-written file.";
  unnoted_.erase(unnoted);
  return warning;
}

bool PilotBackups::HasBackup(const SaveNames& names) const {
  return done_.contains(CanonicalPath(names.owner));
}

std::string PilotBackups::WhatBackupHolds(const SaveNames& names) const {
  const auto copy = done_.find(CanonicalPath(names.owner));
  const bool kept = copy != done_.end() && copy->second;
  const std::string holds =
      names.backup + (kept ? " holds it as it was before an earlier save that did not end first changed it."
                           : " holds it as it was before this run first saved it.");
  const auto unnoted = names.shared ? unnoted_.find(CanonicalPath(names.owner)) : unnoted_.end();
  if (unnoted == unnoted_.end()) return holds;
  return holds + " Save it again through " + names.given + " only: " + unnoted->second + ".";
}

}  // namespace orlenda
