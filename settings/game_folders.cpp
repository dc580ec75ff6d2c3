#include "settings/game_folders.h"

#include <algorithm>

#include "base/ascii_text.h"
#include "base/file_bytes.h"
#include "base/folder_listing.h"
#include "base/path_kind.h"
#include "base/path_names.h"
#include "base/registry.h"
#include "base/user_folders.h"
#include "pilot/pilot_file_name.h"

namespace orlenda {
namespace {

constexpr std::string_view kGameName = "x-wing alliance";
constexpr int kWineSearchDepth = 5;      // drive_c/Program Files (x86)/Maker/Steam/steamapps/common is deep
constexpr int kProgramsSearchDepth = 3;  // Program Files (x86)/Maker/Game
constexpr std::string_view kUninstallKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
constexpr std::string_view kStoreGamesKey = "SOFTWARE\\GOG.com\\Games";

// The sub-folders of a folder (not links to folders, which could lead in circles), sorted so that the
// search gives the same answer on every run.
std::vector<std::string> SubFolders(const std::string& folder) {
  std::vector<std::string> folders;
  for (FolderEntry& entry : ListFolder(folder).entries) {
    if (entry.kind == EntryKind::kFolder && !entry.isLink) folders.push_back(std::move(entry.path));
  }
  return folders;
}

bool HoldsPilotFiles(const std::string& folder) {
  const std::vector<FolderEntry> pilots = ListFolder(folder, IsPilotFileName).entries;
  return std::any_of(pilots.begin(), pilots.end(),
                     [](const FolderEntry& entry) { return entry.kind == EntryKind::kFile; });
}

bool IsGameFolder(const std::string& folder) {
  return LowerAscii(LastPathComponent(folder)).find(kGameName) != std::string::npos &&
         HoldsPilotFiles(folder);
}

std::optional<std::string> GameFolderIn(const std::string& common) {
  for (const std::string& folder : SubFolders(common)) {
    if (IsGameFolder(folder)) return folder;
  }
  return std::nullopt;
}

// Breadth first, so that a shallow installation is found before anything deeper.
std::optional<std::string> GameFolderBelow(const std::string& root, int depth) {
  std::vector<std::string> level{root};
  for (int d = 0; d < depth && !level.empty(); ++d) {
    std::vector<std::string> next;
    for (const std::string& folder : level) {
      for (std::string& sub : SubFolders(folder)) {
        if (IsGameFolder(sub)) return sub;
        if (LowerAscii(LastPathComponent(sub)) != "windows") next.push_back(std::move(sub));
      }
    }
    level = std::move(next);
  }
  return std::nullopt;
}

// The file's text; empty when it cannot be read.
std::string ReadText(const std::string& path) {
  std::string text;
  return ReadWholeFile(path, text) ? text : std::string();
}

// Steam's own folder as the registry records it, then the usual places in the home folder.
std::vector<std::string> SteamRoots(const std::string& home) {
  std::vector<std::string> roots;
  if (const auto steam = RegistryText(RegistryHive::CurrentUser, "Software\\Valve\\Steam", "SteamPath"))
    roots.push_back(*steam);
  roots.push_back(InFolder(home, ".steam/steam"));
  roots.push_back(InFolder(home, ".local/share/Steam"));
  return roots;
}

std::vector<std::string> SteamCommonFolders(const std::string& home) {
  const std::vector<std::string> steamRoots = SteamRoots(home);
  std::vector<std::string> common;
  for (const std::string& root : steamRoots) common.push_back(InFolder(root, "steamapps/common"));
  for (const std::string& root : steamRoots) {
    for (const char* vdf : {"steamapps/libraryfolders.vdf", "config/libraryfolders.vdf"}) {
      for (const std::string& library : SteamLibraryPaths(ReadText(InFolder(root, vdf))))
        common.push_back(InFolder(library, "steamapps/common"));
    }
  }
  return common;
}

// The folders that the registry records as the game's installations.
std::vector<std::string> RecordedInstallations() {
  std::vector<std::string> folders;
  for (const std::string& game : RegistrySubKeys(RegistryHive::LocalMachine, kStoreGamesKey)) {
    const std::string key = std::string(kStoreGamesKey) + "\\" + game;
    if (const auto path = RegistryText(RegistryHive::LocalMachine, key, "path")) folders.push_back(*path);
  }
  for (const RegistryHive hive : {RegistryHive::LocalMachine, RegistryHive::CurrentUser}) {
    for (const std::string& program : RegistrySubKeys(hive, kUninstallKey)) {
      const std::string key = std::string(kUninstallKey) + "\\" + program;
      const auto name = RegistryText(hive, key, "DisplayName");
      if (!name || LowerAscii(*name).find(kGameName) == std::string::npos) continue;
      if (const auto path = RegistryText(hive, key, "InstallLocation")) folders.push_back(*path);
    }
  }
  return folders;
}

std::vector<std::string> WineDriveFolders(const std::string& home) {
  std::vector<std::string> drives{InFolder(home, ".wine/drive_c")};
  for (const std::string& prefix : SubFolders(InFolder(home, "Games")))
    drives.push_back(InFolder(prefix, "drive_c"));
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
    if (SameIgnoringAsciiCase(tokens[i], "path")) paths.push_back(tokens[++i]);
  }
  return paths;
}

std::optional<std::string> FindGameFolder(const std::string& home) {
  for (const std::string& folder : RecordedInstallations()) {
    if (IsFolder(folder) && HoldsPilotFiles(folder)) return WithSystemSeparators(folder);
  }
  if (!home.empty()) {
    for (const std::string& common : SteamCommonFolders(home)) {
      if (!IsFolder(common)) continue;
      if (const auto found = GameFolderIn(common)) return WithSystemSeparators(*found);
    }
    for (const std::string& drive : WineDriveFolders(home)) {
      if (!IsFolder(drive)) continue;
      if (const auto found = GameFolderBelow(drive, kWineSearchDepth)) return WithSystemSeparators(*found);
    }
  }
  for (const std::string& programs : ProgramFolders()) {
    if (const auto found = GameFolderBelow(programs, kProgramsSearchDepth))
      return WithSystemSeparators(*found);
  }
  return std::nullopt;
}

}  // namespace orlenda
