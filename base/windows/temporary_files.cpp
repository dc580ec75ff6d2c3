#include "base/temporary_files.h"

#include <filesystem>

#include "base/folder_listing.h"
#include "base/windows/wide.h"

namespace orlenda {
namespace {

// Windows tells no owner as simply as POSIX systems do; the folders of the user's files hold them, so a
// plain file there of our temporary name is taken as ours.
bool IsOldPlainFile(const std::filesystem::path& path, std::chrono::seconds minimumAge) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(std::filesystem::symlink_status(path, error))) return false;
  const auto written = std::filesystem::last_write_time(path, error);
  return !error && std::filesystem::file_time_type::clock::now() - written >= minimumAge;
}

}  // namespace

int RemoveStaleTemporaryFiles(const std::string& folder, std::chrono::seconds minimumAge) {
  int removed = 0;
  for (const FolderEntry& entry : ListFolder(folder, IsTemporaryName).entries) {
    const std::filesystem::path path(windows::Wide(entry.path));
    std::error_code error;
    if (IsOldPlainFile(path, minimumAge) && std::filesystem::remove(path, error)) ++removed;
  }
  return removed;
}

}  // namespace orlenda
