#include "base/temporary_files.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <ctime>

#include "base/file_system.h"

namespace orlenda {
namespace {

bool IsOldFileOfOurs(const std::string& path, std::chrono::seconds minimumAge) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != ::geteuid()) return false;
  return std::time(nullptr) - info.st_mtime >= minimumAge.count();
}

}  // namespace

int RemoveStaleTemporaryFiles(const std::string& path, std::chrono::seconds minimumAge) {
  const std::string target = FollowLinks(path);
  const std::size_t slash = target.find_last_of('/');
  const std::string folder =
      slash == std::string::npos ? "." : target.substr(0, std::max<std::size_t>(slash, 1));
  const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
  DIR* listing = ::opendir(folder.c_str());
  if (listing == nullptr) return 0;
  int removed = 0;
  while (const dirent* entry = ::readdir(listing)) {
    if (!IsTemporaryNameOf(entry->d_name, name)) continue;
    const std::string candidate = folder + "/" + entry->d_name;
    if (IsOldFileOfOurs(candidate, minimumAge) && ::unlink(candidate.c_str()) == 0) ++removed;
  }
  ::closedir(listing);
  return removed;
}

}  // namespace orlenda
