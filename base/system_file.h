#pragma once

// One open file of the operating system (a file descriptor, a Windows handle), closed with its owner.
// Every read and write of a file's bytes goes through here, so each is written once: reads and writes
// at an offset that go on until all is done, the size, the lock, the flush to disk. Every operation
// reports failure and keeps the system's reason.
//
// Programs that share a file (two copies of ours, our desktop program and our command line) take the
// file's exclusive advisory lock before they read what they are about to change, and keep it until
// they close the file; then no change of one is lost to the other (base/locked_file.h).

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace orlenda {

// What makes a file the file it is, whatever names lead to it: its device and inode, or on Windows
// its volume's serial number and its file index.
struct FileIdentity {
  std::uint64_t volume = 0;
  std::uint64_t index = 0;
  friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

// What one look at an open file tells of its contents without reading them: the size, when the contents
// last changed (nanoseconds since 1970-01-01 UTC, as finely as the file system keeps it) and the file's
// identity.
struct FileStamp {
  std::int64_t size = 0;
  std::int64_t modifiedNs = 0;
  FileIdentity identity;
  friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

class SystemFile {
 public:
  enum class Mode {
    kRead,               // an existing file, read only
    kReadWrite,          // an existing file, never truncated
    kReadWriteOrCreate,  // as kReadWrite; a missing file is created empty (0644 before the umask)
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

  // The stamp of a regular file, from one query of the system; nothing for anything else or on failure.
  std::optional<FileStamp> Stamp();

  // Reads from `offset` until `size` bytes are in or the file ends; `done` tells how many came.
  bool ReadAt(std::int64_t offset, void* data, std::size_t size, std::size_t& done);
  // Writes all `size` bytes at `offset`.
  bool WriteAt(std::int64_t offset, const void* data, std::size_t size);
  // The same for bytes in memory, from the start of the file or from `offset`.
  bool ReadAll(std::vector<std::uint8_t>& bytes, std::size_t size);  // fails when fewer came
  bool ReadAt(std::size_t offset, std::span<std::uint8_t> into, std::size_t& done);
  bool WriteAt(std::size_t offset, std::span<const std::uint8_t> bytes);
  bool Truncate(std::int64_t size);
  bool SyncToDisk();

  enum class LockAttempt { kLocked, kHeldElsewhere, kFailed };
  // Takes the file's exclusive advisory lock, which ends at Close, without waiting: kHeldElsewhere
  // when another open file holds it. Two opens of one file exclude each other in two processes (and
  // in one, on Linux and on Windows itself); reads and writes are not blocked. The wait for a lock
  // that is held is base/locked_file.h's.
  LockAttempt TryLockExclusive();

  // True when `path` still names this very file: not removed, and not replaced by another file (for
  // instance one renamed over it) since it was opened.
  bool IsStillNamedBy(const std::string& path);

  // The open file's identity and its number of names (hard links; 0 once it is removed); nothing when
  // the system will not tell.
  std::optional<FileIdentity> Identity();
  std::optional<std::uint32_t> NameCount();

  // The identity of the file that `path` names, links followed; nothing when there is none.
  static std::optional<FileIdentity> IdentityOf(const std::string& path);

  // Gives this file the permissions of the file `path` names (links followed): its mode, and its group
  // where the user may set it. False when they cannot be read or the mode cannot be set.
  bool TakePermissionsOf(const std::string& path);

  bool Close();

  // Why the last failed operation failed, as the system words it.
  const std::string& reason() const { return reason_; }

  // Records a failure that the caller found (a lock wait that ended); returns false.
  bool Fail(std::string reason);

 private:
  static constexpr std::intptr_t kNoFile = -1;  // both an invalid descriptor and INVALID_HANDLE_VALUE

  bool Fail();
  // Fail() for a question about the file that the system would not answer; nothing is the answer.
  std::nullopt_t Unanswered() {
    Fail();
    return std::nullopt;
  }

  std::intptr_t native_ = kNoFile;
  std::string reason_;
};

}  // namespace orlenda
