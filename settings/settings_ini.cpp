#include "settings/settings_ini.h"

#include <chrono>
#include <memory>
#include <utility>

#include "base/file_bytes.h"
#include "base/file_replacement.h"
#include "base/folder_entries.h"
#include "base/locked_file.h"
#include "base/path_kind.h"
#include "settings/ini_text_edit.h"

namespace orlenda {
namespace {

// Other copies of the program hold the file's lock for the moment of one write. A copy that writes
// many in a row may take it again before a waiting one tries (a wait is a series of tries), so the wait
// is long; a lock held for a minute belongs to a copy that hangs, and the write then fails rather than
// this program hanging with it.
constexpr std::chrono::milliseconds kSettingsLockLimit{60000};

// The file's text before a write: empty for a missing file; nothing when a file is there but cannot
// be read, because writing would then lose its other settings.
bool TextBeforeWriting(const std::string& path, std::string& text) {
  if (IsMissing(path)) {
    text.clear();
    return true;
  }
  return IsRegularFile(path) && ReadWholeFile(path, text);
}

// A fresh profile may lack the folder that holds the file (~/.config on a new account).
void CreateMissingFolder(const std::string& path) {
  const std::string folder = FolderOf(path);
  if (IsMissing(folder)) CreateFolders(folder);
}

}  // namespace

SettingsIni::SettingsIni(std::string path) : path_(std::move(path)) {}

std::optional<std::string> SettingsIni::FindSetting(std::string_view section, std::string_view key) const {
  return Snapshot().FindSetting(section, key);
}

SettingsSnapshot SettingsIni::Snapshot() const { return SettingsSnapshot(path_); }

// Another copy of the program, or the settings dialog of one, may write the file at the same time: the
// read, the edit and the replacement happen under the file's lock, so that neither loses the other's
// setting.
void SettingsIni::WriteSetting(std::string_view section, std::string_view key, std::string_view value) {
  const SettingsError failure("Unable to write to " + path_);
  if (IsMissing(path_)) CreateMissingFolder(path_);
  const std::shared_ptr<const LockWait> wait = lockWaits_ ? lockWaits_() : nullptr;
  std::string reason;
  const std::unique_ptr<SystemFile> locked =
      OpenLocked(path_, SystemFile::Mode::kReadWriteOrCreate,
                 wait ? *wait : LockWait{kSettingsLockLimit, {}, {}}, &reason);
  // A wait given up or run out fails the write at once, so that the writes after it in a series (the
  // settings dialog's OK) do not each wait again.
  if (!locked && reason == kLockHeldReason) throw failure;
  std::string oldText;
  if (!TextBeforeWriting(path_, oldText)) throw failure;
  const std::string newText = WithIniValue(oldText, section, key, value);
  if (newText == oldText) return;  // already stored; a read-only file that holds it is no failure
  if (!locked || !ReplaceWholeFile(path_, newText)) throw failure;
}

}  // namespace orlenda
