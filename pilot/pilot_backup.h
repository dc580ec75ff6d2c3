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
// The copy is written to a temporary file and renamed into place, so an old copy stays whole until the
// new one is complete.
class PilotBackups {
 public:
  static std::string BackupPath(const std::string& path);

  // True when the copy exists already from this run or was made now; false (with a message for the
  // user) when it could not be made. This overload reads the file itself.
  bool EnsureBackup(const std::string& path, std::string& message);

  // The same with the file's content already read, so that the copy holds exactly what the update
  // is about to change.
  bool EnsureBackup(const std::string& path, std::span<const std::uint8_t> content, std::string& message);

  bool HasBackup(const std::string& path) const;

 private:
  std::set<std::string> done_;  // the files copied in this run, by their absolute path
};

}  // namespace orlenda
