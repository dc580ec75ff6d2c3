#pragma once

// Replacing a file's whole content so that a failure half way never leaves a truncated file: the new
// content goes to a temporary file beside it, is flushed to disk, and is then renamed over the old.

#include <string>
#include <string_view>

namespace orlenda {

// Returns false when the file could not be replaced; the old file is then untouched. An existing
// file keeps its permissions; a link is followed so that the file it names is replaced. Only a plain
// file is replaced: a folder, a device or a pipe in its place is refused.
bool WriteFileAtomically(const std::string& path, std::string_view content);

// Reads a whole plain file; false when it cannot be opened or read, or is a folder, device or pipe.
bool ReadWholeFile(const std::string& path, std::string& content);

}  // namespace orlenda
