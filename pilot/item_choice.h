#pragma once

// Choosing an item of one of the pilot's lists (rank, rating, Kalidor Crescent status, mission) the
// way a user names it: by its index, or by its text as the box lists it.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace orlenda {

// The index that `wanted` names: a decimal index within the list, or an item's text compared without
// regard to letter case and to blanks around either text. The first matching item wins. Nothing when
// `wanted` is blank or names no item.
std::optional<int> ChooseItem(std::span<const std::string_view> items, std::string_view wanted);
std::optional<int> ChooseItem(std::span<const std::string> items, std::string_view wanted);

// The stored value as a chosen item, or nothing when it lies outside the list (a box without a
// chosen item).
std::optional<int> ListedItem(std::size_t itemCount, std::int64_t value);

}  // namespace orlenda
