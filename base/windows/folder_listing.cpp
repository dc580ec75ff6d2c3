#include "base/folder_listing.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "base/windows/wide.h"

namespace orlenda {
namespace {

// Joined with the system's separator, so that the rows and messages that show an entry's path show it
// as a Windows player writes it.
std::string Joined(const std::string& folder, const std::string& name) {
  const bool endsWithSeparator = !folder.empty() && (folder.back() == '\\' || folder.back() == '/');
  return endsWithSeparator ? folder + name : folder + "\\" + name;
}

EntryKind KindOf(const std::filesystem::directory_entry& found) {
  std::error_code ignored;
  if (found.is_regular_file(ignored)) return EntryKind::kFile;
  if (found.is_directory(ignored)) return EntryKind::kFolder;
  const bool leadsNowhere = found.is_symlink(ignored) && !std::filesystem::exists(found.path(), ignored);
  return leadsNowhere ? EntryKind::kBrokenLink : EntryKind::kOther;
}

}  // namespace

FolderListing ListFolder(const std::string& folder,
                         const std::function<bool(std::string_view name)>& wanted) {
  FolderListing listing;
  std::error_code error;
  std::filesystem::directory_iterator it(windows::Wide(folder), error), end;
  if (error) {
    listing.reason = error.message();
    return listing;
  }
  for (; !error && it != end; it.increment(error)) {
    std::string name = windows::Narrow(it->path().filename().wstring());
    if (wanted && !wanted(name)) continue;
    FolderEntry& entry = listing.entries.emplace_back();
    entry.path = Joined(folder, name);
    entry.name = std::move(name);
    entry.kind = KindOf(*it);
    std::error_code ignored;
    entry.isLink = it->is_symlink(ignored);
  }
  listing.readable = !error;
  if (error) listing.reason = error.message();
  std::sort(listing.entries.begin(), listing.entries.end(),
            [](const FolderEntry& a, const FolderEntry& b) { return a.path < b.path; });
  return listing;
}

}  // namespace orlenda
