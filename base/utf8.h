#pragma once

// The two halves of UTF-8 that every text conversion of ours shares.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace orlenda {

// Decodes one UTF-8 sequence at `pos`, advancing past it; nothing for a malformed, overlong or
// surrogate sequence (and then `pos` stays).
std::optional<char32_t> NextCodePoint(std::string_view text, std::size_t& pos);

void AppendUtf8(std::string& out, char32_t cp);

}  // namespace orlenda
