#pragma once

// The files of one folder, for a view of many pilot files side by side.

#include <string>
#include <string_view>
#include <vector>

namespace orlenda {

struct FolderListing {
  bool readable = false;           // the folder could be opened and read to its end
  std::string reason;              // why not, as the system words it
  std::vector<std::string> paths;  // folder + "/" + name, sorted by name
};

// The entries of `folder` whose names end in `extension` in any letter case (".plt" finds "A.PLT"),
// that are files or links to files, or links that lead nowhere (a pilot file that has gone, which
// the caller reports as such). Folders and other kinds of entries are left out.
FolderListing FilesWithExtension(const std::string& folder, std::string_view extension);

// Whether a file name ends in `extension`, in any ASCII letter case.
bool HasExtension(std::string_view name, std::string_view extension);

}  // namespace orlenda
