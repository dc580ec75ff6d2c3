#pragma once

// The battle a review checks: a run of campaign missions, named by the game's mission numbers as the
// program lists them (mission n is slot n - 1), either as the reviewer gives it ("54-59") or as the
// file's layout tells it.

#include <optional>
#include <string>
#include <string_view>

namespace orlenda {

struct CampaignCareer;

struct BattleMissions {
  int first = 1;  // the game's mission numbers, 1 to 255, first <= last
  int last = 1;

  int FirstSlot() const { return first - 1; }
  int SlotCount() const { return last - first + 1; }
  bool HoldsSlot(int slot) const { return slot >= first - 1 && slot <= last - 1; }
  friend bool operator==(const BattleMissions&, const BattleMissions&) = default;
};

// "FIRST-LAST" or a single "N", decimal numbers from 1 to 255 with the first not above the last; nothing
// for anything else.
std::optional<BattleMissions> ParseBattleMissions(std::string_view text);

// "54-59", or "54" for a battle of one mission.
std::string BattleMissionsText(const BattleMissions& battle);

// The battle that the file's layout names (the club battle from mission 54, or that of the total
// conversion from mission 101), or why none can be told.
struct BattleChoice {
  std::optional<BattleMissions> battle;
  std::string reason;  // when there is no battle
};
BattleChoice BattleOfLayout(const CampaignCareer& career);

}  // namespace orlenda
