#pragma once

// The temporary files that an atomic save makes beside the file it replaces, and their removal when a
// killed program left one behind.
//
// A temporary file is named after the file it replaces: "NAME.orlenda-tmp.XXXXXX", with six random
// letters or digits. Only files of exactly that form, beside the named file, are ever removed: a file
// of another name was not made by us.

#include <chrono>
#include <string>
#include <string_view>

namespace orlenda {

inline constexpr std::string_view kTemporaryInfix = ".orlenda-tmp.";

// Removes the temporary files of `path` (after its links are followed) that are plain files of this
// user and were last written at least `minimumAge` ago. Call it only while holding the lock that every
// save of that file takes, so that no save still in progress owns one of them. Returns how many went.
// Whether a folder entry is named as a temporary file of the file named `name`.
bool IsTemporaryNameOf(std::string_view entry, std::string_view name);

int RemoveStaleTemporaryFiles(const std::string& path, std::chrono::seconds minimumAge);

}  // namespace orlenda
