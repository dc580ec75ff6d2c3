#pragma once

// The steps of replacing a file that differ from one operating system to the other; the order of the
// steps is the same everywhere (base/atomic_file.cpp).

#include <cstddef>
#include <string>

namespace orlenda {

// The file that `path` finally names once links are followed; `path` itself when it does not exist.
std::string FollowLinks(const std::string& path);

// The folder part of a path, "." for a bare file name.
std::string FolderOf(const std::string& path);

// The longest file name the folder may hold.
std::size_t LongestNameIn(const std::string& folder);

// Gives the new file the permissions of the one it will replace, or the usual ones for a new file.
bool TakePermissions(const std::string& newFile, const std::string& replaced);

// Puts `from` in place of `to` in one step, and makes the change last on disk.
bool MoveOver(const std::string& from, const std::string& to);

void RemoveFile(const std::string& path);

// Makes the folder, and the folders above it that are missing; whether it is there afterwards.
bool CreateFolders(const std::string& folder);

// One spelling for each file, however the path names it: absolute, with links followed as far as the
// path exists. The path itself when it cannot be worked out.
std::string CanonicalPath(const std::string& path);

}  // namespace orlenda
