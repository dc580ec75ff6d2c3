#include "base/user_folders.h"

#include "base/windows/wide.h"

// After <windows.h>, which it needs.
#include <shlobj.h>

namespace orlenda {
namespace {

using windows::Narrow;

std::string Environment(const wchar_t* name) {
  const DWORD length = ::GetEnvironmentVariableW(name, nullptr, 0);
  if (length == 0) return {};
  std::wstring value(length, L'\0');
  const DWORD written = ::GetEnvironmentVariableW(name, value.data(), length);
  value.resize(written < length ? written : 0);
  return Narrow(value);
}

std::string KnownFolder(const KNOWNFOLDERID& id) {
  wchar_t* path = nullptr;
  std::string folder;
  if (SUCCEEDED(::SHGetKnownFolderPath(id, KF_FLAG_DEFAULT, nullptr, &path))) folder = Narrow(path);
  ::CoTaskMemFree(path);
  return folder;
}

}  // namespace

std::string HomeFolder() {
  std::string home = Environment(L"USERPROFILE");
  return home.empty() ? KnownFolder(FOLDERID_Profile) : home;
}

// %APPDATA% first, as for the home folder: the folder the user's environment names is where the user
// looks for the settings file.
std::string ConfigFolder() {
  std::string roaming = Environment(L"APPDATA");
  return roaming.empty() ? KnownFolder(FOLDERID_RoamingAppData) : roaming;
}

// The local folder, not the roaming one: the history is large and belongs to this computer's files.
std::string ProgramDataFolder() {
  std::string local = Environment(L"LOCALAPPDATA");
  if (local.empty()) local = KnownFolder(FOLDERID_LocalAppData);
  return local.empty() ? std::string() : InFolder(local, "Orlenda 3001");
}

std::vector<std::string> ProgramFolders() {
  std::vector<std::string> folders;
  for (const wchar_t* name : {L"ProgramFiles", L"ProgramFiles(x86)"}) {
    std::string folder = Environment(name);
    if (!folder.empty() && (folders.empty() || folders.front() != folder))
      folders.push_back(std::move(folder));
  }
  return folders;
}

}  // namespace orlenda
