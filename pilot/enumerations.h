#pragma once

// The names that the pilot file's stored numbers stand for. Each table is the one list of display
// texts: the reports print from it and the desktop program fills its boxes from it.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace orlenda {

inline constexpr std::size_t kMissionIndexCount = 255;

std::span<const std::string_view> RankNames();           // 9 items
std::span<const std::string_view> RatingNames();         // 25 items
std::span<const std::string_view> KalidorStatusNames();  // 7 items
std::span<const std::string> MissionIndexNames();        // 255 items, 0-254
std::span<const std::string> CraftTypeLabels();          // 231 items: name, tabs, colon
std::span<const std::string> CraftTypeNames();           // 231 items: the labels' names alone

// The item text for a stored value, or nothing when the value lies outside the list.
template <typename Text>
std::optional<std::string_view> ItemText(std::span<const Text> items, std::int64_t value) {
  if (value < 0 || value >= static_cast<std::int64_t>(items.size())) return std::nullopt;
  return std::string_view(items[static_cast<std::size_t>(value)]);
}

}  // namespace orlenda
