#include "base/system_file.h"

namespace orlenda {

bool SystemFile::ReadAll(std::vector<std::uint8_t>& bytes, std::size_t size) {
  bytes.assign(size, 0);
  std::size_t done = 0;
  if (!ReadAt(0, bytes.data(), size, done)) return false;
  return done == size || Fail("the file ended early");
}

bool SystemFile::ReadAt(std::size_t offset, std::span<std::uint8_t> into, std::size_t& done) {
  return ReadAt(static_cast<std::int64_t>(offset), into.data(), into.size(), done);
}

bool SystemFile::WriteAt(std::size_t offset, std::span<const std::uint8_t> bytes) {
  return WriteAt(static_cast<std::int64_t>(offset), bytes.data(), bytes.size());
}

}  // namespace orlenda
