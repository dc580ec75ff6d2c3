#include "base/system_file.h"

#include <utility>

#include "base/windows/wide.h"

namespace orlenda {
namespace {

using windows::LastErrorText;
using windows::Wide;

// The lock is taken on one byte far beyond any content: Windows locks are mandatory for the bytes they
// cover, and this one keeps the file's own bytes free for readers, as an advisory lock does.
constexpr DWORD kLockOffsetHigh = 0x7FFFFFFF;
constexpr DWORD kLockOffsetLow = 0xFFFFFFFE;

HANDLE Handle(std::intptr_t native) { return reinterpret_cast<HANDLE>(native); }

FileIdentity IdentityIn(const BY_HANDLE_FILE_INFORMATION& information) {
  return {information.dwVolumeSerialNumber,
          (static_cast<std::uint64_t>(information.nFileIndexHigh) << 32) | information.nFileIndexLow};
}

// FILETIME counts 100-nanosecond steps since 1601-01-01 UTC.
constexpr std::int64_t kStepsPerSecond = 10'000'000;
constexpr std::int64_t kSecondsFrom1601To1970 = 11'644'473'600;

std::int64_t StepsOf(const FILETIME& time) {
  return static_cast<std::int64_t>((static_cast<std::uint64_t>(time.dwHighDateTime) << 32) |
                                   time.dwLowDateTime);
}

OVERLAPPED At(std::int64_t offset) {
  OVERLAPPED position{};
  position.Offset = static_cast<DWORD>(offset & 0xFFFFFFFF);
  position.OffsetHigh = static_cast<DWORD>(offset >> 32);
  return position;
}

DWORD Creation(SystemFile::Mode mode) {
  switch (mode) {
    case SystemFile::Mode::kReadWriteOrCreate:
      return OPEN_ALWAYS;
    case SystemFile::Mode::kCreateNew:
      return CREATE_NEW;
    default:
      return OPEN_EXISTING;
  }
}

// At most this much per call: ReadFile and WriteFile count in 32 bits.
DWORD Chunk(std::size_t left) { return static_cast<DWORD>(left < 0x40000000 ? left : 0x40000000); }

}  // namespace

SystemFile::SystemFile(const std::string& path, Mode mode) {
  const bool reading = mode == Mode::kRead;
  const DWORD access = reading ? GENERIC_READ : GENERIC_READ | GENERIC_WRITE;
  constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
  // A folder opens for reading, as it does on POSIX systems, and is then told apart by its size (-1).
  const DWORD flags = FILE_ATTRIBUTE_NORMAL | (reading ? FILE_FLAG_BACKUP_SEMANTICS : 0);
  HANDLE handle =
      ::CreateFileW(Wide(path).c_str(), access, kShareAll, nullptr, Creation(mode), flags, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    // Windows words a folder opened for writing as "Access denied", which sends the user looking for
    // a permission that is not the problem.
    const DWORD error = ::GetLastError();
    const DWORD attributes = ::GetFileAttributesW(Wide(path).c_str());
    const bool folder = error == ERROR_ACCESS_DENIED && attributes != INVALID_FILE_ATTRIBUTES &&
                        (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    ::SetLastError(error);
    folder ? Fail("Is a directory") : Fail();
    return;
  }
  native_ = reinterpret_cast<std::intptr_t>(handle);
}

SystemFile::~SystemFile() {
  if (IsOpen()) ::CloseHandle(Handle(native_));
}

SystemFile::SystemFile(SystemFile&& other) noexcept
    : native_(std::exchange(other.native_, kNoFile)), reason_(std::move(other.reason_)) {}

SystemFile& SystemFile::operator=(SystemFile&& other) noexcept {
  if (this != &other) {
    if (IsOpen()) ::CloseHandle(Handle(native_));
    native_ = std::exchange(other.native_, kNoFile);
    reason_ = std::move(other.reason_);
  }
  return *this;
}

bool SystemFile::Fail() { return Fail(LastErrorText()); }

bool SystemFile::Fail(std::string reason) {
  reason_ = std::move(reason);
  return false;
}

std::int64_t SystemFile::RegularFileSize() {
  if (::GetFileType(Handle(native_)) != FILE_TYPE_DISK) return -1;
  BY_HANDLE_FILE_INFORMATION info{};
  if (!::GetFileInformationByHandle(Handle(native_), &info)) {
    Fail();
    return -1;
  }
  if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return -1;
  return (static_cast<std::int64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
}

std::optional<std::int64_t> SystemFile::ModifiedTime() {
  FILETIME written{};
  if (!::GetFileTime(Handle(native_), nullptr, nullptr, &written)) return Unanswered();
  return StepsOf(written) / kStepsPerSecond - kSecondsFrom1601To1970;
}

std::optional<FileStamp> SystemFile::Stamp() {
  if (::GetFileType(Handle(native_)) != FILE_TYPE_DISK) return std::nullopt;
  BY_HANDLE_FILE_INFORMATION info{};
  if (!::GetFileInformationByHandle(Handle(native_), &info)) return Unanswered();
  if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return std::nullopt;
  constexpr std::int64_t kNsPerStep = 100;
  return FileStamp{(static_cast<std::int64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow,
                   (StepsOf(info.ftLastWriteTime) - kSecondsFrom1601To1970 * kStepsPerSecond) * kNsPerStep,
                   IdentityIn(info)};
}

bool SystemFile::ReadAt(std::int64_t offset, void* data, std::size_t size, std::size_t& done) {
  done = 0;
  while (done < size) {
    OVERLAPPED position = At(offset + static_cast<std::int64_t>(done));
    DWORD n = 0;
    if (!::ReadFile(Handle(native_), static_cast<char*>(data) + done, Chunk(size - done), &n, &position)) {
      if (::GetLastError() == ERROR_HANDLE_EOF) break;
      return Fail();
    }
    if (n == 0) break;
    done += n;
  }
  return true;
}

bool SystemFile::WriteAt(std::int64_t offset, const void* data, std::size_t size) {
  std::size_t done = 0;
  while (done < size) {
    OVERLAPPED position = At(offset + static_cast<std::int64_t>(done));
    DWORD n = 0;
    if (!::WriteFile(Handle(native_), static_cast<const char*>(data) + done, Chunk(size - done), &n,
                     &position))
      return Fail();
    if (n == 0) return Fail("nothing could be written");
    done += n;
  }
  return true;
}

bool SystemFile::Truncate(std::int64_t size) {
  FILE_END_OF_FILE_INFO end{};
  end.EndOfFile.QuadPart = size;
  return ::SetFileInformationByHandle(Handle(native_), FileEndOfFileInfo, &end, sizeof end) || Fail();
}

bool SystemFile::SyncToDisk() { return ::FlushFileBuffers(Handle(native_)) || Fail(); }

SystemFile::LockAttempt SystemFile::TryLockExclusive() {
  OVERLAPPED position{};
  position.Offset = kLockOffsetLow;
  position.OffsetHigh = kLockOffsetHigh;
  if (::LockFileEx(Handle(native_), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &position))
    return LockAttempt::kLocked;
  if (::GetLastError() == ERROR_LOCK_VIOLATION) return LockAttempt::kHeldElsewhere;
  Fail();
  return LockAttempt::kFailed;
}

// A file that replaces another (ReplaceFileW) takes its attributes and access rights; a new file takes
// those of its folder.
bool SystemFile::TakePermissionsOf(const std::string&) { return true; }

bool SystemFile::IsStillNamedBy(const std::string& path) {
  BY_HANDLE_FILE_INFORMATION open{};
  if (!::GetFileInformationByHandle(Handle(native_), &open)) return Fail();
  // A removed file that is still open lingers under its name until it is closed ("delete pending").
  FILE_STANDARD_INFO standard{};
  if (::GetFileInformationByHandleEx(Handle(native_), FileStandardInfo, &standard, sizeof standard) &&
      standard.DeletePending)
    return Fail("the file was replaced or removed by another program");
  const std::optional<FileIdentity> named = IdentityOf(path);
  if (!named) return Fail();
  if (*named == IdentityIn(open) && open.nNumberOfLinks > 0) return true;
  return Fail("the file was replaced or removed by another program");
}

std::optional<FileIdentity> SystemFile::Identity() {
  BY_HANDLE_FILE_INFORMATION open{};
  if (!::GetFileInformationByHandle(Handle(native_), &open)) return Unanswered();
  return IdentityIn(open);
}

std::optional<std::uint32_t> SystemFile::NameCount() {
  BY_HANDLE_FILE_INFORMATION open{};
  if (!::GetFileInformationByHandle(Handle(native_), &open)) return Unanswered();
  return static_cast<std::uint32_t>(open.nNumberOfLinks);
}

std::optional<FileIdentity> SystemFile::IdentityOf(const std::string& path) {
  // Opened for nothing but its identity, so that it never disturbs another program's use of it.
  HANDLE named = ::CreateFileW(Wide(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                               nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (named == INVALID_HANDLE_VALUE) return std::nullopt;
  BY_HANDLE_FILE_INFORMATION information{};
  const bool known = ::GetFileInformationByHandle(named, &information);
  ::CloseHandle(named);
  if (!known) return std::nullopt;
  return IdentityIn(information);
}

bool SystemFile::Close() {
  HANDLE handle = Handle(std::exchange(native_, kNoFile));
  return ::CloseHandle(handle) || Fail();
}

}  // namespace orlenda
