#pragma once

// What a path names, as far as reading and replacing files need to know.

#include <string>

namespace orlenda {

enum class PathKind {
  kMissing,       // nothing by that name (nor the folder it would be in)
  kRegular,       // a plain file, or a link to one
  kOther,         // a folder, a device, a pipe
  kUnexaminable,  // something the system will not tell about (no right to look into its folder)
};

// Links are followed.
PathKind KindOf(const std::string& path);

bool IsMissing(const std::string& path);
bool IsRegularFile(const std::string& path);

// A folder, or a link to one.
bool IsFolder(const std::string& path);

// Nothing by that name at all: no file, no folder, not even a link that leads nowhere.
bool NothingAt(const std::string& path);

// A plain file by that name itself, not a link to one.
bool IsPlainFileItself(const std::string& path);

// What stands at the name itself: a link is not followed.
enum class NameKind { kNothing, kPlainFile, kLink, kFolder, kOther, kUnexaminable };

// `reason` (when given) receives the system's words when the name cannot be examined.
NameKind KindOfName(const std::string& path, std::string* reason = nullptr);

}  // namespace orlenda
