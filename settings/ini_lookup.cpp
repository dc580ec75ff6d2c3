#include "ini_lookup.h"

// The INI reader is used as a header library with its plain-byte mode: values keep their bytes
// (Windows-1252 or UTF-8) and the caller decodes them. Only this file compiles its implementation.
#define SI_NO_CONVERSION
#define SI_IMPLEMENTATION
#include <SimpleIni.h>

namespace orlenda {

std::optional<std::string> LookUpIniValue(std::string_view text, std::string_view section,
                                          std::string_view key) {
  // CSimpleIniA compares section and key names without regard to case.
  CSimpleIniA ini(/*a_bIsUtf8=*/false, /*a_bMultiKey=*/false, /*a_bMultiLine=*/false);
  ini.SetQuotes(false);
  ini.SetAllowKeyOnly(false);
  if (ini.LoadData(text.data(), text.size()) < 0) return std::nullopt;
  const std::string sectionName(section);
  const std::string keyName(key);
  const char* value = ini.GetValue(sectionName.c_str(), keyName.c_str(), nullptr);
  if (value == nullptr) return std::nullopt;
  return std::string(value);
}

}  // namespace orlenda
