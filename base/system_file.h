#pragma once

// One open file of the operating system (a file descriptor, a Windows handle), closed with its owner.
// Every read and write of a file's bytes goes through here, so each is written once: reads and writes
// at an offset that go on until all is done, the size, the lock, the flush to disk.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace orlenda {

class SystemFile {
 public:
  enum class Mode {
    kRead,               // an existing file, read only
    kReadWrite,          // an existing file, never truncated
    kReadWriteOrCreate,  // as kReadWrite; a missing file is created empty
    kCreateNew,          // a new file only the user may read (a temporary file); fails when it exists
  };

  SystemFile() = default;
  // Opens without waiting (a pipe named as a file never blocks) and lets other programs go on reading,
  // writing, renaming and removing the file, as they may on Linux.
  SystemFile(const std::string& path, Mode mode);
  ~SystemFile();
  SystemFile(SystemFile&& other) noexcept;
  SystemFile& operator=(SystemFile&& other) noexcept;
  SystemFile(const SystemFile&) = delete;
  SystemFile& operator=(const SystemFile&) = delete;

  bool IsOpen() const { return native_ != kNoFile; }

  // The size of a regular file; -1 for anything else (a folder, a device, a pipe) or on failure.
  std::int64_t RegularFileSize();

  // When the file's contents last changed, in seconds since 1970-01-01 UTC; nothing when the system
  // will not tell.
  std::optional<std::int64_t> ModifiedTime();

  // Reads from `offset` until `size` bytes are in or the file ends; `done` tells how many came.
  bool ReadAt(std::int64_t offset, void* data, std::size_t size, std::size_t& done);
  // Writes all `size` bytes at `offset`.
  bool WriteAt(std::int64_t offset, const void* data, std::size_t size);
  bool Truncate(std::int64_t size);
  bool SyncToDisk();

  // Waits until this open file holds the file's exclusive advisory lock, which ends at Close. Two
  // opens of one file exclude each other, in one process as in two; reads and writes are not blocked.
  bool LockExclusive();

  // True when `path` names this very file: not removed, and not replaced by another file.
  bool IsNamedBy(const std::string& path);

  bool Close();

  // Why the last failed operation failed, as the system words it.
  const std::string& reason() const { return reason_; }

 private:
  static constexpr std::intptr_t kNoFile = -1;  // both an invalid descriptor and INVALID_HANDLE_VALUE

  bool Fail();
  bool Fail(std::string reason);

  std::intptr_t native_ = kNoFile;
  std::string reason_;
};

}  // namespace orlenda
