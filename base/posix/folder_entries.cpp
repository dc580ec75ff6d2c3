#include "base/folder_entries.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

#include "base/path_kind.h"

namespace orlenda {

namespace {

bool IsNotFound(int error) { return error == ENOENT || error == ENOTDIR; }

}  // namespace

PathKind KindOf(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) == 0) return S_ISREG(info.st_mode) ? PathKind::kRegular : PathKind::kOther;
  return IsNotFound(errno) ? PathKind::kMissing : PathKind::kUnexaminable;
}

bool IsFolder(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool NothingAt(const std::string& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) != 0 && IsNotFound(errno);
}

bool IsPlainFileItself(const std::string& path) { return KindOfName(path) == NameKind::kPlainFile; }

NameKind KindOfName(const std::string& path, std::string* reason) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0) {
    if (IsNotFound(errno)) return NameKind::kNothing;
    if (reason != nullptr) *reason = std::generic_category().message(errno);
    return NameKind::kUnexaminable;
  }
  if (S_ISREG(info.st_mode)) return NameKind::kPlainFile;
  if (S_ISLNK(info.st_mode)) return NameKind::kLink;
  return S_ISDIR(info.st_mode) ? NameKind::kFolder : NameKind::kOther;
}

std::string FollowLinks(const std::string& path) {
  std::vector<char> resolved(PATH_MAX + 1, '\0');
  if (::realpath(path.c_str(), resolved.data()) != nullptr) return std::string(resolved.data());
  return path;  // a file that does not exist yet is created under the given name
}

std::string WhereLinksLead(const std::string& path) {
  constexpr int kMostLinks = 40;  // as the system's own limit on a chain of links
  std::string current = path;
  for (int step = 0; step < kMostLinks; ++step) {
    std::vector<char> target(PATH_MAX + 1, '\0');
    const ssize_t length = ::readlink(current.c_str(), target.data(), PATH_MAX);
    if (length < 0) return FollowLinks(current);
    const std::string next(target.data(), static_cast<std::size_t>(length));
    current = next.starts_with('/') ? next : FolderOf(current) + "/" + next;
  }
  return current;
}

std::string FolderOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

bool MoveOver(const std::string& from, const std::string& to, std::string& reason) {
  if (::rename(from.c_str(), to.c_str()) != 0) {
    reason = std::generic_category().message(errno);
    return false;
  }
  // The rename itself lasts only once the folder that holds it is on disk.
  const int folder = ::open(FolderOf(to).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder >= 0) {
    ::fsync(folder);
    ::close(folder);
  }
  return true;
}

bool RemoveFile(const std::string& path, std::string* reason) {
  if (::unlink(path.c_str()) == 0) return true;
  if (reason != nullptr) *reason = std::generic_category().message(errno);
  return false;
}

bool CreateFolders(const std::string& folder) {
  std::error_code ignored;
  std::filesystem::create_directories(folder, ignored);
  return IsFolder(folder);
}

std::string CanonicalPath(const std::string& path) {
  std::error_code error;
  const std::filesystem::path canonical = std::filesystem::weakly_canonical(path, error);
  return error ? path : canonical.string();
}

}  // namespace orlenda
