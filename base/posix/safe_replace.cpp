#include "base/safe_replace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace orlenda {
namespace {

std::string SystemReason() { return std::generic_category().message(errno); }

std::string FolderOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

bool WriteWhole(int fd, std::string_view content) {
  std::size_t done = 0;
  while (done < content.size()) {
    const ssize_t n = ::write(fd, content.data() + done, content.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) {
      errno = ENOSPC;
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  return true;
}

// Nothing, or only a link or a plain file, may stand at the name: those are replaced by the rename.
bool MayReplace(const std::string& path, std::string& reason) {
  struct stat existing {};
  if (::lstat(path.c_str(), &existing) != 0) {
    if (errno == ENOENT) return true;
    reason = SystemReason();
    return false;
  }
  if (S_ISREG(existing.st_mode) || S_ISLNK(existing.st_mode)) return true;
  reason = S_ISDIR(existing.st_mode) ? "a folder has that name" : "a device, pipe or socket has that name";
  return false;
}

bool SyncFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool synced = ::fsync(fd) == 0;
  const int error = errno;
  ::close(fd);
  errno = error;
  return synced;
}

}  // namespace

bool ReplaceWithPlainFile(const std::string& path, std::string_view content, std::string& reason) {
  if (!MayReplace(path, reason)) return false;
  const std::string folder = FolderOf(path);
  // A short temporary name, so that a target name near the longest allowed still gets one.
  std::string temporary = (folder == "/" ? "" : folder) + "/.orlenda-copy.XXXXXX";
  const int fd = ::mkstemp(temporary.data());
  if (fd < 0) {
    reason = SystemReason();
    return false;
  }
  bool ok = ::fchmod(fd, 0644) == 0 && WriteWhole(fd, content) && ::fsync(fd) == 0;
  if (!ok) reason = SystemReason();
  if (::close(fd) != 0 && ok) {
    reason = SystemReason();
    ok = false;
  }
  if (ok && ::rename(temporary.c_str(), path.c_str()) != 0) {
    reason = SystemReason();
    ok = false;
  }
  if (!ok) {
    ::unlink(temporary.c_str());
    return false;
  }
  if (!SyncFolder(folder)) {
    reason = SystemReason();
    return false;
  }
  return true;
}

}  // namespace orlenda
