#pragma once

// Where each known field of the pilot file lives. Every read and write of the file goes through
// these descriptors; no other place names an offset. Bytes not listed here are not interpreted; the
// comments between the descriptors mark those gaps (first..last byte). pilot/file_layout_check.cpp
// checks the table while compiling: in file order, no overlap, inside the file, the groups below
// complete.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "pilot/pilot_record.h"

namespace orlenda {

template <std::size_t N>
struct TextField {
  std::size_t offset;
  std::array<char, N> PilotRecord::*member;
  std::string_view name;
};

struct Int32Field {
  std::size_t offset;
  std::int32_t PilotRecord::*member;
  std::string_view name;
  bool storedTimesTen = false;  // the file holds ten times the value kept in memory
};

template <std::size_t N>
struct Int32ListField {
  std::size_t offset;
  std::array<std::int32_t, N> PilotRecord::*member;
  std::string_view name;
};

struct MissionListField {
  std::size_t offset;
  MissionList PilotRecord::*member;
  std::string_view name;
};

namespace field {
// clang-format off
inline constexpr TextField<kPilotNameSize> PilotName{0, &PilotRecord::PilotName, "PilotName"};
// 13..73: 61 bytes of unknown meaning
inline constexpr TextField<kGameNameSize> MPJoinGameName{74, &PilotRecord::MPJoinGameName, "MPJoinGameName"};
// 105..105: 1 byte of unknown meaning
inline constexpr TextField<kGameNameSize> MPHostGameName{106, &PilotRecord::MPHostGameName, "MPHostGameName"};

// 137..153: 17 bytes of unknown meaning
inline constexpr Int32Field ToNextRating{154, &PilotRecord::ToNextRating, "ToNextRating"};
inline constexpr Int32Field TODScoreA{158, &PilotRecord::TODScoreA, "TODScoreA"};
inline constexpr Int32Field AzzScoreA{162, &PilotRecord::AzzScoreA, "AzzScoreA"};
inline constexpr Int32Field SimScoreA{166, &PilotRecord::SimScoreA, "SimScoreA"};
// 170..209: 40 bytes of unknown meaning
inline constexpr Int32ListField<kCraftTypeCount> TODKillsA{210, &PilotRecord::TODKillsA, "TODKillsA"};
// 1134..2257: 1124 bytes of unknown meaning
inline constexpr Int32ListField<kCraftTypeCount> AzzKills{2258, &PilotRecord::AzzKills, "AzzKills"};
// 3182..4305: 1124 bytes of unknown meaning
inline constexpr Int32ListField<kCraftTypeCount> SimKillsA{4306, &PilotRecord::SimKillsA, "SimKillsA"};
// 5230..6353: 1124 bytes of unknown meaning
inline constexpr Int32ListField<kCraftTypeCount> TODAssistsA{6354, &PilotRecord::TODAssistsA, "TODAssistsA"};
// 7278..8401: 1124 bytes of unknown meaning
inline constexpr Int32ListField<kCraftTypeCount> AzzAssistsA{8402, &PilotRecord::AzzAssistsA, "AzzAssistsA"};
// 9326..10449: 1124 bytes of unknown meaning
inline constexpr Int32ListField<kCraftTypeCount> SimAssists{10450, &PilotRecord::SimAssists, "SimAssists"};
// 11374..19789: 8416 bytes of unknown meaning
inline constexpr Int32Field TODMissileHits{19790, &PilotRecord::TODMissileHits, "TODMissileHits"};
// 19794..19801: 8 bytes of unknown meaning
inline constexpr Int32Field TODMissilesFired{19802, &PilotRecord::TODMissilesFired, "TODMissilesFired"};
// 19806..43813: 24008 bytes of unknown meaning
inline constexpr Int32Field LaserHitA{43814, &PilotRecord::LaserHitA, "LaserHitA"};
// 43818..43849: 32 bytes of unknown meaning
inline constexpr Int32Field MissileCountAB{43850, &PilotRecord::MissileCountAB, "MissileCountAB"};
// 43854..44285: 432 bytes of unknown meaning
inline constexpr MissionListField CampaignMissions{44286, &PilotRecord::CampaignMissions, "CampaignMissions"};
inline constexpr MissionListField SimMissions{56526, &PilotRecord::SimMissions, "SimMissions"};
// 68766..69277: 512 bytes of unknown meaning
inline constexpr Int32Field Rating{69278, &PilotRecord::Rating, "Rating"};
inline constexpr Int32Field Rank{69282, &PilotRecord::Rank, "Rank"};
inline constexpr Int32Field KalidorStatus{69286, &PilotRecord::KalidorStatus, "KalidorStatus"};
// 69290..70725: 1436 bytes of unknown meaning
inline constexpr Int32Field TODScoreB{70726, &PilotRecord::TODScoreB, "TODScoreB"};
// 70730..70733: 4 bytes of unknown meaning
inline constexpr Int32Field TODBonus{70734, &PilotRecord::TODBonus, "TODBonus", true};
inline constexpr Int32Field TODScoreC{70738, &PilotRecord::TODScoreC, "TODScoreC"};
inline constexpr Int32Field TODScoreD{70742, &PilotRecord::TODScoreD, "TODScoreD"};
// 70746..70765: 20 bytes of unknown meaning
inline constexpr Int32Field TODKillCount{70766, &PilotRecord::TODKillCount, "TODKillCount"};
// 70770..70793: 24 bytes of unknown meaning
inline constexpr Int32ListField<kCraftTypeCount> TODKillsB{70794, &PilotRecord::TODKillsB, "TODKillsB"};
// 71718..76937: 5220 bytes of unknown meaning
inline constexpr Int32ListField<kCraftTypeCount> TODAssistsB{76938, &PilotRecord::TODAssistsB, "TODAssistsB"};
// 77862..90349: 12488 bytes of unknown meaning
inline constexpr Int32Field TODLaserHit{90350, &PilotRecord::TODLaserHit, "TODLaserHit"};
// 90354..90361: 8 bytes of unknown meaning
inline constexpr Int32Field TotalLaserA{90362, &PilotRecord::TotalLaserA, "TotalLaserA"};
// 90366..111309: 20944 bytes of unknown meaning
inline constexpr Int32Field SimScoreB{111310, &PilotRecord::SimScoreB, "SimScoreB"};
// 111314..111317: 4 bytes of unknown meaning
inline constexpr Int32Field SimBonus{111318, &PilotRecord::SimBonus, "SimBonus", true};
inline constexpr Int32Field SimScoreC{111322, &PilotRecord::SimScoreC, "SimScoreC"};
// 111326..111333: 8 bytes of unknown meaning
inline constexpr Int32Field SimScoreD{111334, &PilotRecord::SimScoreD, "SimScoreD"};
// 111338..115473: 4136 bytes of unknown meaning
inline constexpr Int32ListField<kCraftTypeCount> SimKillsB{115474, &PilotRecord::SimKillsB, "SimKillsB"};
// 116398..130005: 13608 bytes of unknown meaning
inline constexpr Int32ListField<kRatingCount> PlayersKilledByRating{130006, &PilotRecord::PlayersKilledByRating, "PlayersKilledByRating"};
// 130106..130989: 884 bytes of unknown meaning
inline constexpr Int32Field CraftLosses{130990, &PilotRecord::CraftLosses, "CraftLosses"};
// 130994..131001: 8 bytes of unknown meaning
inline constexpr Int32Field LossesFromCollisions{131002, &PilotRecord::LossesFromCollisions, "LossesFromCollisions"};
// 131006..131013: 8 bytes of unknown meaning
inline constexpr Int32Field LossesToStarships{131014, &PilotRecord::LossesToStarships, "LossesToStarships"};
// 131018..131025: 8 bytes of unknown meaning
inline constexpr Int32Field LossesToMines{131026, &PilotRecord::LossesToMines, "LossesToMines"};
// 131030..131229: 200 bytes of unknown meaning
inline constexpr Int32ListField<kRatingCount> KilledByPlayersByRating{131230, &PilotRecord::KilledByPlayersByRating, "KilledByPlayersByRating"};
// 131330..131377: 48 bytes of unknown meaning
inline constexpr Int32Field LossesToNonPlayerCraft{131378, &PilotRecord::LossesToNonPlayerCraft, "LossesToNonPlayerCraft"};
// 131382..131601: 220 bytes of unknown meaning
inline constexpr Int32Field AzzScoreB{131602, &PilotRecord::AzzScoreB, "AzzScoreB"};
// 131606..131609: 4 bytes of unknown meaning
inline constexpr Int32Field AzzBonus{131610, &PilotRecord::AzzBonus, "AzzBonus", true};
inline constexpr Int32Field AzzScoreC{131614, &PilotRecord::AzzScoreC, "AzzScoreC"};
// 131618..131621: 4 bytes of unknown meaning
inline constexpr Int32Field AzzScoreD{131622, &PilotRecord::AzzScoreD, "AzzScoreD"};
// 131626..131645: 20 bytes of unknown meaning
inline constexpr Int32Field AzzKillCount{131646, &PilotRecord::AzzKillCount, "AzzKillCount"};
// 131650..139861: 8212 bytes of unknown meaning
inline constexpr Int32ListField<kCraftTypeCount> AzzAssistsB{139862, &PilotRecord::AzzAssistsB, "AzzAssistsB"};
// 140786..152075: 11290 bytes of unknown meaning, to the end of the file
// clang-format on
}  // namespace field

// The fields grouped by kind, in file order, for code that treats every field of a kind alike.
inline constexpr std::array kGameNameFields{field::MPJoinGameName, field::MPHostGameName};

inline constexpr std::array kInt32Fields{
    field::ToNextRating,
    field::TODScoreA,
    field::AzzScoreA,
    field::SimScoreA,
    field::TODMissileHits,
    field::TODMissilesFired,
    field::LaserHitA,
    field::MissileCountAB,
    field::Rating,
    field::Rank,
    field::KalidorStatus,
    field::TODScoreB,
    field::TODBonus,
    field::TODScoreC,
    field::TODScoreD,
    field::TODKillCount,
    field::TODLaserHit,
    field::TotalLaserA,
    field::SimScoreB,
    field::SimBonus,
    field::SimScoreC,
    field::SimScoreD,
    field::CraftLosses,
    field::LossesFromCollisions,
    field::LossesToStarships,
    field::LossesToMines,
    field::LossesToNonPlayerCraft,
    field::AzzScoreB,
    field::AzzBonus,
    field::AzzScoreC,
    field::AzzScoreD,
    field::AzzKillCount,
};

inline constexpr std::array kCraftListFields{
    field::TODKillsA,  field::AzzKills,  field::SimKillsA,   field::TODAssistsA, field::AzzAssistsA,
    field::SimAssists, field::TODKillsB, field::TODAssistsB, field::SimKillsB,   field::AzzAssistsB,
};

inline constexpr std::array kRatingListFields{field::PlayersKilledByRating, field::KilledByPlayersByRating};

inline constexpr std::array kMissionListFields{field::CampaignMissions, field::SimMissions};

// Offsets within one 48-byte mission record; bytes 4..14, 20..23, 32..39 and 44..47 are of unknown
// meaning.
namespace mission_record {
inline constexpr std::size_t kMissionTag = 0;
inline constexpr std::size_t kCompletedFlag = 15;  // one byte
inline constexpr std::size_t kPresenceMark = 16;
inline constexpr std::size_t kScore = 24;
inline constexpr std::size_t kTime = 28;
inline constexpr std::size_t kBonus = 40;  // stored times ten
}  // namespace mission_record

inline constexpr std::size_t MissionSlotOffset(const MissionListField& list, std::size_t slot) {
  return list.offset + kMissionRecordSize * slot;
}

}  // namespace orlenda
