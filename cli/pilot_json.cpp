#include "cli/pilot_json.h"

#include "base/windows1252.h"
#include "cli/json_writer.h"
#include "pilot/enumerations.h"
#include "pilot/file_layout.h"

namespace orlenda::cli {
namespace {

template <typename Text>
nlohmann::ordered_json ItemOrNull(std::span<const Text> items, std::int64_t value) {
  const auto text = ItemText(items, value);
  return text ? nlohmann::ordered_json(std::string(*text)) : nlohmann::ordered_json(nullptr);
}

nlohmann::ordered_json MissionsToJson(const MissionList& entries, std::size_t count) {
  auto list = nlohmann::ordered_json::array();
  for (std::size_t i = 0; i < count; ++i) {
    const MissionEntry& e = entries[i];
    list.push_back({{"MissionTag", e.MissionTag},
                    {"PresenceMark", e.PresenceMark},
                    {"Score", e.Score},
                    {"Time", e.Time},
                    {"Bonus", e.Bonus}});
  }
  return list;
}

void WriteValue(const nlohmann::ordered_json& value, JsonWriter& json) {
  if (value.is_object()) {
    json.BeginObject();
    for (const auto& [key, member] : value.items()) {
      json.Key(key);
      WriteValue(member, json);
    }
    json.EndObject();
  } else if (value.is_array()) {
    json.BeginArray();
    for (const auto& element : value) WriteValue(element, json);
    json.EndArray();
  } else if (value.is_string()) {
    json.String(value.get_ref<const std::string&>());
  } else if (value.is_boolean()) {
    json.Bool(value.get<bool>());
  } else if (value.is_number_unsigned()) {
    json.Number(value.get<std::uint64_t>());
  } else if (value.is_number_integer()) {
    json.Number(value.get<std::int64_t>());
  } else {
    json.Null();
  }
}

}  // namespace

void WriteJson(const nlohmann::ordered_json& value, std::ostream& out) {
  JsonWriter json(out);
  WriteValue(value, json);
  json.Flush();
}

nlohmann::ordered_json PilotRecordToJson(const PilotRecord& record) {
  nlohmann::ordered_json json;
  json[std::string(field::PilotName.name)] = DecodeWindows1252(FieldText(record.PilotName));
  for (const auto& f : kGameNameFields)
    json[std::string(f.name)] = DecodeWindows1252(FieldText(record.*f.member));
  for (const auto& f : kInt32Fields) json[std::string(f.name)] = record.*f.member;
  for (const auto& f : kCraftListFields) json[std::string(f.name)] = record.*f.member;
  for (const auto& f : kRatingListFields) json[std::string(f.name)] = record.*f.member;
  json["CampaignMissions"] = MissionsToJson(record.CampaignMissions, record.CampaignMissionCount);
  json["SimMissions"] = MissionsToJson(record.SimMissions, record.SimMissionCount);
  json["CampaignMissionCount"] = record.CampaignMissionCount;
  json["SimMissionCount"] = record.SimMissionCount;
  json["CampaignTotal"] = record.CampaignTotal;
  json["PilotFileName"] = Utf8FromUtf8OrWindows1252(record.PilotFileName);  // JSON holds UTF-8 only
  json["RankName"] = ItemOrNull(RankNames(), record.Rank);
  json["RatingName"] = ItemOrNull(RatingNames(), record.Rating);
  json["KalidorStatusName"] = ItemOrNull(KalidorStatusNames(), record.KalidorStatus);
  json["ActiveMissionName"] = ItemOrNull(MissionIndexNames(), record.CampaignMissionCount);
  return json;
}

}  // namespace orlenda::cli
