#include "base/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "base/temporary_files.h"

namespace orlenda {
namespace {

bool WriteAll(int fd, std::string_view content) {
  std::size_t done = 0;
  while (done < content.size()) {
    const ssize_t n = ::write(fd, content.data() + done, content.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

std::string FolderOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

void SyncFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// The temporary file's name pattern: beside the target, under the target's name when that leaves room
// for the recognisable infix and six random characters within the longest name a folder entry may
// have (a later save removes such a file when a killed program left it behind).
std::string TemporaryPattern(const std::string& target) {
  const std::size_t kSuffix = kTemporaryInfix.size() + 6;  // ".orlenda-tmp.XXXXXX"
  const std::string folder = FolderOf(target);
  const std::size_t nameStart =
      target.find_last_of('/') == std::string::npos ? 0 : target.find_last_of('/') + 1;
  const long longestName = ::pathconf(folder.c_str(), _PC_NAME_MAX);
  const std::size_t nameMax = longestName > 0 ? static_cast<std::size_t>(longestName) : 255;
  if (target.size() - nameStart + kSuffix <= nameMax) return target + std::string(kTemporaryInfix) + "XXXXXX";
  return (folder == "/" ? "" : folder) + "/.orlenda-save.XXXXXX";
}

}  // namespace

bool WriteFileAtomically(const std::string& path, std::string_view content) {
  const std::string target = ResolveLink(path);
  // Only a plain file is replaced: a device or a pipe in its place (/dev/null, /dev/stdout) must keep
  // being what it is, and a folder cannot be replaced.
  struct stat existing {};
  const bool exists = ::stat(target.c_str(), &existing) == 0;
  if (exists && !S_ISREG(existing.st_mode)) return false;
  const mode_t mode = exists ? (existing.st_mode & 07777) : 0644;

  std::string temporary = TemporaryPattern(target);
  const int fd = ::mkstemp(temporary.data());
  if (fd < 0) return false;
  bool ok = ::fchmod(fd, mode) == 0 && WriteAll(fd, content) && ::fsync(fd) == 0;
  ok = (::close(fd) == 0) && ok;
  if (ok) ok = ::rename(temporary.c_str(), target.c_str()) == 0;
  if (!ok) {
    ::unlink(temporary.c_str());
    return false;
  }
  SyncFolder(FolderOf(target));
  return true;
}

bool ReadWholeFile(const std::string& path, std::string& content) {
  // Opened without waiting, and read only when it is a plain file: a pipe or a device named as a file
  // would otherwise block the program or never end.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat info {};
  bool ok = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
  std::string bytes;
  char buffer[65536];
  while (ok) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) ok = false;
    if (n <= 0) break;
    bytes.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(fd);
  if (ok) content = std::move(bytes);
  return ok;
}

}  // namespace orlenda
