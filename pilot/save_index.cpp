#include "pilot/save_index.h"

#include <charconv>
#include <cstddef>
#include <cstdint>

#include "base/file_bytes.h"
#include "base/file_replacement.h"
#include "base/folder_entries.h"
#include "base/path_kind.h"
#include "base/user_folders.h"

namespace orlenda {
namespace {

// More than any path the systems allow.
constexpr std::size_t kMaxEntrySize = 64 * 1024;

std::string Hex(std::uint64_t value) {
  char digits[16];
  const auto result = std::to_chars(digits, digits + sizeof digits, value, 16);
  return std::string(digits, result.ptr);
}

}  // namespace

std::string SaveIndexEntry(const FileIdentity& identity) {
  const std::string data = ProgramDataFolder();
  if (data.empty()) return {};
  return InFolder(InFolder(data, "saves"), Hex(identity.volume) + "-" + Hex(identity.index));
}

std::optional<std::string> NotedOwner(const FileIdentity& identity) {
  const std::string entry = SaveIndexEntry(identity);
  if (entry.empty() || NothingAt(entry)) return std::nullopt;
  std::string owner;
  std::string reason;
  if (!ReadFileUpTo(entry, kMaxEntrySize, owner, reason) || owner.empty()) return std::nullopt;
  return owner;
}

bool NoteOwner(const FileIdentity& identity, const std::string& owner, std::string& message) {
  const std::string entry = SaveIndexEntry(identity);
  if (entry.empty()) {
    message = "no folder is known for the program's data (the home folder is not known)";
    return false;
  }
  std::string reason = "the folder could not be made";
  // A link at the entry's name is replaced, never followed: nothing but the entry is written.
  if (CreateFolders(FolderOf(entry)) &&
      ReplaceWholeFile(entry, CanonicalPath(owner), {LinkAtName::kReplace, {}}, reason))
    return true;
  message = entry + " could not be written (" + reason + ")";
  return false;
}

void ForgetOwner(const FileIdentity& identity) {
  const std::string entry = SaveIndexEntry(identity);
  if (!entry.empty() && IsPlainFileItself(entry)) RemoveFile(entry);
}

}  // namespace orlenda
