#pragma once

// A file opened for reading and writing in place: never truncated on open, other programs may keep
// using it. Every operation reports failure, with the system's reason kept.
//
// Programs that share a file (two copies of ours, our desktop program and our command line) take the
// file's exclusive advisory lock before they read what they are about to change, and keep it until
// they close the file; then no change of one is lost to the other.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "base/system_file.h"

namespace orlenda {

class WritableFile {
 public:
  enum class Open {
    kExisting,          // the file must exist already
    kExistingOrCreate,  // a missing file is created empty (mode 0644 before the umask)
  };

  explicit WritableFile(const std::string& path, Open how = Open::kExisting);
  ~WritableFile();
  WritableFile(const WritableFile&) = delete;
  WritableFile& operator=(const WritableFile&) = delete;

  bool IsOpen() const { return file_.IsOpen(); }

  // Waits until this open file holds the file's exclusive advisory lock. The lock ends at Close.
  bool LockExclusive();

  // True when `path` still names this very file: not removed, and not replaced by another file (for
  // instance one renamed over it) since it was opened.
  bool IsStillNamedBy(const std::string& path);

  // The size of a regular file; -1 for anything else (a device, a pipe) or when it cannot be told.
  std::int64_t RegularFileSize();

  bool ReadAll(std::vector<std::uint8_t>& bytes, std::size_t size);
  // Reads up to `into.size()` bytes from `offset`; `done` says how many came (fewer at the file's end).
  bool ReadAt(std::size_t offset, std::span<std::uint8_t> into, std::size_t& done);
  bool WriteAt(std::size_t offset, std::span<const std::uint8_t> bytes);
  bool Truncate(std::int64_t size);
  bool SyncToDisk();
  bool Close();

  // Why the last failed operation failed, as the system words it.
  const std::string& reason() const { return reason_; }

 private:
  bool Fail();
  bool Fail(std::string reason);

  SystemFile file_;
  std::string reason_;
};

}  // namespace orlenda
