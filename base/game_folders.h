#pragma once

// Where a player keeps the game's pilot files: the game's folder in a Steam library or in a Wine
// prefix of the home folder. Used for the open dialog's first starting folder.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orlenda {

// The first folder whose name contains "X-Wing Alliance" (in any letter case) and that holds at least
// one ".plt" file (in any letter case), searched in this order:
// - the Steam libraries: ~/.steam/steam/steamapps/common/, ~/.local/share/Steam/steamapps/common/ and
//   the steamapps/common/ folder of every library that Steam's libraryfolders.vdf lists;
// - the drive_c of the Wine prefixes ~/.wine and ~/Games/*, a few folders deep.
// Nothing when no such folder exists. Folders that cannot be read are passed over.
std::optional<std::string> FindGameFolder(const std::string& home);

// The "path" entries of a Steam libraryfolders.vdf text, in their order, with "\\" read as "\".
std::vector<std::string> SteamLibraryPaths(std::string_view vdfText);

}  // namespace orlenda
