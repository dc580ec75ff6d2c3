#include "base/temporary_files.h"

#include <filesystem>

#include "base/file_system.h"
#include "base/windows/wide.h"

namespace orlenda {
namespace {

// The user's own folder holds the log, so a plain file there of the temporary name is taken as ours.
bool IsOldPlainFile(const std::filesystem::path& path, std::chrono::seconds minimumAge) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(std::filesystem::symlink_status(path, error))) return false;
  const auto written = std::filesystem::last_write_time(path, error);
  return !error && std::filesystem::file_time_type::clock::now() - written >= minimumAge;
}

}  // namespace

int RemoveStaleTemporaryFiles(const std::string& path, std::chrono::seconds minimumAge) {
  const std::filesystem::path target(windows::Wide(FollowLinks(path)));
  const std::string name = windows::Narrow(target.filename().wstring());
  std::filesystem::path folder = target.parent_path();
  if (folder.empty()) folder = L".";
  std::error_code error;
  int removed = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    if (!IsTemporaryNameOf(windows::Narrow(entry.path().filename().wstring()), name)) continue;
    if (IsOldPlainFile(entry.path(), minimumAge) && std::filesystem::remove(entry.path(), error)) ++removed;
  }
  return removed;
}

}  // namespace orlenda
