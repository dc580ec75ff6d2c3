#pragma once

// The temporary files that a replacement writes before it renames one over the file it replaces, and
// their removal when a killed program left one behind.
//
// Every temporary file of ours is named ".orlenda-tmp.XXXXXX" (six random letters or digits) and lies
// in the folder of the file it replaces: a short name, so that a target whose name is near the longest
// a folder entry may have still gets one. Earlier versions named them "NAME.orlenda-tmp.XXXXXX",
// ".orlenda-save.XXXXXX" and ".orlenda-copy.XXXXXX"; their leftovers are swept too. A file of any other
// name was not made by us and is never removed.

#include <chrono>
#include <random>
#include <string>
#include <string_view>

namespace orlenda {

inline constexpr std::string_view kTemporaryPrefix = ".orlenda-tmp.";
inline constexpr std::size_t kRandomLength = 6;

// A replacement takes well under a second; a temporary file of ours this old was left by a program
// that was stopped.
inline constexpr std::chrono::seconds kStaleTemporaryAge{60};

// A fresh temporary name in `folder` (as FolderOf gives it).
std::string TemporaryNameIn(const std::string& folder, std::mt19937& random);

// Whether a folder entry is named as a temporary file of ours, of this version or an earlier one.
bool IsTemporaryName(std::string_view entry);

// Removes the temporary files of ours in `folder` that are plain files of this user and were last
// written at least `minimumAge` ago. Returns how many went.
int RemoveStaleTemporaryFiles(const std::string& folder,
                              std::chrono::seconds minimumAge = kStaleTemporaryAge);

}  // namespace orlenda
