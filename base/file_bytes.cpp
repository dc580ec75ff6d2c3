#include "base/file_bytes.h"

#include <limits>

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
  result.plainFile = result.size >= 0;
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

bool ReadFileUpTo(const std::string& path, std::size_t maxSize, std::string& content, std::string& reason) {
  const auto refuse = [&reason](std::string why) {
    reason = std::move(why);
    return false;
  };
  // Read only when it is a plain file: a pipe or a device named as a file would otherwise block the
  // program or never end.
  SystemFile file(path, SystemFile::Mode::kRead);
  if (!file.IsOpen()) return refuse(file.reason());
  const std::int64_t size = file.RegularFileSize();
  if (size < 0) return refuse(file.reason().empty() ? "not a plain file" : file.reason());
  const std::string tooLarge = "larger than " + std::to_string(maxSize) + " bytes";
  if (static_cast<std::uint64_t>(size) > maxSize) return refuse(tooLarge);
  std::string bytes;
  char buffer[65536];
  std::size_t done = sizeof buffer;
  while (done == sizeof buffer && bytes.size() <= maxSize) {  // the file may grow while it is read
    if (!file.ReadAt(static_cast<std::int64_t>(bytes.size()), buffer, sizeof buffer, done))
      return refuse(file.reason());
    bytes.append(buffer, done);
  }
  if (bytes.size() > maxSize) return refuse(tooLarge);
  content = std::move(bytes);
  return true;
}

bool ReadWholeFile(const std::string& path, std::string& content) {
  std::string ignored;
  return ReadFileUpTo(path, std::numeric_limits<std::size_t>::max() - 1, content, ignored);
}

}  // namespace orlenda
