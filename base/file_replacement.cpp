#include "base/file_replacement.h"

#include <random>

#include "base/folder_entries.h"
#include "base/path_kind.h"
#include "base/system_file.h"
#include "base/temporary_files.h"

namespace orlenda {
namespace {

bool Refuse(std::string& reason, std::string why) {
  reason = std::move(why);
  return false;
}

// The name that the rename replaces, or nothing when what stands there may not be replaced.
bool ResolveTarget(const std::string& path, LinkAtName link, std::string& target, std::string& reason) {
  target = link == LinkAtName::kFollow ? FollowLinks(path) : path;
  switch (KindOfName(target, &reason)) {
    case NameKind::kNothing:
    case NameKind::kPlainFile:
      return true;
    case NameKind::kLink:  // kFollow: a link that leads nowhere; kReplace: the link is replaced
      return link == LinkAtName::kReplace || Refuse(reason, "the link leads nowhere");
    case NameKind::kFolder:
      return Refuse(reason, "a folder has that name");
    case NameKind::kOther:
      return Refuse(reason, "a device, pipe or socket has that name");
    case NameKind::kUnexaminable:
      return false;
  }
  return false;
}

// A new file of ours in `folder`; `temporary` receives its name.
SystemFile CreateTemporaryIn(const std::string& folder, std::string& temporary, std::string& reason) {
  std::mt19937 random(std::random_device{}());
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporary = TemporaryNameIn(folder, random);
    SystemFile file(temporary, SystemFile::Mode::kCreateNew);
    if (file.IsOpen()) return file;
    reason = file.reason();
    if (!IsFolder(folder)) break;  // no folder to hold it: no other name will do
  }
  return {};
}

bool WriteWhole(SystemFile& file, std::string_view content, const std::string& permissionsOf) {
  bool ok = file.WriteAt(0, content.data(), content.size()) && file.SyncToDisk() &&
            file.TakePermissionsOf(permissionsOf);
  return file.Close() && ok;
}

}  // namespace

bool ReplaceWholeFile(const std::string& path, std::string_view content, const ReplacementRules& rules,
                      std::string& reason) {
  std::string target;
  if (!ResolveTarget(path, rules.link, target, reason)) return false;
  const std::string folder = FolderOf(target);
  RemoveStaleTemporaryFiles(folder);

  std::string temporary;
  SystemFile file = CreateTemporaryIn(folder, temporary, reason);
  if (!file.IsOpen()) return false;
  const std::string& permissionsOf = rules.permissionsOf.empty() ? target : rules.permissionsOf;
  if (!WriteWhole(file, content, permissionsOf)) {
    reason = file.reason();
    RemoveFile(temporary);
    return false;
  }
  if (!MoveOver(temporary, target, reason)) {
    RemoveFile(temporary);
    return false;
  }
  return true;
}

bool ReplaceWholeFile(const std::string& path, std::string_view content) {
  std::string ignored;
  return ReplaceWholeFile(path, content, {}, ignored);
}

}  // namespace orlenda
