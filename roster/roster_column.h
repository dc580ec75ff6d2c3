#pragma once

// The roster's columns by name, for the row that keeps its stored values by column and for the list
// that describes each column.

#include <cstddef>

namespace orlenda {

enum class RosterColumn {
  kFile,
  kName,
  kRank,
  kRating,
  kKalidor,
  kMissions,
  kActiveMission,
  kLayout,
  kWonMissions,
  kCampaignTotal,
  kTodScore,
  kTodBonus,
  kAzzScore,
  kAzzBonus,
  kTotal,
  kSimScore,
  kSimBonus,
  kScore,
  kErrors,
  kModified,
  kMessage,
};

inline constexpr std::size_t kRosterColumnCount = static_cast<std::size_t>(RosterColumn::kMessage) + 1;

constexpr std::size_t IndexOf(RosterColumn column) { return static_cast<std::size_t>(column); }

}  // namespace orlenda
