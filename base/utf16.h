#pragma once

// UTF-16, the text of Windows' own calls, to and from the UTF-8 that the program holds everywhere else.

#include <string>
#include <string_view>

namespace orlenda {

// A malformed sequence becomes U+FFFD, so that a name never silently turns into another valid one.
std::u16string Utf16FromUtf8(std::string_view utf8);
std::string Utf8FromUtf16(std::u16string_view utf16);

}  // namespace orlenda
