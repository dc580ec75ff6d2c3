#pragma once

// Putting a new plain file in place under a name where something else may already stand, without ever
// following or writing through what stands there: for copies kept beside a user's file, whose name a
// link, a folder or a device may hold.

#include <string>
#include <string_view>

namespace orlenda {

// Writes `content` to a temporary file in the target's folder, flushes it, renames it to `path` and
// flushes the folder, so that the new file is durable once this returns true. A link at `path` is
// replaced itself (the file it names is untouched); a folder, device, pipe or socket there is refused
// before anything is written. On failure `reason` says why, as the system words it; the temporary
// file is removed, and whatever stood at `path` is unchanged unless only the folder flush failed.
bool ReplaceWithPlainFile(const std::string& path, std::string_view content, std::string& reason);

}  // namespace orlenda
