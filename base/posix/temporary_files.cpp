#include "base/temporary_files.h"

#include <sys/stat.h>
#include <unistd.h>

#include <ctime>

#include "base/folder_listing.h"

namespace orlenda {
namespace {

bool IsOldFileOfOurs(const std::string& path, std::chrono::seconds minimumAge) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != ::geteuid()) return false;
  return std::time(nullptr) - info.st_mtime >= minimumAge.count();
}

}  // namespace

int RemoveStaleTemporaryFiles(const std::string& folder, std::chrono::seconds minimumAge) {
  int removed = 0;
  for (const FolderEntry& entry : ListFolder(folder, IsTemporaryName).entries) {
    if (IsOldFileOfOurs(entry.path, minimumAge) && ::unlink(entry.path.c_str()) == 0) ++removed;
  }
  return removed;
}

}  // namespace orlenda
