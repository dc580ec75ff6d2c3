#include "pilot/pilot_backup.h"

#include <filesystem>
#include <string_view>

#include "base/atomic_file.h"

namespace orlenda {
namespace {

// One name per file, however the path was spelled.
std::string FileKey(const std::string& path) {
  std::error_code error;
  const std::filesystem::path canonical = std::filesystem::weakly_canonical(path, error);
  return error ? path : canonical.string();
}

std::string CopyFailedMessage(const std::string& path) {
  return "Unable to keep a copy of " + path + " as " + PilotBackups::BackupPath(path) +
         ", so nothing was written to the pilot file.";
}

}  // namespace

std::string PilotBackups::BackupPath(const std::string& path) { return path + ".bak"; }

bool PilotBackups::EnsureBackup(const std::string& path, std::string& message) {
  if (HasBackup(path)) return true;
  std::string content;
  if (!ReadWholeFile(path, content)) {
    message = CopyFailedMessage(path);
    return false;
  }
  const auto* data = reinterpret_cast<const std::uint8_t*>(content.data());
  return EnsureBackup(path, std::span<const std::uint8_t>(data, content.size()), message);
}

bool PilotBackups::EnsureBackup(const std::string& path, std::span<const std::uint8_t> content,
                                std::string& message) {
  if (HasBackup(path)) return true;
  const std::string_view text(reinterpret_cast<const char*>(content.data()), content.size());
  if (!WriteFileAtomically(BackupPath(path), text)) {
    message = CopyFailedMessage(path);
    return false;
  }
  done_.insert(FileKey(path));
  return true;
}

bool PilotBackups::HasBackup(const std::string& path) const { return done_.contains(FileKey(path)); }

}  // namespace orlenda
