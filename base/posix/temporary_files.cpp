#include "base/temporary_files.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <ctime>

namespace orlenda {
namespace {

bool IsOldFileOfOurs(const std::string& path, std::chrono::seconds minimumAge) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != ::geteuid()) return false;
  return std::time(nullptr) - info.st_mtime >= minimumAge.count();
}

}  // namespace

int RemoveStaleTemporaryFiles(const std::string& folder, std::chrono::seconds minimumAge) {
  DIR* listing = ::opendir(folder.c_str());
  if (listing == nullptr) return 0;
  int removed = 0;
  while (const dirent* entry = ::readdir(listing)) {
    if (!IsTemporaryName(entry->d_name)) continue;
    const std::string candidate = (folder == "/" ? "" : folder) + "/" + entry->d_name;
    if (IsOldFileOfOurs(candidate, minimumAge) && ::unlink(candidate.c_str()) == 0) ++removed;
  }
  ::closedir(listing);
  return removed;
}

}  // namespace orlenda
