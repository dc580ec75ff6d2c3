#pragma once

// The entries of one folder, with what each leads to: the one listing of folders that the rest of the
// program uses (pilot files side by side, the search for the game's folder, the sweep of temporaries).

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace orlenda {

enum class EntryKind {
  kFile,        // a plain file, or a link to one
  kFolder,      // a folder, or a link to one
  kBrokenLink,  // a link that leads nowhere (what it named has gone)
  kOther,       // a device, a pipe, or what cannot be examined
};

struct FolderEntry {
  std::string name;
  std::string path;  // folder + separator + name ("\\" on Windows, "/" elsewhere; none added after one
                     // that ends the folder)
  EntryKind kind = EntryKind::kOther;
  bool isLink = false;  // the name itself is a link
};

struct FolderListing {
  bool readable = false;             // the folder could be opened and read to its end
  std::string reason;                // why not, as the system words it
  std::vector<FolderEntry> entries;  // sorted by path; "." and ".." left out
};

// The entries whose names `wanted` takes (every entry when it is empty); only they are examined.
FolderListing ListFolder(const std::string& folder,
                         const std::function<bool(std::string_view name)>& wanted = nullptr);

}  // namespace orlenda
