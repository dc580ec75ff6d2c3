#pragma once

// Texts of the pilot file (Windows-1252) as report lines hold them (UTF-8).

#include <array>
#include <cstddef>
#include <string>

#include "pilot_record.h"
#include "windows1252.h"

namespace orlenda {

template <std::size_t N>
std::string DecodedFieldText(const std::array<char, N>& field) {
  return DecodeWindows1252(FieldText(field));
}

}  // namespace orlenda
