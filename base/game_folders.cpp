#include "base/game_folders.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

namespace orlenda {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kGameName = "x-wing alliance";
constexpr int kWineSearchDepth = 5;  // drive_c/Program Files (x86)/Maker/Steam/steamapps/common is deep

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
    if (it->is_regular_file(ignored) && Lowercase(it->path().extension().string()) == ".plt") return true;
  }
  return false;
}

bool IsGameFolder(const fs::path& folder) {
  return Lowercase(folder.filename().string()).find(kGameName) != std::string::npos &&
         HoldsPilotFiles(folder);
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
        if (Lowercase(sub.filename().string()) != "windows") next.push_back(sub);
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

std::vector<fs::path> SteamCommonFolders(const fs::path& home) {
  const fs::path steamRoots[] = {home / ".steam/steam", home / ".local/share/Steam"};
  std::vector<fs::path> common;
  for (const fs::path& root : steamRoots) common.push_back(root / "steamapps/common");
  for (const fs::path& root : steamRoots) {
    for (const char* vdf : {"steamapps/libraryfolders.vdf", "config/libraryfolders.vdf"}) {
      for (const std::string& library : SteamLibraryPaths(ReadText(root / vdf)))
        common.push_back(fs::path(library) / "steamapps/common");
    }
  }
  return common;
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
  if (home.empty()) return std::nullopt;
  for (const fs::path& common : SteamCommonFolders(home)) {
    if (!IsFolder(common)) continue;
    if (const auto found = GameFolderIn(common)) return found->string();
  }
  for (const fs::path& drive : WineDriveFolders(home)) {
    if (!IsFolder(drive)) continue;
    if (const auto found = GameFolderBelow(drive, kWineSearchDepth)) return found->string();
  }
  return std::nullopt;
}

}  // namespace orlenda
