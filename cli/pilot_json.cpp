#include "cli/pilot_json.h"

#include "base/windows1252.h"
#include "pilot/campaign_career.h"
#include "pilot/enumerations.h"
#include "pilot/file_layout.h"

namespace orlenda::cli {
namespace {

void Missions(JsonWriter& json, std::string_view key, const MissionList& entries, std::size_t count) {
  json.ArrayMember(key, std::span(entries).first(count), [&json](const MissionEntry& e) {
    json.Object([&] { WriteMissionEntryMembers(e, json); });
  });
}

void Fields(JsonWriter& json, const PilotRecord& record) {
  json.Member(field::PilotName.name, DecodeWindows1252(FieldText(record.PilotName)));
  for (const auto& f : kGameNameFields) json.Member(f.name, DecodeWindows1252(FieldText(record.*f.member)));
  for (const auto& f : kInt32Fields) json.Member(f.name, record.*f.member);
  for (const auto& f : kCraftListFields) json.NumberArrayMember(f.name, record.*f.member);
  for (const auto& f : kRatingListFields) json.NumberArrayMember(f.name, record.*f.member);
  Missions(json, "CampaignMissions", record.CampaignMissions, record.CampaignMissionCount);
  Missions(json, "SimMissions", record.SimMissions, record.SimMissionCount);
  json.Members("CampaignMissionCount", int{record.CampaignMissionCount}, "SimMissionCount",
               int{record.SimMissionCount}, "CampaignTotal", record.CampaignTotal);
  json.Member("PilotFileName", Utf8FromUtf8OrWindows1252(record.PilotFileName));  // JSON holds UTF-8 only
  json.MemberOrNull("RankName", ItemText(RankNames(), record.Rank));
  json.MemberOrNull("RatingName", ItemText(RatingNames(), record.Rating));
  json.MemberOrNull("KalidorStatusName", ItemText(KalidorStatusNames(), record.KalidorStatus));
  json.MemberOrNull("ActiveMissionName", ItemText(MissionIndexNames(), record.CampaignMissionCount));
}

void Slots(JsonWriter& json, const CampaignCareer& career) {
  json.ArrayMember("CampaignSlots", career.slots, [&](const CampaignSlot& s) {
    json.Object([&] {
      json.Members("Slot", s.slot, "Mission", CampaignMissionLabel(career, s.slot), "Attempts", s.attempts,
                   "Wins", s.wins, "Score", s.score, "Time", s.time, "Bonus", s.bonus);
    });
  });
}

void Battles(JsonWriter& json, const CampaignCareer& career) {
  json.ArrayMember("CampaignBattles", career.battles, [&json](const CampaignBattle& b) {
    json.Object([&] {
      json.Members("Number", b.number, "FirstSlot", b.firstSlot, "SlotCount", b.slotCount, "MissionsWon",
                   b.missionsWon, "Score", b.score, "Bonus", b.bonus, "Time", b.time, "Status",
                   BattleStatusName(b.status));
    });
  });
}

}  // namespace

void WriteMissionEntryMembers(const MissionEntry& e, JsonWriter& json) {
  json.Members("MissionTag", e.MissionTag, "PresenceMark", e.PresenceMark, "Score", e.Score, "Time", e.Time,
               "Bonus", e.Bonus);
}

void WritePilotJson(const PilotRecord& record, std::ostream& out) {
  WriteJsonAnswer(
      out,
      [&record](JsonWriter& json) {
        json.Object([&] {
          Fields(json, record);
          const CampaignCareer career = CampaignCareerOf(record);
          json.Member("CampaignLayout", CampaignLayoutName(career.layout));
          Slots(json, career);
          Battles(json, career);
        });
      },
      false);
}

}  // namespace orlenda::cli
