#pragma once

// The pilot files of the game's sister games, told apart by their exact sizes: players keep them beside
// this game's pilots, with the same extension.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orlenda {

// The sister game whose pilot files have this size ("X-Wing vs. TIE Fighter", ...), if any.
std::optional<std::string_view> SisterGameOfSize(std::int64_t size);

// "<file> is an X-Wing vs. TIE Fighter pilot file; this program reads X-Wing Alliance pilot files."
std::string SisterGameMessage(const std::string& fileName, std::string_view game);

}  // namespace orlenda
