#include "base/writable_file.h"

#include <utility>

namespace orlenda {

WritableFile::WritableFile(const std::string& path, Open how)
    : file_(path, how == Open::kExistingOrCreate ? SystemFile::Mode::kReadWriteOrCreate
                                                 : SystemFile::Mode::kReadWrite) {
  if (!file_.IsOpen()) Fail();
}

WritableFile::~WritableFile() = default;

bool WritableFile::Fail() { return Fail(file_.reason()); }

bool WritableFile::Fail(std::string reason) {
  reason_ = std::move(reason);
  return false;
}

bool WritableFile::LockExclusive() { return file_.LockExclusive() || Fail(); }

bool WritableFile::IsStillNamedBy(const std::string& path) { return file_.IsNamedBy(path) || Fail(); }

std::int64_t WritableFile::RegularFileSize() { return file_.RegularFileSize(); }

bool WritableFile::ReadAll(std::vector<std::uint8_t>& bytes, std::size_t size) {
  bytes.assign(size, 0);
  std::size_t done = 0;
  if (!file_.ReadAt(0, bytes.data(), size, done)) return Fail();
  return done == size || Fail("the file ended early");
}

bool WritableFile::ReadAt(std::size_t offset, std::span<std::uint8_t> into, std::size_t& done) {
  done = 0;
  return file_.ReadAt(static_cast<std::int64_t>(offset), into.data(), into.size(), done) || Fail();
}

bool WritableFile::WriteAt(std::size_t offset, std::span<const std::uint8_t> bytes) {
  return file_.WriteAt(static_cast<std::int64_t>(offset), bytes.data(), bytes.size()) || Fail();
}

bool WritableFile::Truncate(std::int64_t size) { return file_.Truncate(size) || Fail(); }

bool WritableFile::SyncToDisk() { return file_.SyncToDisk() || Fail(); }

bool WritableFile::Close() { return file_.Close() || Fail(); }

}  // namespace orlenda
