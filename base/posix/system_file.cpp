#include "base/system_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>
#include <utility>

#include "base/posix/retry.h"

namespace orlenda {
namespace {

using posix::RetryOnInterrupt;

int Flags(SystemFile::Mode mode) {
  constexpr int kAlways = O_CLOEXEC | O_NOCTTY | O_NONBLOCK;
  switch (mode) {
    case SystemFile::Mode::kRead:
      return kAlways | O_RDONLY;
    case SystemFile::Mode::kReadWrite:
      return kAlways | O_RDWR;
    case SystemFile::Mode::kReadWriteOrCreate:
      return kAlways | O_RDWR | O_CREAT;
    case SystemFile::Mode::kCreateNew:
      return kAlways | O_RDWR | O_CREAT | O_EXCL;
  }
  return kAlways | O_RDONLY;
}

}  // namespace

SystemFile::SystemFile(const std::string& path, Mode mode) {
  const mode_t permissions = mode == Mode::kCreateNew ? 0600 : 0644;  // before the umask
  native_ = RetryOnInterrupt([&] { return ::open(path.c_str(), Flags(mode), permissions); });
  if (native_ < 0) {
    native_ = kNoFile;
    Fail();
  }
}

SystemFile::~SystemFile() {
  if (IsOpen()) ::close(static_cast<int>(native_));
}

SystemFile::SystemFile(SystemFile&& other) noexcept
    : native_(std::exchange(other.native_, kNoFile)), reason_(std::move(other.reason_)) {}

SystemFile& SystemFile::operator=(SystemFile&& other) noexcept {
  if (this != &other) {
    if (IsOpen()) ::close(static_cast<int>(native_));
    native_ = std::exchange(other.native_, kNoFile);
    reason_ = std::move(other.reason_);
  }
  return *this;
}

bool SystemFile::Fail() { return Fail(std::generic_category().message(errno)); }

bool SystemFile::Fail(std::string reason) {
  reason_ = std::move(reason);
  return false;
}

std::int64_t SystemFile::RegularFileSize() {
  struct stat info {};
  if (::fstat(static_cast<int>(native_), &info) != 0) {
    Fail();
    return -1;
  }
  return S_ISREG(info.st_mode) ? static_cast<std::int64_t>(info.st_size) : -1;
}

std::optional<std::int64_t> SystemFile::ModifiedTime() {
  struct stat info {};
  if (::fstat(static_cast<int>(native_), &info) != 0) return Unanswered();
  return static_cast<std::int64_t>(info.st_mtime);
}

std::optional<FileStamp> SystemFile::Stamp() {
  struct stat info {};
  if (::fstat(static_cast<int>(native_), &info) != 0) return Unanswered();
  if (!S_ISREG(info.st_mode)) return std::nullopt;
  constexpr std::int64_t kNsPerSecond = 1'000'000'000;
  return FileStamp{static_cast<std::int64_t>(info.st_size),
                   static_cast<std::int64_t>(info.st_mtim.tv_sec) * kNsPerSecond + info.st_mtim.tv_nsec,
                   {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)}};
}

bool SystemFile::ReadAt(std::int64_t offset, void* data, std::size_t size, std::size_t& done) {
  done = 0;
  while (done < size) {
    const ssize_t n = RetryOnInterrupt([&] {
      return ::pread(static_cast<int>(native_), static_cast<char*>(data) + done, size - done,
                     static_cast<off_t>(offset + static_cast<std::int64_t>(done)));
    });
    if (n < 0) return Fail();
    if (n == 0) break;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

bool SystemFile::WriteAt(std::int64_t offset, const void* data, std::size_t size) {
  std::size_t done = 0;
  while (done < size) {
    const ssize_t n = RetryOnInterrupt([&] {
      return ::pwrite(static_cast<int>(native_), static_cast<const char*>(data) + done, size - done,
                      static_cast<off_t>(offset + static_cast<std::int64_t>(done)));
    });
    if (n < 0) return Fail();
    if (n == 0) return Fail("nothing could be written");
    done += static_cast<std::size_t>(n);
  }
  return true;
}

bool SystemFile::Truncate(std::int64_t size) {
  return RetryOnInterrupt([&] { return ::ftruncate(static_cast<int>(native_), static_cast<off_t>(size)); }) ==
             0 ||
         Fail();
}

bool SystemFile::SyncToDisk() { return ::fsync(static_cast<int>(native_)) == 0 || Fail(); }

SystemFile::LockAttempt SystemFile::TryLockExclusive() {
  // flock belongs to the open file, not to the process, so two opens in one process exclude each
  // other as two processes do.
  if (RetryOnInterrupt([&] { return ::flock(static_cast<int>(native_), LOCK_EX | LOCK_NB); }) == 0)
    return LockAttempt::kLocked;
  if (errno == EWOULDBLOCK) return LockAttempt::kHeldElsewhere;
  Fail();
  return LockAttempt::kFailed;
}

bool SystemFile::TakePermissionsOf(const std::string& path) {
  struct stat source {};
  if (::stat(path.c_str(), &source) != 0) {
    if (errno != ENOENT) return Fail();
    source.st_mode = 0644;  // nothing to take after: the usual mode of a new file
    source.st_gid = static_cast<gid_t>(-1);
  }
  // The group first: changing it may clear the set-group bit that the mode then sets again. Only a
  // group the user belongs to may be given, so a refusal leaves the user's own group.
  if (source.st_gid != static_cast<gid_t>(-1)) [[maybe_unused]]
    const int ignored = ::fchown(static_cast<int>(native_), static_cast<uid_t>(-1), source.st_gid);
  return ::fchmod(static_cast<int>(native_), source.st_mode & 07777) == 0 || Fail();
}

bool SystemFile::IsStillNamedBy(const std::string& path) {
  struct stat open {};
  struct stat named {};
  if (::fstat(static_cast<int>(native_), &open) != 0) return Fail();
  if (::stat(path.c_str(), &named) != 0) return Fail();
  if (open.st_dev == named.st_dev && open.st_ino == named.st_ino && open.st_nlink > 0) return true;
  return Fail("the file was replaced or removed by another program");
}

std::optional<FileIdentity> SystemFile::Identity() {
  struct stat open {};
  if (::fstat(static_cast<int>(native_), &open) != 0) return Unanswered();
  return FileIdentity{static_cast<std::uint64_t>(open.st_dev), static_cast<std::uint64_t>(open.st_ino)};
}

std::optional<std::uint32_t> SystemFile::NameCount() {
  struct stat open {};
  if (::fstat(static_cast<int>(native_), &open) != 0) return Unanswered();
  return static_cast<std::uint32_t>(open.st_nlink);
}

std::optional<FileIdentity> SystemFile::IdentityOf(const std::string& path) {
  struct stat named {};
  if (::stat(path.c_str(), &named) != 0) return std::nullopt;
  return FileIdentity{static_cast<std::uint64_t>(named.st_dev), static_cast<std::uint64_t>(named.st_ino)};
}

bool SystemFile::Close() {
  const int fd = static_cast<int>(std::exchange(native_, kNoFile));
  return ::close(fd) == 0 || Fail();
}

}  // namespace orlenda
