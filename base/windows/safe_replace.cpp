#include "base/safe_replace.h"

#include <filesystem>
#include <random>

#include "base/file_system.h"
#include "base/system_file.h"
#include "base/windows/wide.h"

namespace orlenda {
namespace {

// Nothing, or only a link or a plain file, may stand at the name: those are replaced by the move.
bool MayReplace(const std::string& path, std::string& reason) {
  std::error_code error;
  const auto status = std::filesystem::symlink_status(std::filesystem::path(windows::Wide(path)), error);
  if (status.type() == std::filesystem::file_type::not_found) return true;
  if (error) {
    reason = error.message();
    return false;
  }
  if (std::filesystem::is_regular_file(status) || std::filesystem::is_symlink(status)) return true;
  reason = std::filesystem::is_directory(status) ? "a folder has that name"
                                                 : "a device, pipe or socket has that name";
  return false;
}

// A new file with a short name in the target's folder, so that a target name near the longest allowed
// still gets one; `temporary` receives its name.
SystemFile CreateTemporaryIn(const std::string& folder, std::string& temporary) {
  static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  std::mt19937 random(std::random_device{}());
  std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporary = folder + "\\.orlenda-copy.";
    for (int i = 0; i < 6; ++i) temporary.push_back(kLetters[pick(random)]);
    SystemFile file(temporary, SystemFile::Mode::kCreateNew);
    if (file.IsOpen()) return file;
  }
  return {};
}

}  // namespace

bool ReplaceWithPlainFile(const std::string& path, std::string_view content, std::string& reason) {
  if (!MayReplace(path, reason)) return false;
  std::string temporary;
  SystemFile file = CreateTemporaryIn(FolderOf(path), temporary);
  if (!file.IsOpen()) {
    reason = windows::LastErrorText();
    return false;
  }
  bool ok = file.WriteAt(0, content.data(), content.size()) && file.SyncToDisk();
  if (!ok) reason = file.reason();
  if (!file.Close() && ok) {
    reason = file.reason();
    ok = false;
  }
  // The move is written through to disk before it returns, which stands for the folder's flush.
  if (ok && !MoveOver(temporary, path)) {
    reason = windows::LastErrorText();
    ok = false;
  }
  if (!ok) RemoveFile(temporary);
  return ok;
}

}  // namespace orlenda
