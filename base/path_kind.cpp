#include "base/path_kind.h"

namespace orlenda {

bool IsMissing(const std::string& path) { return KindOf(path) == PathKind::kMissing; }

bool IsRegularFile(const std::string& path) { return KindOf(path) == PathKind::kRegular; }

}  // namespace orlenda
