#include "base/file_bytes.h"

#include "base/system_file.h"

namespace orlenda {

FileBytes ReadFileOfSize(const std::string& path, std::int64_t expectedSize) {
  FileBytes result;
  SystemFile file(path, SystemFile::Mode::kRead);
  if (!file.IsOpen()) {
    result.reason = file.reason();
    return result;
  }
  result.opened = true;
  result.size = file.RegularFileSize();
  result.modifiedTime = file.ModifiedTime();
  if (result.size < 0) result.size = 0;  // a device or a pipe: nothing that could be a pilot file
  if (result.size != expectedSize || expectedSize <= 0) return result;
  result.bytes.resize(static_cast<std::size_t>(expectedSize));
  std::size_t done = 0;
  if (!file.ReadAt(0, result.bytes.data(), result.bytes.size(), done)) result.reason = file.reason();
  result.bytes.resize(done);
  return result;
}

}  // namespace orlenda

namespace orlenda {

bool ReadWholeFile(const std::string& path, std::string& content) {
  // Read only when it is a plain file: a pipe or a device named as a file would otherwise block the
  // program or never end.
  SystemFile file(path, SystemFile::Mode::kRead);
  if (!file.IsOpen() || file.RegularFileSize() < 0) return false;
  std::string bytes;
  char buffer[65536];
  std::size_t done = sizeof buffer;
  while (done == sizeof buffer) {
    if (!file.ReadAt(static_cast<std::int64_t>(bytes.size()), buffer, sizeof buffer, done)) return false;
    bytes.append(buffer, done);
  }
  content = std::move(bytes);
  return true;
}

}  // namespace orlenda
