#pragma once

// Work on folder entries, by name: what a name leads to, moving one file over another, removing and
// creating. The steps of replacing a file that differ from one operating system to the other; their
// order is the same everywhere (base/file_replacement.cpp).

#include <string>

namespace orlenda {

// The file that `path` finally names once links are followed; `path` itself when it does not exist.
std::string FollowLinks(const std::string& path);

// Where `path` leads once links are followed, also when the last link leads nowhere: the name that a
// file opened for creation at `path` would be created under. `path` itself when it is no link.
std::string WhereLinksLead(const std::string& path);

// The folder part of a path, "." for a bare file name.
std::string FolderOf(const std::string& path);

// Puts `from` in place of `to` in one step, and makes the change last on disk. On failure `reason`
// says why, as the system words it.
bool MoveOver(const std::string& from, const std::string& to, std::string& reason);

// Removes the name; false, with the system's reason in `reason` when given, when it could not.
bool RemoveFile(const std::string& path, std::string* reason = nullptr);

// Makes the folder, and the folders above it that are missing; whether it is there afterwards.
bool CreateFolders(const std::string& folder);

// One spelling for each file, however the path names it: absolute, with links followed as far as the
// path exists. The path itself when it cannot be worked out.
std::string CanonicalPath(const std::string& path);

}  // namespace orlenda
