#include "base/folder_listing.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "base/windows/wide.h"

namespace orlenda {

FolderListing FilesWithExtension(const std::string& folder, std::string_view extension) {
  FolderListing listing;
  std::error_code error;
  std::filesystem::directory_iterator it(windows::Wide(folder), error), end;
  if (error) {
    listing.reason = error.message();
    return listing;
  }
  for (; !error && it != end; it.increment(error)) {
    const std::string name = windows::Narrow(it->path().filename().wstring());
    std::error_code ignored;
    const bool leadsNowhere = it->is_symlink(ignored) && !std::filesystem::exists(it->path(), ignored);
    if (HasExtension(name, extension) && (it->is_regular_file(ignored) || leadsNowhere)) {
      const bool endsWithSeparator = !folder.empty() && (folder.back() == '\\' || folder.back() == '/');
      listing.paths.push_back(endsWithSeparator ? folder + name : folder + "/" + name);
    }
  }
  listing.readable = !error;
  if (error) listing.reason = error.message();
  std::sort(listing.paths.begin(), listing.paths.end());
  return listing;
}

}  // namespace orlenda
