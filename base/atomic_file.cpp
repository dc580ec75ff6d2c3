#include "base/atomic_file.h"

#include <filesystem>
#include <random>

#include "base/file_status.h"
#include "base/file_system.h"
#include "base/system_file.h"
#include "base/temporary_files.h"

namespace orlenda {
namespace {

constexpr std::size_t kRandomLength = 6;

std::size_t NameStart(const std::string& path) {
  constexpr char kSeparators[] = {'/', static_cast<char>(std::filesystem::path::preferred_separator), '\0'};
  const auto separator = path.find_last_of(kSeparators);
  return separator == std::string::npos ? 0 : separator + 1;
}

// The temporary file's name before its random characters: beside the target, under the target's name
// when that leaves room for them within the longest name a folder entry may have (a later save removes
// such a file when a killed program left it behind).
std::string TemporaryStem(const std::string& target) {
  const std::size_t nameStart = NameStart(target);
  if (target.size() - nameStart + kTemporaryInfix.size() + kRandomLength <= LongestNameIn(FolderOf(target)))
    return target + std::string(kTemporaryInfix);
  return target.substr(0, nameStart) + ".orlenda-save.";
}

std::string RandomLetters(std::mt19937& random) {
  static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
  std::string letters;
  for (std::size_t i = 0; i < kRandomLength; ++i) letters.push_back(kLetters[pick(random)]);
  return letters;
}

// Creates a new file beside the target; `path` receives its name.
SystemFile CreateTemporary(const std::string& target, std::string& path) {
  std::mt19937 random(std::random_device{}());
  const std::string stem = TemporaryStem(target);
  for (int attempt = 0; attempt < 100; ++attempt) {
    path = stem + RandomLetters(random);
    SystemFile file(path, SystemFile::Mode::kCreateNew);
    if (file.IsOpen()) return file;
    if (IsMissing(FolderOf(target))) break;  // no folder to hold it: no other name will do
  }
  return {};
}

}  // namespace

bool WriteFileAtomically(const std::string& path, std::string_view content) {
  const std::string target = FollowLinks(path);
  // Only a plain file is replaced: a device or a pipe in its place (/dev/null, /dev/stdout) must keep
  // being what it is, and a folder cannot be replaced.
  const PathKind kind = KindOf(target);
  if (kind == PathKind::kOther || kind == PathKind::kUnexaminable) return false;

  std::string temporary;
  SystemFile file = CreateTemporary(target, temporary);
  if (!file.IsOpen()) return false;
  bool ok = file.WriteAt(0, content.data(), content.size()) && file.SyncToDisk();
  ok = file.Close() && ok;
  ok = ok && TakePermissions(temporary, target) && MoveOver(temporary, target);
  if (!ok) RemoveFile(temporary);
  return ok;
}

bool ReadWholeFile(const std::string& path, std::string& content) {
  // Read only when it is a plain file: a pipe or a device named as a file would otherwise block the
  // program or never end.
  SystemFile file(path, SystemFile::Mode::kRead);
  if (!file.IsOpen() || file.RegularFileSize() < 0) return false;
  std::string bytes;
  char buffer[65536];
  std::size_t done = sizeof buffer;
  while (done == sizeof buffer) {
    if (!file.ReadAt(static_cast<std::int64_t>(bytes.size()), buffer, sizeof buffer, done)) return false;
    bytes.append(buffer, done);
  }
  content = std::move(bytes);
  return true;
}

}  // namespace orlenda
