#pragma once

// Texts of the pilot file (Windows-1252) as report lines hold them (UTF-8), with what may not reach a
// terminal or split a line (control characters) shown as "?": a pilot file is data from elsewhere.

#include <array>
#include <cstddef>
#include <string>

#include "base/display_text.h"
#include "base/windows1252.h"
#include "pilot/pilot_record.h"

namespace orlenda {

template <std::size_t N>
std::string DecodedFieldText(const std::array<char, N>& field) {
  return ReportText(DecodeWindows1252(FieldText(field)));
}

}  // namespace orlenda
