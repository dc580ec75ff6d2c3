#pragma once

// An existing file opened for reading and writing in place: never created, never truncated, other
// programs may keep using it. Every operation reports failure, with the system's reason kept.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace orlenda {

class WritableFile {
 public:
  explicit WritableFile(const std::string& path);
  ~WritableFile();
  WritableFile(const WritableFile&) = delete;
  WritableFile& operator=(const WritableFile&) = delete;

  bool IsOpen() const { return fd_ >= 0; }

  // The size of a regular file; -1 for anything else (a device, a pipe) or when it cannot be told.
  std::int64_t RegularFileSize();

  bool ReadAll(std::vector<std::uint8_t>& bytes, std::size_t size);
  bool WriteAt(std::size_t offset, std::span<const std::uint8_t> bytes);
  bool SyncToDisk();
  bool Close();

  // Why the last failed operation failed, as the system words it.
  const std::string& reason() const { return reason_; }

 private:
  bool Fail();

  int fd_ = -1;
  std::string reason_;
};

}  // namespace orlenda
