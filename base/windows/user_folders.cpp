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

std::string ConfigFolder() {
  std::string roaming = KnownFolder(FOLDERID_RoamingAppData);
  return roaming.empty() ? Environment(L"APPDATA") : roaming;
}

}  // namespace orlenda
