#include "base/folder_listing.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <memory>
#include <system_error>

namespace orlenda {
namespace {

std::string Joined(const std::string& folder, const char* name) {
  return !folder.empty() && folder.back() == '/' ? folder + name : folder + "/" + name;
}

// The entry's kind as the listing tells it, asking the file system only when it does not (or for a
// link, which counts as what it leads to: a file, or nothing at all).
bool IsFileEntry(const dirent& entry, const std::string& path) {
  if (entry.d_type == DT_REG) return true;
  if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN) return false;
  struct stat info {};
  if (::stat(path.c_str(), &info) == 0) return S_ISREG(info.st_mode);
  const bool leadsNowhere = errno == ENOENT || errno == ELOOP;
  return leadsNowhere && ::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
}

}  // namespace

FolderListing FilesWithExtension(const std::string& folder, std::string_view extension) {
  FolderListing listing;
  const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), ::closedir);
  if (!dir) {
    listing.reason = std::generic_category().message(errno);
    return listing;
  }
  errno = 0;
  while (const dirent* entry = ::readdir(dir.get())) {
    if (HasExtension(entry->d_name, extension)) {
      std::string path = Joined(folder, entry->d_name);
      if (IsFileEntry(*entry, path)) listing.paths.push_back(std::move(path));
    }
    errno = 0;
  }
  listing.readable = errno == 0;
  if (!listing.readable) listing.reason = std::generic_category().message(errno);
  std::sort(listing.paths.begin(), listing.paths.end());
  return listing;
}

}  // namespace orlenda
