#pragma once

// The copy of a pilot file as it was before this run first wrote to it, kept beside it as
// NAME.plt.bak so that the career can be recovered.

#include <cstdint>
#include <set>
#include <span>
#include <string>

namespace orlenda {

// Keeps one copy of each pilot file as it was before this run first wrote to it. A later save of the
// same file in the same run keeps that copy. A copy left by an earlier run is replaced by this run's
// first copy: it holds the file as it was before the last session that changed it, which is older than
// what the player now has, and the new copy always holds the state just before this run's changes.
// Only a copy that a failed save promised to the player is kept instead, by every run, until a save
// of the file succeeds: the file may then be partly written, and the copy is the only original.
//
// The copy is written to a temporary file and renamed into place, so an old copy stays whole until the
// new one is complete; a link at the copy's name is replaced, never followed.
class PilotBackups {
 public:
  static std::string BackupPath(const std::string& path);
  // The marker beside a copy that a failed save promised to keep.
  static std::string KeepMarkerPath(const std::string& path);

  // True when the copy exists already from this run, is kept for a failed save, or was made now from
  // `content` (the file as the update found it) and is on disk for good; false, with a message for the
  // user that gives the system's reason, when it could not be made.
  bool EnsureBackup(const std::string& path, std::span<const std::uint8_t> content, std::string& message);

  // After a save failed part way: the copy is kept until a save of the file succeeds. False when that
  // could not be noted beside the copy, so that a later run might replace it.
  bool KeepBackup(const std::string& path);

  // After a save succeeded: a later run may replace the copy again.
  void ReleaseBackup(const std::string& path);

  bool HasBackup(const std::string& path) const;

 private:
  std::set<std::string> done_;  // the files copied in this run, by their absolute path
};

}  // namespace orlenda
