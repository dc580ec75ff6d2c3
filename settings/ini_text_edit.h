#pragma once

// Setting one key in INI text by changing as little of the text as possible: every other line, comment,
// section, blank line, line end and byte stays as it was, so that a file the user or another program
// wrote keeps its shape and its encoding when the program stores a setting in it.

#include <string>
#include <string_view>

namespace orlenda {

// The text with `key` in `section` set to `value`, written as "key=value":
// - every line that holds the key in the section is rewritten in place, keeping the name as it stands;
// - a missing key is added after the section's last key (or its header);
// - a missing section is added at the end with the key.
// Names match without regard to ASCII case, under the same line rules as LookUpIniValue. New lines end
// like the text's first line (CR LF for a file from Windows), or with LF.
// The value is stored as StoredIniValue(value). Throws std::invalid_argument when the section or key
// name cannot stand in an INI line.
std::string WithIniValue(std::string_view text, std::string_view section, std::string_view key,
                         std::string_view value);

// What an INI line can hold of a value: the text up to the first line break or NUL.
std::string_view StoredIniValue(std::string_view value);

}  // namespace orlenda
