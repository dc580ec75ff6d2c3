#include "pilot/pilot_backup.h"

#include <string_view>

#include "base/file_replacement.h"
#include "base/folder_entries.h"
#include "base/path_kind.h"

namespace orlenda {
namespace {

std::string CopyFailedMessage(const std::string& path, const std::string& reason) {
  return "Unable to keep a copy of " + path + " as " + PilotBackups::BackupPath(path) + " (" + reason +
         "), so nothing was written to the pilot file.";
}

// A marker counts only when it is a plain file: anything else at its name was not left by us.
bool IsKeptByMarker(const std::string& path) {
  return IsPlainFileItself(PilotBackups::KeepMarkerPath(path)) &&
         IsPlainFileItself(PilotBackups::BackupPath(path));
}

// A link at the copy's name is replaced, never followed; the copy is as private as the pilot file.
ReplacementRules CopyRules(const std::string& path) { return {LinkAtName::kReplace, path}; }

}  // namespace

std::string PilotBackups::BackupPath(const std::string& path) { return path + ".bak"; }

std::string PilotBackups::KeepMarkerPath(const std::string& path) { return path + ".bak.keep"; }

bool PilotBackups::EnsureBackup(const std::string& path, std::span<const std::uint8_t> content,
                                std::string& message) {
  if (HasBackup(path)) return true;
  if (!IsKeptByMarker(path)) {
    const std::string_view bytes(reinterpret_cast<const char*>(content.data()), content.size());
    std::string reason;
    if (!ReplaceFile(BackupPath(path), bytes, CopyRules(path), reason)) {
      message = CopyFailedMessage(path, reason);
      return false;
    }
  }
  done_.insert(CanonicalPath(path));  // one name per file, however the path was spelled
  return true;
}

bool PilotBackups::KeepBackup(const std::string& path) {
  std::string reason;
  return ReplaceFile(KeepMarkerPath(path),
                     BackupPath(path) + " holds " + path +
                         " as it was before a save that failed. It is kept until a save of the file "
                         "succeeds.\n",
                     CopyRules(path), reason);
}

void PilotBackups::ReleaseBackup(const std::string& path) {
  if (IsPlainFileItself(KeepMarkerPath(path))) RemoveFile(KeepMarkerPath(path));
}

bool PilotBackups::HasBackup(const std::string& path) const { return done_.contains(CanonicalPath(path)); }

}  // namespace orlenda
