#pragma once

// The career that a pilot file's campaign slots hold, whatever their layout: every slot that holds a
// record (gaps included), the layout that tells which campaign the file was flown in, and its battles
// with their sums and status. The load's own campaign list (the records up to the first empty one)
// stays as it is; this model is read beside it, from the file's bytes.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "pilot/pilot_record.h"

namespace orlenda {

// Which campaign the file's slots were written by, told by which slots hold records.
enum class CampaignLayout { kStock, kClubBattle, kTotalConversion, kTotalConversionClubBattle, kOther };

// "stock campaign", "club battle", "total conversion", "total conversion club battle", "other layout".
std::string_view CampaignLayoutName(CampaignLayout layout);

// One campaign slot that holds a record (any non-zero byte).
struct CampaignSlot {
  int slot = 0;               // 0..254; the game's mission number is slot + 1
  std::int32_t attempts = 0;  // the record's MissionTag: the mission's attempts
  std::int32_t wins = 0;      // the record's PresenceMark: its wins
  std::int32_t score = 0;
  std::int32_t time = 0;
  std::int32_t bonus = 0;  // divided by ten, as the load keeps it

  bool Flown() const { return attempts > 0; }
  bool Won() const { return Flown() && wins > 0; }
  // Held, not flown, no score: the slot that a club's fresh pilot marks as done.
  bool Skipped() const { return !Flown() && score == 0; }
};

enum class BattleStatus { kComplete, kIncomplete, kNotFlown };

// "complete", "incomplete", "not flown".
std::string_view BattleStatusName(BattleStatus status);

struct CampaignBattle {
  int number = 0;  // the battle's number as the game's mission list gives it
  int firstSlot = 0;
  int slotCount = 0;  // its slots: firstSlot .. firstSlot + slotCount - 1
  int missionsWon = 0;
  std::int32_t score = 0, bonus = 0, time = 0;  // sums over its held slots, wrapping as the file's int32
  BattleStatus status = BattleStatus::kNotFlown;

  bool Holds(int slot) const { return slot >= firstSlot && slot < firstSlot + slotCount; }
};

struct CampaignCareer {
  CampaignLayout layout = CampaignLayout::kStock;
  std::vector<CampaignSlot> slots;      // every slot that holds a record, in slot order
  std::vector<CampaignBattle> battles;  // in slot order; every held slot lies in exactly one
  int missionsWon = 0;
  std::int32_t scoreSum = 0, bonusSum = 0;  // over every held slot, wrapping as the file's int32

  const CampaignSlot* SlotAt(int slot) const;      // nullptr: the slot holds nothing
  const CampaignBattle* BattleOf(int slot) const;  // nullptr: no battle holds the slot
  // The held slots of one battle, in slot order.
  std::vector<const CampaignSlot*> SlotsOf(const CampaignBattle& battle) const;
};

// The model of the file's 255 campaign slots; `pilotFile` is the whole file (kPilotFileSize bytes). A
// slot that does not lie wholly inside shorter bytes holds nothing.
CampaignCareer ReadCampaignCareer(std::span<const std::uint8_t> pilotFile);

// The same for a loaded pilot, from the bytes the load read (PilotRecord::BytesOnDisk); a record without
// them is modelled from its loaded campaign entries.
CampaignCareer CampaignCareerOf(const PilotRecord& record);

// The model of slots already read, in slot order (a slot beyond 254 or out of order is left out).
CampaignCareer CampaignCareerOfSlots(std::vector<CampaignSlot> slots);

// "55 - <name>" for a stock mission, "battle 8, mission 2" where no name is known, "mission 2" for a
// slot that no battle holds.
std::string CampaignMissionLabel(const CampaignCareer& career, int slot);

// The label with the game's mission number in front where it holds none: "55 - <name>" as it is,
// "62 - battle 8, mission 2".
std::string NumberedCampaignMissionLabel(const CampaignCareer& career, int slot);

// The two labels appended to `text`, for lines built in one buffer.
void AppendCampaignMissionLabel(std::string& text, const CampaignCareer& career, int slot);
void AppendNumberedCampaignMissionLabel(std::string& text, const CampaignCareer& career, int slot);

}  // namespace orlenda
