#include "base/writable_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace orlenda {

WritableFile::WritableFile(const std::string& path) {
  fd_ = ::open(path.c_str(), O_RDWR | O_CLOEXEC | O_NOCTTY);
  if (fd_ < 0) Fail();
}

WritableFile::~WritableFile() {
  if (fd_ >= 0) ::close(fd_);
}

bool WritableFile::Fail() {
  reason_ = std::generic_category().message(errno);
  return false;
}

std::int64_t WritableFile::RegularFileSize() {
  struct stat info {};
  if (::fstat(fd_, &info) != 0) {
    Fail();
    return -1;
  }
  return S_ISREG(info.st_mode) ? static_cast<std::int64_t>(info.st_size) : -1;
}

bool WritableFile::ReadAll(std::vector<std::uint8_t>& bytes, std::size_t size) {
  bytes.assign(size, 0);
  std::size_t done = 0;
  while (done < size) {
    const ssize_t n = ::pread(fd_, bytes.data() + done, size - done, static_cast<off_t>(done));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return Fail();
    if (n == 0) {
      reason_ = "the file ended early";
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  return true;
}

bool WritableFile::WriteAt(std::size_t offset, std::span<const std::uint8_t> bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n =
        ::pwrite(fd_, bytes.data() + done, bytes.size() - done, static_cast<off_t>(offset + done));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return Fail();
    if (n == 0) {
      reason_ = "nothing could be written";
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  return true;
}

bool WritableFile::SyncToDisk() { return ::fsync(fd_) == 0 || Fail(); }

bool WritableFile::Close() {
  const int fd = fd_;
  fd_ = -1;
  return ::close(fd) == 0 || Fail();
}

}  // namespace orlenda
