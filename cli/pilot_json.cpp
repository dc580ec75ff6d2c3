#include "cli/pilot_json.h"

#include "base/windows1252.h"
#include "cli/json_writer.h"
#include "pilot/campaign_career.h"
#include "pilot/enumerations.h"
#include "pilot/file_layout.h"

namespace orlenda::cli {
namespace {

template <typename Text>
void ItemOrNull(JsonWriter& json, std::string_view key, std::span<const Text> items, std::int64_t value) {
  json.Key(key);
  if (const auto text = ItemText(items, value))
    json.String(*text);
  else
    json.Null();
}

template <std::size_t N>
void IntList(JsonWriter& json, std::string_view key, const std::array<std::int32_t, N>& values) {
  json.Key(key);
  json.BeginArray();
  for (const std::int32_t value : values) json.Number(value);
  json.EndArray();
}

void Missions(JsonWriter& json, std::string_view key, const MissionList& entries, std::size_t count) {
  json.Key(key);
  json.BeginArray();
  for (std::size_t i = 0; i < count; ++i) {
    const MissionEntry& e = entries[i];
    json.BeginObject();
    json.Member("MissionTag", e.MissionTag);
    json.Member("PresenceMark", e.PresenceMark);
    json.Member("Score", e.Score);
    json.Member("Time", e.Time);
    json.Member("Bonus", e.Bonus);
    json.EndObject();
  }
  json.EndArray();
}

void Fields(JsonWriter& json, const PilotRecord& record) {
  json.Member(field::PilotName.name, DecodeWindows1252(FieldText(record.PilotName)));
  for (const auto& f : kGameNameFields) json.Member(f.name, DecodeWindows1252(FieldText(record.*f.member)));
  for (const auto& f : kInt32Fields) json.Member(f.name, record.*f.member);
  for (const auto& f : kCraftListFields) IntList(json, f.name, record.*f.member);
  for (const auto& f : kRatingListFields) IntList(json, f.name, record.*f.member);
  Missions(json, "CampaignMissions", record.CampaignMissions, record.CampaignMissionCount);
  Missions(json, "SimMissions", record.SimMissions, record.SimMissionCount);
  json.Member("CampaignMissionCount", int{record.CampaignMissionCount});
  json.Member("SimMissionCount", int{record.SimMissionCount});
  json.Member("CampaignTotal", record.CampaignTotal);
  json.Member("PilotFileName", Utf8FromUtf8OrWindows1252(record.PilotFileName));  // JSON holds UTF-8 only
  ItemOrNull(json, "RankName", RankNames(), record.Rank);
  ItemOrNull(json, "RatingName", RatingNames(), record.Rating);
  ItemOrNull(json, "KalidorStatusName", KalidorStatusNames(), record.KalidorStatus);
  ItemOrNull(json, "ActiveMissionName", MissionIndexNames(), record.CampaignMissionCount);
}

void Slots(JsonWriter& json, const CampaignCareer& career) {
  json.Key("CampaignSlots");
  json.BeginArray();
  for (const CampaignSlot& s : career.slots) {
    json.BeginObject();
    json.Member("Slot", s.slot);
    json.Member("Mission", CampaignMissionLabel(career, s.slot));
    json.Member("Attempts", s.attempts);
    json.Member("Wins", s.wins);
    json.Member("Score", s.score);
    json.Member("Time", s.time);
    json.Member("Bonus", s.bonus);
    json.EndObject();
  }
  json.EndArray();
}

void Battles(JsonWriter& json, const CampaignCareer& career) {
  json.Key("CampaignBattles");
  json.BeginArray();
  for (const CampaignBattle& b : career.battles) {
    json.BeginObject();
    json.Member("Number", b.number);
    json.Member("FirstSlot", b.firstSlot);
    json.Member("SlotCount", b.slotCount);
    json.Member("MissionsWon", b.missionsWon);
    json.Member("Score", b.score);
    json.Member("Bonus", b.bonus);
    json.Member("Time", b.time);
    json.Member("Status", BattleStatusName(b.status));
    json.EndObject();
  }
  json.EndArray();
}

}  // namespace

void WritePilotJson(const PilotRecord& record, std::ostream& out) {
  JsonWriter json(out);
  json.BeginObject();
  Fields(json, record);
  const CampaignCareer career = CampaignCareerOf(record);
  json.Member("CampaignLayout", CampaignLayoutName(career.layout));
  Slots(json, career);
  Battles(json, career);
  json.EndObject();
  json.Flush();
}

}  // namespace orlenda::cli
