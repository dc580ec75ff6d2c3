#include "settings/game_folders.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "base/registry.h"
#include "base/user_folders.h"

namespace orlenda {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kGameName = "x-wing alliance";
constexpr int kWineSearchDepth = 5;      // drive_c/Program Files (x86)/Maker/Steam/steamapps/common is deep
constexpr int kProgramsSearchDepth = 3;  // Program Files (x86)/Maker/Game
constexpr std::string_view kUninstallKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
constexpr std::string_view kStoreGamesKey = "SOFTWARE\\GOG.com\\Games";

// Paths are UTF-8 text; std::filesystem reads a narrow text in the system's code page on Windows.
fs::path PathOf(const std::string& utf8) { return fs::path(std::u8string(utf8.begin(), utf8.end())); }

// With the system's own separators throughout (folders joined from "a/b" texts mix them on Windows).
std::string Utf8Of(const fs::path& path) {
  const std::u8string text = fs::path(path).make_preferred().u8string();
  return std::string(text.begin(), text.end());
}

std::string Lowercase(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

bool IsFolder(const fs::path& path) {
  std::error_code ignored;
  return fs::is_directory(path, ignored);
}

// The sub-folders of a folder, sorted so that the search gives the same answer on every run.
std::vector<fs::path> SubFolders(const fs::path& folder) {
  std::vector<fs::path> folders;
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    std::error_code ignored;
    if (it->is_directory(ignored) && !it->is_symlink(ignored)) folders.push_back(it->path());
  }
  std::sort(folders.begin(), folders.end());
  return folders;
}

bool HoldsPilotFiles(const fs::path& folder) {
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    std::error_code ignored;
    if (it->is_regular_file(ignored) && Lowercase(Utf8Of(it->path().extension())) == ".plt") return true;
  }
  return false;
}

bool IsGameFolder(const fs::path& folder) {
  return Lowercase(Utf8Of(folder.filename())).find(kGameName) != std::string::npos && HoldsPilotFiles(folder);
}

std::optional<fs::path> GameFolderIn(const fs::path& common) {
  for (const fs::path& folder : SubFolders(common)) {
    if (IsGameFolder(folder)) return folder;
  }
  return std::nullopt;
}

// Breadth first, so that a shallow installation is found before anything deeper.
std::optional<fs::path> GameFolderBelow(const fs::path& root, int depth) {
  std::vector<fs::path> level{root};
  for (int d = 0; d < depth && !level.empty(); ++d) {
    std::vector<fs::path> next;
    for (const fs::path& folder : level) {
      for (const fs::path& sub : SubFolders(folder)) {
        if (IsGameFolder(sub)) return sub;
        if (Lowercase(Utf8Of(sub.filename())) != "windows") next.push_back(sub);
      }
    }
    level = std::move(next);
  }
  return std::nullopt;
}

std::string ReadText(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// Steam's own folder as the registry records it, then the usual places in the home folder.
std::vector<fs::path> SteamRoots(const fs::path& home) {
  std::vector<fs::path> roots;
  if (const auto steam = RegistryText(RegistryHive::CurrentUser, "Software\\Valve\\Steam", "SteamPath"))
    roots.push_back(PathOf(*steam));
  roots.push_back(home / ".steam/steam");
  roots.push_back(home / ".local/share/Steam");
  return roots;
}

std::vector<fs::path> SteamCommonFolders(const fs::path& home) {
  const std::vector<fs::path> steamRoots = SteamRoots(home);
  std::vector<fs::path> common;
  for (const fs::path& root : steamRoots) common.push_back(root / "steamapps/common");
  for (const fs::path& root : steamRoots) {
    for (const char* vdf : {"steamapps/libraryfolders.vdf", "config/libraryfolders.vdf"}) {
      for (const std::string& library : SteamLibraryPaths(ReadText(root / vdf)))
        common.push_back(PathOf(library) / "steamapps/common");
    }
  }
  return common;
}

// The folders that the registry records as the game's installations.
std::vector<fs::path> RecordedInstallations() {
  std::vector<fs::path> folders;
  for (const std::string& game : RegistrySubKeys(RegistryHive::LocalMachine, kStoreGamesKey)) {
    const std::string key = std::string(kStoreGamesKey) + "\\" + game;
    if (const auto path = RegistryText(RegistryHive::LocalMachine, key, "path"))
      folders.push_back(PathOf(*path));
  }
  for (const RegistryHive hive : {RegistryHive::LocalMachine, RegistryHive::CurrentUser}) {
    for (const std::string& program : RegistrySubKeys(hive, kUninstallKey)) {
      const std::string key = std::string(kUninstallKey) + "\\" + program;
      const auto name = RegistryText(hive, key, "DisplayName");
      if (!name || Lowercase(*name).find(kGameName) == std::string::npos) continue;
      if (const auto path = RegistryText(hive, key, "InstallLocation")) folders.push_back(PathOf(*path));
    }
  }
  return folders;
}

std::vector<fs::path> WineDriveFolders(const fs::path& home) {
  std::vector<fs::path> drives{home / ".wine/drive_c"};
  for (const fs::path& prefix : SubFolders(home / "Games")) drives.push_back(prefix / "drive_c");
  return drives;
}

// The quoted texts of a vdf text, in order.
std::vector<std::string> QuotedTokens(std::string_view text) {
  std::vector<std::string> tokens;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '"') continue;
    std::string token;
    for (++i; i < text.size() && text[i] != '"'; ++i) {
      if (text[i] == '\\' && i + 1 < text.size()) ++i;
      token += text[i];
    }
    tokens.push_back(std::move(token));
  }
  return tokens;
}

}  // namespace

std::vector<std::string> SteamLibraryPaths(std::string_view vdfText) {
  const std::vector<std::string> tokens = QuotedTokens(vdfText);
  std::vector<std::string> paths;
  for (std::size_t i = 0; i + 1 < tokens.size(); ++i) {
    if (Lowercase(tokens[i]) == "path") paths.push_back(tokens[++i]);
  }
  return paths;
}

std::optional<std::string> FindGameFolder(const std::string& home) {
  for (const fs::path& folder : RecordedInstallations()) {
    if (IsFolder(folder) && HoldsPilotFiles(folder)) return Utf8Of(folder);
  }
  if (!home.empty()) {
    const fs::path homePath = PathOf(home);
    for (const fs::path& common : SteamCommonFolders(homePath)) {
      if (!IsFolder(common)) continue;
      if (const auto found = GameFolderIn(common)) return Utf8Of(*found);
    }
    for (const fs::path& drive : WineDriveFolders(homePath)) {
      if (!IsFolder(drive)) continue;
      if (const auto found = GameFolderBelow(drive, kWineSearchDepth)) return Utf8Of(*found);
    }
  }
  for (const std::string& programs : ProgramFolders()) {
    if (const auto found = GameFolderBelow(PathOf(programs), kProgramsSearchDepth)) return Utf8Of(*found);
  }
  return std::nullopt;
}

}  // namespace orlenda
