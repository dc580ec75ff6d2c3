#pragma once

// Where a player keeps the game's pilot files: the game's folder as its installers record it (the
// registry, on Windows), in a Steam library, in a Wine prefix of the home folder or under the programs
// folders. Used for the open dialog's first starting folder. Paths are UTF-8.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orlenda {

// The first folder whose name contains "X-Wing Alliance" (in any letter case) and that holds at least
// one ".plt" file (in any letter case), searched in this order:
// - the installed copies that the registry records (Windows only): a store's game entries
//   (HKLM\SOFTWARE\GOG.com\Games\*, value "path") and the installed programs
//   (...\CurrentVersion\Uninstall\*, value "InstallLocation", whose "DisplayName" names the game,
//   which is how the original CD's installer and the stores record it); these need only hold pilots;
// - the Steam libraries: Steam's own folder from the registry (HKCU\Software\Valve\Steam,
//   "SteamPath"), ~/.steam/steam/ and ~/.local/share/Steam/, each one's steamapps/common/, and the
//   steamapps/common/ folder of every library that their libraryfolders.vdf lists;
// - the drive_c of the Wine prefixes ~/.wine and ~/Games/*, a few folders deep;
// - the programs folders (Program Files, Windows only), a few folders deep.
// Nothing when no such folder exists. Folders that cannot be read are passed over.
std::optional<std::string> FindGameFolder(const std::string& home);

// The "path" entries of a Steam libraryfolders.vdf text, in their order, with "\\" read as "\".
std::vector<std::string> SteamLibraryPaths(std::string_view vdfText);

}  // namespace orlenda
