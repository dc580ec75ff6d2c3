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

EntryKind KindOfMode(mode_t mode) {
  if (S_ISREG(mode)) return EntryKind::kFile;
  return S_ISDIR(mode) ? EntryKind::kFolder : EntryKind::kOther;
}

// The entry's kind as the listing tells it, asking the file system only when it does not (or for a
// link, which counts as what it leads to, or as a link that leads nowhere).
void Examine(const dirent& found, FolderEntry& entry) {
  if (found.d_type == DT_REG || found.d_type == DT_DIR) {
    entry.kind = found.d_type == DT_REG ? EntryKind::kFile : EntryKind::kFolder;
    return;
  }
  struct stat info {};
  if (found.d_type == DT_UNKNOWN) {
    if (::lstat(entry.path.c_str(), &info) != 0) return;
    entry.isLink = S_ISLNK(info.st_mode);
    if (!entry.isLink) {
      entry.kind = KindOfMode(info.st_mode);
      return;
    }
  }
  entry.isLink = entry.isLink || found.d_type == DT_LNK;
  if (!entry.isLink) return;
  if (::stat(entry.path.c_str(), &info) == 0)
    entry.kind = KindOfMode(info.st_mode);
  else if (errno == ENOENT || errno == ELOOP)
    entry.kind = EntryKind::kBrokenLink;
}

std::string SystemReason(int error) { return std::generic_category().message(error); }

}  // namespace

FolderListing ListFolder(const std::string& folder,
                         const std::function<bool(std::string_view name)>& wanted) {
  FolderListing listing;
  const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), ::closedir);
  if (!dir) {
    listing.reason = SystemReason(errno);
    return listing;
  }
  errno = 0;
  while (const dirent* found = ::readdir(dir.get())) {
    const std::string_view name = found->d_name;
    if (name != "." && name != ".." && (!wanted || wanted(name))) {
      FolderEntry& entry = listing.entries.emplace_back();
      entry.name = name;
      entry.path = Joined(folder, found->d_name);
      Examine(*found, entry);
    }
    errno = 0;
  }
  listing.readable = errno == 0;
  if (!listing.readable) listing.reason = SystemReason(errno);
  std::sort(listing.entries.begin(), listing.entries.end(),
            [](const FolderEntry& a, const FolderEntry& b) { return a.path < b.path; });
  return listing;
}

}  // namespace orlenda
