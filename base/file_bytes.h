#pragma once

// Reading a whole file: a small one of a known size, reporting its size separately from what could be
// read, or any plain file.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orlenda {

struct FileBytes {
  bool opened = false;
  bool plainFile = false;                    // opened, and a plain file: not a folder, device or pipe
  std::int64_t size = -1;                    // what the file system reports; -1 when the open failed
  std::vector<std::uint8_t> bytes;           // what could be read, at most `size` bytes
  std::optional<std::int64_t> modifiedTime;  // of the file opened, in seconds since 1970 (UTC)
  std::string reason;                        // why the open or the read failed, as the system words it
};

// Reads the file only when its size equals `expectedSize`, so that a file of the wrong kind (or a
// device or pipe) is never read.
FileBytes ReadFileOfSize(const std::string& path, std::int64_t expectedSize);

// Reads a whole plain file of at most `maxSize` bytes; false, with the system's reason (or "larger than
// N bytes", "not a plain file"), when it cannot be opened or read, is a folder, device or pipe, or is
// larger. A larger file is refused without being read.
bool ReadFileUpTo(const std::string& path, std::size_t maxSize, std::string& content, std::string& reason);

// Reads a whole plain file; false when it cannot be opened or read, or is a folder, device or pipe.
bool ReadWholeFile(const std::string& path, std::string& content);

}  // namespace orlenda
