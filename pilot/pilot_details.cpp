#include "pilot/pilot_details.h"

#include <algorithm>
#include <span>
#include <string_view>

#include "base/display_text.h"
#include "base/windows1252.h"
#include "pilot/campaign_move.h"
#include "pilot/enumerations.h"
#include "pilot/item_choice.h"

namespace orlenda {
namespace {

std::optional<std::string> CheckName(const std::string& name, const PilotRecord& record) {
  const std::optional<std::string> stored = EncodeWindows1252(name);
  if (!stored)
    return "The name \"" + EscapedText(name) +
           "\" cannot be stored in a pilot file: it holds characters that Windows-1252 "
           "does not have.";
  if (*stored == FieldText(record.PilotName)) return std::nullopt;  // left as the file holds it
  if (HoldsControlCharacter(name))
    return "The name \"" + EscapedText(name) +
           "\" holds a control character, which a pilot name cannot hold.";
  if (stored->size() > kLongestNewPilotName)
    return "The name \"" + EscapedText(name) + "\" is longer than " + std::to_string(kLongestNewPilotName) +
           " characters.";
  return std::nullopt;
}

std::optional<std::string> CheckListed(std::string_view what, const std::optional<int>& value,
                                       std::size_t count) {
  if (!value || ListedItem(count, *value)) return std::nullopt;
  return "The " + std::string(what) + " " + std::to_string(*value) + " is outside its list (0 to " +
         std::to_string(count - 1) + ").";
}

}  // namespace

PilotDetails DetailsOfLoadedPilot(const PilotRecord& record) {
  PilotDetails details;
  details.name = DecodeWindows1252(FieldText(record.PilotName));
  details.rank = ListedItem(RankNames().size(), record.Rank);
  details.rating = ListedItem(RatingNames().size(), record.Rating);
  details.kalidorStatus = ListedItem(KalidorStatusNames().size(), record.KalidorStatus);
  details.activeMission = ListedItem(MissionIndexNames().size(), record.CampaignMissionCount);
  return details;
}

std::optional<std::string> CheckPilotDetails(const PilotDetails& details, const PilotRecord& record) {
  if (auto refusal = CheckName(details.name, record)) return refusal;
  if (auto refusal = CheckListed("rank", details.rank, RankNames().size())) return refusal;
  if (auto refusal = CheckListed("rating", details.rating, RatingNames().size())) return refusal;
  if (auto refusal =
          CheckListed("Kalidor Crescent status", details.kalidorStatus, KalidorStatusNames().size()))
    return refusal;
  if (auto refusal = CheckListed("active mission", details.activeMission, MissionIndexNames().size()))
    return refusal;
  // A move that would overwrite a record which the loaded list does not reach loses that mission.
  if (details.activeMission) return CampaignMoveRefusal(*details.activeMission, record);
  return std::nullopt;
}

std::string UnknownItemMessage(std::string_view box, std::string_view text) {
  return "The " + std::string(box) + " box holds \"" + EscapedText(text) + "\", which is none of its items.";
}

StoredPilotName StoredNameOf(const std::string& name) {
  StoredPilotName field{};
  const std::string stored = EncodeWindows1252(name).value_or(std::string());
  std::copy_n(stored.begin(), std::min(stored.size(), field.size()), field.begin());
  return field;
}

}  // namespace orlenda
