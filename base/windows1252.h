#pragma once

// Conversion between the pilot file's 8-bit Windows-1252 text and UTF-8.

#include <optional>
#include <string>
#include <string_view>

namespace orlenda {

// Every byte decodes; the five bytes that Windows-1252 leaves undefined map to the C1 controls
// of the same value, as Windows itself does.
std::string DecodeWindows1252(std::string_view bytes);

// Nothing when the text holds a character that Windows-1252 cannot store, or is not valid UTF-8.
std::optional<std::string> EncodeWindows1252(std::string_view utf8);

bool IsValidUtf8(std::string_view text);

// Text from a file that may have been written on Windows: kept when it is UTF-8, else decoded.
std::string Utf8FromUtf8OrWindows1252(std::string_view text);

}  // namespace orlenda
