#pragma once

// The lock protocol of a file that several programs change, ours and other copies of ours, by
// replacing it whole (a temporary file renamed over it) or by writing into it in place:
//   1. Open the file that the path names and wait for its exclusive advisory lock.
//   2. Check that the path still names the locked file. A whole-file replacement renames a new file
//      over the old one while it holds the old one's lock, so a program that was waiting may get the
//      lock of a file that is no longer named so: it closes it and starts again at 1.
//   3. Read, decide and write: in place, or a temporary file renamed over the path.
//   4. Close, which ends the lock.
// Every change happens between 2 and 4, so the programs take turns and none loses another's change.

#include <memory>
#include <string>

#include "base/system_file.h"

namespace orlenda {

// Steps 1 and 2: the open file that `path` names, locked; nothing when it cannot be opened or locked.
std::unique_ptr<SystemFile> OpenLocked(const std::string& path, SystemFile::Mode mode);

}  // namespace orlenda
