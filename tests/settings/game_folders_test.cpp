// Finding the game's folder in a fake home: the Steam libraries, the libraries that Steam's
// libraryfolders.vdf lists, and the Wine prefixes; folders without pilot files do not count.

#include "settings/game_folders.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "support/temp_dir.h"

namespace orlenda {
namespace {

namespace fs = std::filesystem;

// The folder found in the home, in the system's own separators (the test's paths mix them on Windows).
fs::path FoundIn(const test::TempDir& home) {
  return fs::path(FindGameFolder(home.path().string()).value_or("")).lexically_normal();
}

// A path as Steam writes it in a .vdf value: each backslash doubled.
std::string VdfText(std::string path) {
  for (std::size_t at = path.find('\\'); at != std::string::npos; at = path.find('\\', at + 2))
    path.insert(at, 1, '\\');
  return path;
}

void Touch(const fs::path& file, const std::string& text = "x") {
  fs::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary) << text;
}

TEST(GameFolders, SteamLibraryPathsReadsEveryPathEntry) {
  const char vdf[] =
      "\"libraryfolders\"\n{\n\t\"0\"\n\t{\n\t\t\"path\"\t\t\"/home/ace/.local/share/Steam\"\n"
      "\t\t\"label\"\t\t\"\"\n\t}\n\t\"1\"\n\t{\n\t\t\"PATH\"\t\t\"D:\\\\Steam Library\"\n\t}\n}\n";
  EXPECT_EQ(SteamLibraryPaths(vdf),
            (std::vector<std::string>{"/home/ace/.local/share/Steam", "D:\\Steam Library"}));
  EXPECT_TRUE(SteamLibraryPaths("").empty());
  EXPECT_TRUE(SteamLibraryPaths("\"path\"").empty());  // a key without its value
}

TEST(GameFolders, NothingInAnEmptyHomeOrAFolderWithoutPilots) {
  test::TempDir home;
  EXPECT_EQ(FindGameFolder(home.path().string()), std::nullopt);
  EXPECT_EQ(FindGameFolder(""), std::nullopt);
  Touch(home.path() / ".steam/steam/steamapps/common/STAR WARS X-Wing Alliance/readme.txt");
  Touch(home.path() / ".steam/steam/steamapps/common/Other Game/pilot.plt");
  EXPECT_EQ(FindGameFolder(home.path().string()), std::nullopt);
}

TEST(GameFolders, SteamLibrariesComeFirstThenListedLibrariesThenWine) {
  test::TempDir home;
  const fs::path wine = home.path() / "Games/xwa/drive_c/GOG Games/Star Wars - X-Wing Alliance";
  Touch(wine / "Pilot.PLT");
  EXPECT_EQ(FoundIn(home), wine.lexically_normal());

  const fs::path library = home.path() / "mnt/big disk";
  const fs::path listed = library / "steamapps/common/STAR WARS X-Wing Alliance";
  Touch(listed / "ace.plt");
  Touch(home.path() / ".local/share/Steam/steamapps/libraryfolders.vdf",
        "\"libraryfolders\" { \"1\" { \"path\" \"" + VdfText(library.string()) + "\" } }");
  EXPECT_EQ(FoundIn(home), listed.lexically_normal());

  const fs::path steam = home.path() / ".steam/steam/steamapps/common/STAR WARS X-Wing Alliance";
  Touch(steam / "rookie.plt");
  EXPECT_EQ(FoundIn(home), steam.lexically_normal());
}

TEST(GameFolders, DefaultWinePrefixIsSearchedAFewFoldersDeep) {
  test::TempDir home;
  const fs::path game = home.path() / ".wine/drive_c/Program Files (x86)/LucasArts/X-Wing Alliance";
  Touch(game / "pilot.plt");
  EXPECT_EQ(FoundIn(home), game.lexically_normal());
}

}  // namespace
}  // namespace orlenda
