#include "pilot/sister_games.h"

#include <array>
#include <utility>

namespace orlenda {
namespace {

struct SisterGameSize {
  std::int64_t size;
  std::string_view game;
};

constexpr std::array kSisterGameSizes{
    SisterGameSize{253'754, "X-Wing vs. TIE Fighter"},                    // .plt
    SisterGameSize{296'238, "X-Wing vs. TIE Fighter: Balance of Power"},  // .pl2
    SisterGameSize{3'856, "TIE Fighter"},                                 // .tfr
    SisterGameSize{1'704, "X-Wing"},                                      // .plt
    SisterGameSize{1'705, "X-Wing"},                                      // .plt
};

// "an X-Wing ..." but "a TIE Fighter ...".
std::string_view ArticleFor(std::string_view word) {
  const bool vowel = !word.empty() && std::string_view("AEIOUX").find(word.front()) != std::string_view::npos;
  return vowel ? "an" : "a";
}

}  // namespace

std::optional<std::string_view> SisterGameOfSize(std::int64_t size) {
  for (const SisterGameSize& known : kSisterGameSizes)
    if (known.size == size) return known.game;
  return std::nullopt;
}

std::string SisterGameMessage(const std::string& fileName, std::string_view game) {
  std::string text = fileName + " is " + std::string(ArticleFor(game)) + " " + std::string(game);
  return text + " pilot file; this program reads X-Wing Alliance pilot files.";
}

}  // namespace orlenda
