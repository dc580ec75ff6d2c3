#include "base/writable_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace orlenda {

WritableFile::WritableFile(const std::string& path, Open how) {
  const int create = how == Open::kExistingOrCreate ? O_CREAT : 0;
  // Opened without waiting: a pipe named as a file must not block the program.
  do {
    fd_ = ::open(path.c_str(), O_RDWR | O_CLOEXEC | O_NOCTTY | O_NONBLOCK | create, 0644);
  } while (fd_ < 0 && errno == EINTR);
  if (fd_ < 0) Fail();
}

WritableFile::~WritableFile() {
  if (fd_ >= 0) ::close(fd_);
}

bool WritableFile::Fail() {
  reason_ = std::generic_category().message(errno);
  return false;
}

bool WritableFile::LockExclusive() {
  // flock belongs to the open file, not to the process, so two opens in one process exclude each
  // other as two processes do.
  while (::flock(fd_, LOCK_EX) != 0) {
    if (errno != EINTR) return Fail();
  }
  return true;
}

bool WritableFile::IsStillNamedBy(const std::string& path) {
  struct stat open {};
  struct stat named {};
  if (::fstat(fd_, &open) != 0) return Fail();
  if (::stat(path.c_str(), &named) != 0) return Fail();
  if (open.st_dev == named.st_dev && open.st_ino == named.st_ino && open.st_nlink > 0) return true;
  reason_ = "the file was replaced or removed by another program";
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

bool WritableFile::Truncate(std::int64_t size) {
  while (::ftruncate(fd_, static_cast<off_t>(size)) != 0) {
    if (errno != EINTR) return Fail();
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
