#pragma once

// What a path names, as far as reading and replacing files need to know.

#include <string>

namespace orlenda {

enum class PathKind {
  kMissing,  // nothing by that name (nor the folder it would be in)
  kRegular,  // a plain file, or a link to one
  kOther,    // a folder, a device, a pipe, or something that cannot be examined
};

PathKind KindOf(const std::string& path);

bool IsMissing(const std::string& path);
bool IsRegularFile(const std::string& path);

}  // namespace orlenda
