#pragma once

// How each campaign layout divides the 255 campaign slots into battles, and how a file's held slots
// tell its layout. Only the career model (pilot/campaign_career.cpp) reads these.

#include <array>
#include <vector>

#include "pilot/campaign_career.h"
#include "pilot/pilot_record.h"

namespace orlenda {

inline constexpr int kStockCampaignSlots = 53;        // the stock campaign's slots, 0..52
inline constexpr int kTotalConversionFirstSlot = 3;   // the total conversion leaves slots 0..2 empty
inline constexpr int kTotalConversionClubSlot = 100;  // where its club battles start
inline constexpr int kClubBattleNumber = 8;           // the number the mission list gives slot 53

using HeldSlots = std::array<bool, kMissionSlotCount>;

// A battle as a layout places it: its number, its first slot and the slot after the last one that it
// may hold. A battle of fixed size holds all of those; an open one (a club's battle, whose size the file
// does not say) holds those up to its last held slot.
struct BattlePlace {
  int number = 0;
  int firstSlot = 0;
  int endSlot = 0;
  bool open = false;
};

CampaignLayout LayoutOfHeldSlots(const HeldSlots& held, const std::vector<CampaignSlot>& slots);

// The battles of a layout, in slot order; every slot that the layout allows to hold a record lies in one.
std::vector<BattlePlace> BattlePlacesOf(CampaignLayout layout);

// Whether the slot's mission is one of the stock campaign's, named by the game's own list.
bool HasStockMissionName(CampaignLayout layout, int slot);

}  // namespace orlenda
