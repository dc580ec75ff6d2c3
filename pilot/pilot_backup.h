#pragma once

// The copy of a pilot file as it was before this run first wrote to it, kept beside it as
// NAME.plt.bak so that the career can be recovered.

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "base/system_file.h"
#include "pilot/details_patch.h"

namespace orlenda {

// Keeps one copy of each pilot file as it was before this run first wrote to it. A later save of the
// same file in the same run keeps that copy. A copy left by an earlier run is replaced by this run's
// first copy: it holds the file as it was before the last session that changed it, which is older than
// what the player now has, and the new copy always holds the state just before this run's changes.
//
// Every save notes itself beside the copy (NAME.plt.bak.keep, pilot/save_journal.h) before its first
// write and removes the note once the file is on disk. The two properties this keeps, whatever instant
// any run of either program is stopped at:
//   (a) the pilot file holds a state that no run of ours left half-written, or the copy holds the state
//       the file had before the run that left it so first saved it;
//   (b) the copy is only ever replaced by a state of the file that no run of ours left half-written.
// A note whose save the file shows to be unfinished keeps the copy; a file that another program has
// rewritten since (the game, after a mission), or that the note's save wrote whole, is a whole state
// again, and the note no longer counts. A note that cannot be read as a whole note of ours (damaged,
// cut short, too large, a link, a folder, a pipe) may be the note of an unfinished save: no save goes
// on until the player has looked, and neither the copy nor the file is touched.
//
// The copy and the note belong to the file, not to the name it was reached by: through a link at the
// name they are kept beside the file the link leads to, and a save through one of two hard links of a
// file, while the note of a save through the other stands, uses that other name's copy and note, so
// that every name of one file shares them. A hard link beside the file is found by its note; one in
// another folder through the index of saves under way in the program's data folder (saves/ in
// ~/.local/share/orlenda3001 or %LOCALAPPDATA%\Orlenda 3001, pilot/save_index.h), which a save of a file with
// more than one name writes before its note and clears after it. When that index cannot be written the save
// goes on and the player is told.
//
// The copy is written to a temporary file and renamed into place, so an old copy stays whole until the
// new one is complete; a link at the copy's name is replaced, never followed. The copy and the note
// take the pilot file's permissions.
// The names of one save, fixed once from the file that the save opened (the name it was asked to
// write may be a link) and checked again before each use, so that a name that another program turns
// into a link to another file meanwhile never leads the copy or the note to that file.
struct SaveNames {
  std::string given;  // the name the save was asked to write through
  std::string file;   // where that name led when the file was opened: a link at the name followed
  std::string owner;  // the name whose copy and note the file uses: `file`, or another name of the
                      // same file (a hard link, in any folder) whose note of a save stands
  std::optional<FileIdentity> shared;  // the file's identity when it has more than one name: its saves
                                       // are noted in the index of saves under way (pilot/save_index.h)
  std::string backup;                  // owner + ".bak"
  std::string marker;                  // owner + ".bak.keep"
};

class PilotBackups {
 public:
  // The names that a save through `path` uses while nothing changes them meanwhile.
  static std::string BackupPath(const std::string& path);
  // The note of a save under way beside the copy.
  static std::string KeepMarkerPath(const std::string& path);

  // The names of a save of the open, locked `file` reached through `path`; nothing, with a message for
  // the user, when `path` no longer leads to that file (another program replaced, moved or linked it).
  static std::optional<SaveNames> NamesOf(SystemFile& file, const std::string& path, std::string& message);

  // Whether the names still lead to the open file; when not, `message` says so for the user.
  static bool StillLeadTo(SystemFile& file, const SaveNames& names, std::string& message);

  // Before a save's first write: makes sure of the copy (it exists from this run, is kept because the
  // file is what an unfinished save of ours left, or is made now from `before`, the file as the save
  // found it) and notes the save: the ranges it writes, from `before` to `after`. The names are checked
  // before each of the two. Everything is on disk when it returns true; false, with a message for the
  // user that gives the reason, when nothing may be written.
  bool BeginSave(SystemFile& file, const SaveNames& names, std::span<const std::uint8_t> before,
                 std::span<const std::uint8_t> after, const std::vector<ByteRange>& ranges,
                 std::string& message);

  // After the save is on disk, or when it wrote nothing after all: a later run may replace the copy.
  // A message for the user when the note could not be removed; empty when all went well.
  std::string EndSave(const SaveNames& names);

  bool HasBackup(const SaveNames& names) const;

  // "NAME.plt.bak holds it as it was before ...": which state the copy holds, for a failure message.
  std::string WhatBackupHolds(const SaveNames& names) const;

 private:
  bool KeepCopy(SystemFile& file, const SaveNames& names, std::span<const std::uint8_t> before,
                std::string& message);
  void NoteInIndex(const SaveNames& names);

  // The files whose copy this run made sure of, by the name that owns it: true when the copy was kept
  // for an unfinished save of an earlier run, false when this run made it.
  std::map<std::string, bool> done_;
  // The saves, by the name that owns the copy, whose entry in the index could not be written: why.
  std::map<std::string, std::string> unnoted_;
};

}  // namespace orlenda
