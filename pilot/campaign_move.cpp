#include "pilot/campaign_move.h"

#include <algorithm>
#include <vector>

#include "base/ascii_text.h"
#include "base/grouped_number.h"
#include "pilot/campaign_career.h"
#include "pilot/details_changes.h"
#include "pilot/enumerations.h"

namespace orlenda {
namespace {

constexpr std::size_t kNamedOneByOne = 6;

// The campaign as the file holds it now, the count of the list that the load read (whose entries a
// move forward writes back) and the count of the list in the file now; nothing without the file's
// bytes, when no record past the list is known.
struct CampaignOnDisk {
  CampaignCareer career;
  int loadedCount = 0;
  int onDiskCount = 0;
};

std::optional<CampaignOnDisk> CampaignOnDiskOf(const PilotRecord& record) {
  if (record.BytesOnDisk.size() != kPilotFileSize) return std::nullopt;
  return CampaignOnDisk{ReadCampaignCareer(record.BytesOnDisk), record.CampaignMissionCount,
                        RecordOnDisk(record).CampaignMissionCount};
}

// The held slots that a move to `activeMission` completed missions writes over without having read
// them: from the end of the loaded list up to the terminating record's slot.
std::vector<const CampaignSlot*> SlotsOverwritten(const CampaignOnDisk& campaign, int activeMission) {
  std::vector<const CampaignSlot*> slots;
  for (const CampaignSlot& s : campaign.career.slots)
    if (s.slot >= campaign.loadedCount && s.slot <= activeMission) slots.push_back(&s);
  return slots;
}

// "mission 4 (battle 1, mission 1)", or the stock mission's own name ("08 - Deep Space ..."); with a
// score, "mission 4 (battle 1, mission 1: score 2,490)" or "08 - Deep Space ... (score 1,200)".
std::string MissionNamed(const CampaignCareer& career, int slot, const std::string& score = {}) {
  const std::string label = CampaignMissionLabel(career, slot);
  const std::string scored = score.empty() ? "" : "score " + score;
  if (IsAsciiDigit(label.front())) return scored.empty() ? label : label + " (" + scored + ")";
  return "mission " + std::to_string(slot + 1) + " (" + label + (scored.empty() ? "" : ": " + scored) + ")";
}

std::string OverwrittenList(const CampaignCareer& career, const std::vector<const CampaignSlot*>& slots) {
  std::string text;
  const std::size_t named = std::min(slots.size(), kNamedOneByOne);
  for (std::size_t i = 0; i < named; ++i) {
    if (i > 0) text += i + 1 == slots.size() ? " and " : ", ";
    text += MissionNamed(career, slots[i]->slot, GroupedNumber(slots[i]->score));
  }
  if (slots.size() > named) {
    std::int64_t rest = 0;
    for (std::size_t i = named; i < slots.size(); ++i) rest += slots[i]->score;
    text += " and " + std::to_string(slots.size() - named) + " more missions, scores summing to " +
            GroupedNumber(rest);
  }
  return text;
}

}  // namespace

int FurthestActiveMission(const PilotRecord& record) {
  const int last = static_cast<int>(MissionIndexNames().size()) - 1;
  const std::optional<CampaignOnDisk> campaign = CampaignOnDiskOf(record);
  if (!campaign) return last;
  const std::vector<const CampaignSlot*> past = SlotsOverwritten(*campaign, last);
  if (past.empty()) return last;
  return std::max(past.front()->slot - 1, campaign->onDiskCount);
}

std::optional<std::string> ActiveMissionLimitNote(const PilotRecord& record) {
  const std::optional<CampaignOnDisk> campaign = CampaignOnDiskOf(record);
  if (!campaign) return std::nullopt;
  const std::vector<const CampaignSlot*> past =
      SlotsOverwritten(*campaign, static_cast<int>(MissionIndexNames().size()) - 1);
  if (past.empty()) return std::nullopt;
  return "The active mission cannot move past mission " + std::to_string(FurthestActiveMission(record) + 1) +
         ": " + MissionNamed(campaign->career, past.front()->slot) +
         " holds a record past the end of the campaign list (" +
         std::string(CampaignLayoutName(campaign->career.layout)) + "), which a move there would overwrite.";
}

std::optional<std::string> CampaignMoveRefusal(int activeMission, const PilotRecord& record) {
  const std::optional<CampaignOnDisk> campaign = CampaignOnDiskOf(record);
  if (!campaign || activeMission == campaign->onDiskCount) return std::nullopt;  // nothing is written
  const std::vector<const CampaignSlot*> overwritten = SlotsOverwritten(*campaign, activeMission);
  if (overwritten.empty()) return std::nullopt;
  return "The active mission cannot move to " + std::to_string(activeMission + 1) +
         ": the move would overwrite records past the end of the campaign list, which the load did not "
         "read: " +
         OverwrittenList(campaign->career, overwritten) + ".";
}

}  // namespace orlenda
