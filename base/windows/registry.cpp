#include "base/registry.h"

#include <algorithm>

#include "base/windows/wide.h"

namespace orlenda {
namespace {

using windows::Narrow;
using windows::Wide;

constexpr REGSAM kViews[] = {KEY_WOW64_64KEY, KEY_WOW64_32KEY};
constexpr DWORD kLongestKeyName = 256;

HKEY RootOf(RegistryHive hive) {
  return hive == RegistryHive::CurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
}

// An open key that closes itself.
class OpenKey {
 public:
  OpenKey(RegistryHive hive, std::string_view key, REGSAM view) {
    if (::RegOpenKeyExW(RootOf(hive), Wide(key).c_str(), 0, KEY_READ | view, &key_) != ERROR_SUCCESS)
      key_ = nullptr;
  }
  ~OpenKey() {
    if (key_ != nullptr) ::RegCloseKey(key_);
  }
  OpenKey(const OpenKey&) = delete;
  OpenKey& operator=(const OpenKey&) = delete;

  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

std::optional<std::string> TextIn(HKEY key, const std::wstring& name) {
  DWORD bytes = 0;
  constexpr DWORD kText = RRF_RT_REG_SZ;  // expandable texts too, returned expanded
  if (::RegGetValueW(key, nullptr, name.c_str(), kText, nullptr, nullptr, &bytes) != ERROR_SUCCESS)
    return std::nullopt;
  std::wstring value(bytes / sizeof(wchar_t) + 1, L'\0');
  bytes = static_cast<DWORD>(value.size() * sizeof(wchar_t));
  if (::RegGetValueW(key, nullptr, name.c_str(), kText, nullptr, value.data(), &bytes) != ERROR_SUCCESS)
    return std::nullopt;
  value.resize(value.find(L'\0') == std::wstring::npos ? value.size() : value.find(L'\0'));
  return Narrow(value);
}

}  // namespace

std::optional<std::string> RegistryText(RegistryHive hive, std::string_view key, std::string_view name) {
  for (const REGSAM view : kViews) {
    const OpenKey open(hive, key, view);
    if (open.get() == nullptr) continue;
    if (auto text = TextIn(open.get(), Wide(name))) return text;
  }
  return std::nullopt;
}

std::vector<std::string> RegistrySubKeys(RegistryHive hive, std::string_view key) {
  std::vector<std::string> names;
  for (const REGSAM view : kViews) {
    const OpenKey open(hive, key, view);
    if (open.get() == nullptr) continue;
    for (DWORD index = 0;; ++index) {
      wchar_t name[kLongestKeyName];
      DWORD length = kLongestKeyName;
      if (::RegEnumKeyExW(open.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
          ERROR_SUCCESS)
        break;
      std::string narrow = Narrow(std::wstring_view(name, length));
      if (std::find(names.begin(), names.end(), narrow) == names.end()) names.push_back(std::move(narrow));
    }
  }
  return names;
}

}  // namespace orlenda
