#pragma once

// The user's index of the saves under way of pilot files that have more than one name (hard links),
// so that a save through one name finds the note of a save through another name in any folder.
//
// A save of such a file notes here, before it writes its own note beside the copy, which name's copy
// and note (NAME.plt.bak, NAME.plt.bak.keep, pilot/pilot_backup.h) the file uses, and removes the entry
// once that note is gone. One small file per pilot file, named from the file's identity in hex
// ("VOLUME-INDEX") in saves/ of the program's data folder (base/user_folders.h:
// $XDG_DATA_HOME/orlenda3001/saves/ or ~/.local/share/orlenda3001/saves/, on Windows
// %LOCALAPPDATA%\Orlenda 3001\saves\), holding that name as an absolute path. A file with one name
// has no entry and costs nothing.

#include <optional>
#include <string>

#include "base/system_file.h"

namespace orlenda {

// The entry of the file of this identity; empty when the program's data folder is unknown.
std::string SaveIndexEntry(const FileIdentity& identity);

// The name noted in the entry; nothing when there is no entry or it cannot be read.
std::optional<std::string> NotedOwner(const FileIdentity& identity);

// Notes `owner` (made absolute) in the entry, replacing what it held, flushed to disk. False, with
// `message` naming the entry and the reason, when it cannot be written.
bool NoteOwner(const FileIdentity& identity, const std::string& owner, std::string& message);

// Removes the entry, when there is one.
void ForgetOwner(const FileIdentity& identity);

}  // namespace orlenda
