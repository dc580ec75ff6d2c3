#pragma once

// Reading a whole small file, reporting its size separately from what could be read.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orlenda {

struct FileBytes {
  bool opened = false;
  std::int64_t size = -1;                    // what the file system reports; -1 when the open failed
  std::vector<std::uint8_t> bytes;           // what could be read, at most `size` bytes
  std::optional<std::int64_t> modifiedTime;  // of the file opened, in seconds since 1970 (UTC)
};

// Reads the file only when its size equals `expectedSize`, so that a file of the wrong kind (or a
// device or pipe) is never read.
FileBytes ReadFileOfSize(const std::string& path, std::int64_t expectedSize);

}  // namespace orlenda
