#include "settings/ini_lookup.h"

// The INI reader is used as a header library with its plain-byte mode: values keep their bytes
// (Windows-1252 or UTF-8) and the caller decodes them. Only this file compiles its implementation.
#define SI_NO_CONVERSION
#define SI_IMPLEMENTATION
#include <SimpleIni.h>

namespace orlenda {

// CSimpleIniA compares section and key names without regard to case.
class ParsedIni::Reader : public CSimpleIniA {
 public:
  Reader() : CSimpleIniA(/*a_bIsUtf8=*/false, /*a_bMultiKey=*/false, /*a_bMultiLine=*/false) {
    SetQuotes(false);
    SetAllowKeyOnly(false);
  }
};

ParsedIni::ParsedIni(std::string_view text) : reader_(std::make_unique<Reader>()) {
  if (reader_->LoadData(text.data(), text.size()) < 0) reader_.reset();
}

ParsedIni::ParsedIni(ParsedIni&&) noexcept = default;
ParsedIni& ParsedIni::operator=(ParsedIni&&) noexcept = default;
ParsedIni::~ParsedIni() = default;

std::optional<std::string> ParsedIni::Find(std::string_view section, std::string_view key) const {
  if (!reader_) return std::nullopt;
  const std::string sectionName(section);
  const std::string keyName(key);
  const char* value = reader_->GetValue(sectionName.c_str(), keyName.c_str(), nullptr);
  if (value == nullptr) return std::nullopt;
  return std::string(value);
}

std::optional<std::string> LookUpIniValue(std::string_view text, std::string_view section,
                                          std::string_view key) {
  return ParsedIni(text).Find(section, key);
}

}  // namespace orlenda
