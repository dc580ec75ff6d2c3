#include "pilot/campaign_layout.h"

#include <algorithm>

namespace orlenda {
namespace {

// The stock campaign's battles in the game's mission list: numbers 0..7 of 9, 7, 6, 7, 6, 7, 7 and 4
// missions; the mission list calls the slots after them battle 8.
constexpr std::array kStockBattleSizes{9, 7, 6, 7, 6, 7, 7, 4};
// The total conversion's battles 1..9 start at these slots; the last one's size is not known.
constexpr std::array kTotalConversionBattleStarts{3, 9, 15, 20, 25, 30, 34, 38, 41};

bool AnyHeld(const HeldSlots& held, int first, int end) {
  return std::any_of(held.begin() + first, held.begin() + end, [](bool h) { return h; });
}

bool AllHeld(const HeldSlots& held, int first, int end) {
  return std::all_of(held.begin() + first, held.begin() + end, [](bool h) { return h; });
}

// The held slots from `first` up form an unbroken run, with nothing held after it.
bool HeldRunFrom(const HeldSlots& held, int first) {
  const auto firstEmpty = std::find(held.begin() + first, held.end(), false);
  return std::find(firstEmpty, held.end(), true) == held.end();
}

bool StockSlotsAllSkipped(const std::vector<CampaignSlot>& slots) {
  return std::all_of(slots.begin(), slots.end(),
                     [](const CampaignSlot& s) { return s.slot >= kStockCampaignSlots || s.Skipped(); });
}

CampaignLayout LayoutFromSlotZero(const HeldSlots& held, const std::vector<CampaignSlot>& slots) {
  constexpr int kSlots = static_cast<int>(kMissionSlotCount);
  if (AllHeld(held, 0, kStockCampaignSlots)) {
    // A club battle is installed after the 53 stock slots and flown in order; a club's fresh pilot
    // marks all of the stock slots as skipped.
    if (held[kStockCampaignSlots] && HeldRunFrom(held, kStockCampaignSlots))
      return CampaignLayout::kClubBattle;
    if (AnyHeld(held, kStockCampaignSlots, kSlots)) return CampaignLayout::kOther;
    return StockSlotsAllSkipped(slots) ? CampaignLayout::kClubBattle : CampaignLayout::kStock;
  }
  return HeldRunFrom(held, 0) ? CampaignLayout::kStock : CampaignLayout::kOther;
}

// The total conversion's battles are flown in order: those that hold records come first, and each of
// them holds its first mission (a mission inside a battle may stay unflown).
bool TotalConversionBattlesFlownInOrder(const HeldSlots& held) {
  bool later = false;
  for (std::size_t i = kTotalConversionBattleStarts.size(); i-- > 0;) {
    const int first = kTotalConversionBattleStarts[i];
    const int end = i + 1 < kTotalConversionBattleStarts.size() ? kTotalConversionBattleStarts[i + 1]
                                                                : kTotalConversionClubSlot;
    const bool any = AnyHeld(held, first, end);
    if ((any && !held[first]) || (later && !any)) return false;
    later = later || any;
  }
  return true;
}

CampaignLayout LayoutAfterEmptyStart(const HeldSlots& held) {
  constexpr int kSlots = static_cast<int>(kMissionSlotCount);
  if (!TotalConversionBattlesFlownInOrder(held)) return CampaignLayout::kOther;
  if (!AnyHeld(held, kTotalConversionClubSlot, kSlots)) return CampaignLayout::kTotalConversion;
  // A club battle of the total conversion is installed from slot 100 and flown in order.
  if (held[kTotalConversionClubSlot] && HeldRunFrom(held, kTotalConversionClubSlot))
    return CampaignLayout::kTotalConversionClubBattle;
  return CampaignLayout::kOther;
}

void AddStockBattles(std::vector<BattlePlace>& places) {
  int first = 0;
  for (std::size_t i = 0; i < kStockBattleSizes.size(); ++i) {
    places.push_back({static_cast<int>(i), first, first + kStockBattleSizes[i], false});
    first += kStockBattleSizes[i];
  }
}

void AddTotalConversionBattles(std::vector<BattlePlace>& places) {
  const std::size_t count = kTotalConversionBattleStarts.size();
  for (std::size_t i = 0; i + 1 < count; ++i)
    places.push_back({static_cast<int>(i + 1), kTotalConversionBattleStarts[i],
                      kTotalConversionBattleStarts[i + 1], false});
  places.push_back(
      {static_cast<int>(count), kTotalConversionBattleStarts[count - 1], kTotalConversionClubSlot, true});
}

}  // namespace

CampaignLayout LayoutOfHeldSlots(const HeldSlots& held, const std::vector<CampaignSlot>& slots) {
  if (!AnyHeld(held, 0, static_cast<int>(kMissionSlotCount))) return CampaignLayout::kStock;
  if (AnyHeld(held, 0, kTotalConversionFirstSlot)) return LayoutFromSlotZero(held, slots);
  return LayoutAfterEmptyStart(held);
}

std::vector<BattlePlace> BattlePlacesOf(CampaignLayout layout) {
  constexpr int kSlots = static_cast<int>(kMissionSlotCount);
  std::vector<BattlePlace> places;
  switch (layout) {
    case CampaignLayout::kStock:
      AddStockBattles(places);
      break;
    case CampaignLayout::kClubBattle:
    case CampaignLayout::kOther:
      AddStockBattles(places);
      places.push_back({kClubBattleNumber, kStockCampaignSlots, kSlots, true});
      break;
    case CampaignLayout::kTotalConversion:
      AddTotalConversionBattles(places);
      break;
    case CampaignLayout::kTotalConversionClubBattle:
      AddTotalConversionBattles(places);
      places.push_back({places.back().number + 1, kTotalConversionClubSlot, kSlots, true});
      break;
  }
  return places;
}

bool HasStockMissionName(CampaignLayout layout, int slot) {
  const bool stockBattles = layout == CampaignLayout::kStock || layout == CampaignLayout::kClubBattle ||
                            layout == CampaignLayout::kOther;
  return stockBattles && slot >= 0 && slot < kStockCampaignSlots;
}

}  // namespace orlenda
