#pragma once

// Finding a key's value in INI text. The one place that parses INI text, so that every read
// sees the file exactly as the INI reader does.

#include <optional>
#include <string>
#include <string_view>

namespace orlenda {

// The value's bytes as they stand in the text, blanks around them removed; nothing when the section
// or the key is missing. Section and key names match without regard to ASCII case. When a key stands
// twice in a section, the later line counts.
std::optional<std::string> LookUpIniValue(std::string_view text, std::string_view section,
                                          std::string_view key);

}  // namespace orlenda
