#include "review/friendly_craft.h"

#include <algorithm>
#include <optional>

#include "base/display_text.h"
#include "pilot/enumerations.h"
#include "pilot/item_choice.h"

namespace orlenda {
namespace {

std::vector<std::string_view> CommaPieces(std::string_view list) {
  std::vector<std::string_view> pieces;
  for (std::size_t start = 0;;) {
    const std::size_t comma = list.find(',', start);
    pieces.push_back(
        list.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start));
    if (comma == std::string_view::npos) return pieces;
    start = comma + 1;
  }
}

// The craft that the longest run of pieces from `first` names, joined by their commas, and the number
// of pieces it takes.
std::optional<std::pair<int, std::size_t>> LongestCraftName(std::string_view list,
                                                            const std::vector<std::string_view>& pieces,
                                                            std::size_t first) {
  for (std::size_t count = pieces.size() - first; count >= 1; --count) {
    const char* begin = pieces[first].data();
    const char* end = pieces[first + count - 1].data() + pieces[first + count - 1].size();
    const std::string_view joined =
        list.substr(static_cast<std::size_t>(begin - list.data()), static_cast<std::size_t>(end - begin));
    if (const auto craft = ChooseItem(CraftTypeNames(), joined)) return std::pair{*craft, count};
  }
  return std::nullopt;
}

}  // namespace

FriendlyCraftChoice ChooseFriendlyCraft(std::string_view list) {
  FriendlyCraftChoice choice;
  const std::vector<std::string_view> pieces = CommaPieces(list);
  for (std::size_t i = 0; i < pieces.size();) {
    const auto found = LongestCraftName(list, pieces, i);
    if (!found) {
      choice.error = "\"" + EscapedText(pieces[i]) + "\" names no craft (a name or index of the craft list)";
      choice.craft.clear();
      return choice;
    }
    if (std::ranges::find(choice.craft, found->first) == choice.craft.end())
      choice.craft.push_back(found->first);
    i += found->second;
  }
  return choice;
}

}  // namespace orlenda
