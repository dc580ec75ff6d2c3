#include "pilot/campaign_career.h"

#include <algorithm>
#include <string_view>

#include "base/ascii_text.h"
#include "pilot/campaign_layout.h"
#include "pilot/enumerations.h"
#include "pilot/file_layout.h"
#include "pilot/le_int32.h"
#include "pilot/mission_record.h"

namespace orlenda {
namespace {

CampaignSlot SlotFromEntry(int slot, const MissionEntry& entry) {
  return {slot, entry.MissionTag, entry.PresenceMark, entry.Score, entry.Time, entry.Bonus};
}

// The battle as its place in the layout and the held slots give it, with its sums and status.
CampaignBattle BattleAt(const BattlePlace& place, const std::vector<CampaignSlot>& slots) {
  CampaignBattle battle{place.number, place.firstSlot, place.open ? 0 : place.endSlot - place.firstSlot};
  bool anyFlown = false;
  for (const CampaignSlot& s : slots) {
    if (s.slot < place.firstSlot || s.slot >= place.endSlot) continue;
    if (place.open) battle.slotCount = s.slot - place.firstSlot + 1;
    anyFlown = anyFlown || s.Flown();
    battle.missionsWon += s.Won() ? 1 : 0;
    battle.score = WrappingAdd(battle.score, s.score);
    battle.bonus = WrappingAdd(battle.bonus, s.bonus);
    battle.time = WrappingAdd(battle.time, s.time);
  }
  if (!anyFlown)
    battle.status = BattleStatus::kNotFlown;
  else
    battle.status =
        battle.missionsWon == battle.slotCount ? BattleStatus::kComplete : BattleStatus::kIncomplete;
  return battle;
}

void AddSums(CampaignCareer& career) {
  for (const CampaignSlot& s : career.slots) {
    career.missionsWon += s.Won() ? 1 : 0;
    career.scoreSum = WrappingAdd(career.scoreSum, s.score);
    career.bonusSum = WrappingAdd(career.bonusSum, s.bonus);
  }
}

}  // namespace

std::string_view CampaignLayoutName(CampaignLayout layout) {
  switch (layout) {
    case CampaignLayout::kStock:
      return "stock campaign";
    case CampaignLayout::kClubBattle:
      return "club battle";
    case CampaignLayout::kTotalConversion:
      return "total conversion";
    case CampaignLayout::kTotalConversionClubBattle:
      return "total conversion club battle";
    case CampaignLayout::kOther:
      break;
  }
  return "other layout";
}

std::string_view BattleStatusName(BattleStatus status) {
  switch (status) {
    case BattleStatus::kComplete:
      return "complete";
    case BattleStatus::kIncomplete:
      return "incomplete";
    case BattleStatus::kNotFlown:
      break;
  }
  return "not flown";
}

const CampaignSlot* CampaignCareer::SlotAt(int slot) const {
  const auto it = std::lower_bound(slots.begin(), slots.end(), slot,
                                   [](const CampaignSlot& s, int wanted) { return s.slot < wanted; });
  return it != slots.end() && it->slot == slot ? &*it : nullptr;
}

const CampaignBattle* CampaignCareer::BattleOf(int slot) const {
  const auto it =
      std::find_if(battles.begin(), battles.end(), [slot](const CampaignBattle& b) { return b.Holds(slot); });
  return it != battles.end() ? &*it : nullptr;
}

std::vector<const CampaignSlot*> CampaignCareer::SlotsOf(const CampaignBattle& battle) const {
  std::vector<const CampaignSlot*> held;
  for (const CampaignSlot& s : slots)
    if (battle.Holds(s.slot)) held.push_back(&s);
  return held;
}

CampaignCareer CampaignCareerOfSlots(std::vector<CampaignSlot> slots) {
  HeldSlots held{};
  CampaignCareer career;
  for (const CampaignSlot& s : slots) {
    const bool inOrder = career.slots.empty() || career.slots.back().slot < s.slot;
    if (s.slot < 0 || s.slot >= static_cast<int>(kMissionSlotCount) || !inOrder) continue;
    held[static_cast<std::size_t>(s.slot)] = true;
    career.slots.push_back(s);
  }
  career.layout = LayoutOfHeldSlots(held, career.slots);
  for (const BattlePlace& place : BattlePlacesOf(career.layout))
    career.battles.push_back(BattleAt(place, career.slots));
  AddSums(career);
  return career;
}

CampaignCareer ReadCampaignCareer(std::span<const std::uint8_t> pilotFile) {
  std::vector<CampaignSlot> slots;
  for (std::size_t slot = 0; slot < kMissionSlotCount; ++slot) {
    const std::size_t offset = MissionSlotOffset(field::CampaignMissions, slot);
    if (offset + kMissionRecordSize > pilotFile.size()) break;
    const ConstMissionRecordBytes record = pilotFile.subspan(offset).first<kMissionRecordSize>();
    if (std::all_of(record.begin(), record.end(), [](std::uint8_t b) { return b == 0; })) continue;
    slots.push_back(SlotFromEntry(static_cast<int>(slot), DecodeMissionRecord(record)));
  }
  return CampaignCareerOfSlots(std::move(slots));
}

CampaignCareer CampaignCareerOf(const PilotRecord& record) {
  if (record.BytesOnDisk.size() == kPilotFileSize) return ReadCampaignCareer(record.BytesOnDisk);
  std::vector<CampaignSlot> slots;
  for (int i = 0; i < record.CampaignMissionCount; ++i)
    slots.push_back(SlotFromEntry(i, record.CampaignMissions[static_cast<std::size_t>(i)]));
  return CampaignCareerOfSlots(std::move(slots));
}

void AppendCampaignMissionLabel(std::string& text, const CampaignCareer& career, int slot) {
  if (HasStockMissionName(career.layout, slot)) {
    std::string_view name = MissionIndexNames()[static_cast<std::size_t>(slot)];
    while (!name.empty() && name.back() == ' ')
      name.remove_suffix(1);  // three of the game's names end in blanks
    text += name;
    return;
  }
  const CampaignBattle* battle = career.BattleOf(slot);
  if (battle == nullptr) {
    text += "mission ";
    text += std::to_string(slot + 1);
    return;
  }
  text += "battle ";
  text += std::to_string(battle->number);
  text += ", mission ";
  text += std::to_string(slot - battle->firstSlot + 1);
}

void AppendNumberedCampaignMissionLabel(std::string& text, const CampaignCareer& career, int slot) {
  const std::size_t start = text.size();
  AppendCampaignMissionLabel(text, career, slot);
  if (text.size() > start && IsAsciiDigit(text[start])) return;
  text.insert(start, std::to_string(slot + 1) + " - ");
}

std::string CampaignMissionLabel(const CampaignCareer& career, int slot) {
  std::string label;
  AppendCampaignMissionLabel(label, career, slot);
  return label;
}

std::string NumberedCampaignMissionLabel(const CampaignCareer& career, int slot) {
  std::string label;
  AppendNumberedCampaignMissionLabel(label, career, slot);
  return label;
}

}  // namespace orlenda
