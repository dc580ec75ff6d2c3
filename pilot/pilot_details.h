#pragma once

// The pilot's details as the user chooses them for the update: what the view's boxes hold, checked
// before anything is written.

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "pilot/pilot_record.h"

namespace orlenda {

// Longest name that keeps a terminating zero byte in the 13-byte field, as the game writes names.
inline constexpr std::size_t kLongestNewPilotName = kPilotNameSize - 1;

// What the view's controls hold when the user saves. A value that is absent stands for a box without
// a chosen item: that field is left as it is in the file.
struct PilotDetails {
  std::string name;  // UTF-8, as typed; stored as Windows-1252
  std::optional<int> rank;
  std::optional<int> rating;
  std::optional<int> kalidorStatus;
  std::optional<int> activeMission;  // the number of completed campaign missions; absent: list untouched
};

using StoredPilotName = std::array<char, kPilotNameSize>;

// The details as a load leaves the view's boxes: the name, each stored value that lies inside its
// list, and the number of loaded campaign missions as the active mission (none for 255).
PilotDetails DetailsOfLoadedPilot(const PilotRecord& record);

// Why the details cannot be written, or nothing when they can. Refused: a name that Windows-1252
// cannot store, and a new name (one that differs from the name the file holds, which is then left
// as it is) that holds a control character or is longer than 12 characters; a value outside its list;
// a move of the active mission that would overwrite a record past the end of the campaign list
// (CampaignMoveRefusal).
std::optional<std::string> CheckPilotDetails(const PilotDetails& details, const PilotRecord& record);

// The refusal of a text typed into one of the view's boxes that names none of its items; `box` is
// the box's name as the player knows it ("rank").
std::string UnknownItemMessage(std::string_view box, std::string_view text);

// The 13 bytes of the name field for a name that CheckPilotDetails accepted, zero-padded.
StoredPilotName StoredNameOf(const std::string& name);

}  // namespace orlenda
