#include "review/battle_missions.h"

#include "base/decimal_number.h"
#include "pilot/campaign_career.h"
#include "pilot/pilot_record.h"

namespace orlenda {
namespace {

// Where the clubs install their battles: after the stock campaign's 53 slots, and from slot 100 in the
// total conversion.
constexpr int kClubBattleFirstSlot = 53;
constexpr int kTotalConversionClubFirstSlot = 100;

std::optional<int> MissionNumber(std::string_view text) {
  if (text.empty() || text.front() == '+' || text.front() == '-') return std::nullopt;
  const std::optional<int> number = ParseDecimalNumber(text);
  if (!number || *number < 1 || *number > static_cast<int>(kMissionSlotCount)) return std::nullopt;
  return number;
}

// The battle from `firstSlot` up to its last held slot, when the career has one there.
std::optional<BattleMissions> BattleFrom(const CampaignCareer& career, int firstSlot) {
  const CampaignBattle* battle = career.BattleOf(firstSlot);
  if (battle == nullptr || battle->firstSlot != firstSlot || battle->slotCount <= 0) return std::nullopt;
  return BattleMissions{battle->firstSlot + 1, battle->firstSlot + battle->slotCount};
}

BattleChoice ClubBattle(const CampaignCareer& career, int firstSlot) {
  if (auto battle = BattleFrom(career, firstSlot)) return {battle, {}};
  return {std::nullopt, "no mission of the club battle from mission " + std::to_string(firstSlot + 1) +
                            " is held: name the battle's missions"};
}

}  // namespace

std::optional<BattleMissions> ParseBattleMissions(std::string_view text) {
  const std::size_t dash = text.find('-');
  const std::optional<int> first = MissionNumber(text.substr(0, dash));
  const std::optional<int> last =
      dash == std::string_view::npos ? first : MissionNumber(text.substr(dash + 1));
  if (!first || !last || *first > *last) return std::nullopt;
  return BattleMissions{*first, *last};
}

std::string BattleMissionsText(const BattleMissions& battle) {
  if (battle.first == battle.last) return std::to_string(battle.first);
  return std::to_string(battle.first) + "-" + std::to_string(battle.last);
}

BattleChoice BattleOfLayout(const CampaignCareer& career) {
  switch (career.layout) {
    case CampaignLayout::kClubBattle:
      return ClubBattle(career, kClubBattleFirstSlot);
    case CampaignLayout::kTotalConversionClubBattle:
      return ClubBattle(career, kTotalConversionClubFirstSlot);
    case CampaignLayout::kStock:
      if (career.slots.empty())
        return {std::nullopt, "the file holds no campaign mission: name the battle's missions"};
      return {std::nullopt,
              "the file holds the stock campaign, not one club battle: name the battle's missions"};
    case CampaignLayout::kTotalConversion:
      return {std::nullopt, "the file holds a total conversion campaign, not one battle"};
    case CampaignLayout::kOther:
      break;
  }
  return {std::nullopt,
          "the file's missions lie in no known layout, not one battle: name the battle's missions"};
}

}  // namespace orlenda
