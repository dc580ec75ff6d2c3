#pragma once

// Makes pilot files with chosen contents: every known field of a PilotRecord is written at its place,
// bonuses times ten, mission entries as records. Used by the tests and to make the bundled sample.

#include <cstdint>
#include <string>
#include <vector>

#include "pilot/pilot_record.h"

namespace orlenda::tools {

// The 152,076 bytes of a pilot file holding the record's fields; every other byte is `filler`.
// Campaign and combat simulator entries are written up to the first entry whose PresenceMark is 0;
// each written record has its completed flag set.
std::vector<std::uint8_t> EncodePilotFile(const PilotRecord& record, std::uint8_t filler = 0);

// Replaces four bytes of an encoded file with a little-endian int32.
void PatchInt32(std::vector<std::uint8_t>& bytes, std::size_t offset, std::int32_t value);

bool WriteBytesToFile(const std::string& path, const std::vector<std::uint8_t>& bytes);

// Sets a text field from plain text, cut to the field's size.
template <std::size_t N>
void SetText(std::array<char, N>& field, const std::string& text) {
  field.fill('\0');
  for (std::size_t i = 0; i < N && i < text.size(); ++i) field[i] = text[i];
}

// A present mission entry as the load would hold it (bonus already divided by ten).
MissionEntry PresentMission(std::int32_t score, std::int32_t bonus, std::int32_t time, std::int32_t tag = 1);

}  // namespace orlenda::tools
