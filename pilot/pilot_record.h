#pragma once

// The pilot data held in memory for one loaded pilot file: the known fields under their own names,
// the two mission lists, and the state derived at load.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace orlenda {

inline constexpr std::size_t kPilotFileSize = 152'076;
inline constexpr std::size_t kCraftTypeCount = 231;
inline constexpr std::size_t kRatingCount = 25;
inline constexpr std::size_t kMissionSlotCount = 255;   // slots of one mission list in the file
inline constexpr std::size_t kMissionEntryCount = 256;  // entries held in memory (the last stays zero)
inline constexpr std::size_t kMissionRecordSize = 48;
inline constexpr std::size_t kPilotNameSize = 13;
inline constexpr std::size_t kGameNameSize = 31;

using CraftList = std::array<std::int32_t, kCraftTypeCount>;
using RatingList = std::array<std::int32_t, kRatingCount>;

// One mission record as held in memory; Bonus is already divided by ten.
struct MissionEntry {
  std::int32_t MissionTag = 0;
  std::int32_t PresenceMark = 0;
  std::int32_t Score = 0;
  std::int32_t Time = 0;
  std::int32_t Bonus = 0;

  friend bool operator==(const MissionEntry&, const MissionEntry&) = default;
};

using MissionList = std::array<MissionEntry, kMissionEntryCount>;

struct PilotRecord {
  // Texts keep their raw Windows-1252 bytes; the text is the bytes before the first zero byte.
  std::array<char, kPilotNameSize> PilotName{};
  std::array<char, kGameNameSize> MPJoinGameName{};
  std::array<char, kGameNameSize> MPHostGameName{};

  std::int32_t ToNextRating = 0;
  std::int32_t TODScoreA = 0;
  std::int32_t AzzScoreA = 0;
  std::int32_t SimScoreA = 0;
  CraftList TODKillsA{};
  CraftList AzzKills{};
  CraftList SimKillsA{};
  CraftList TODAssistsA{};
  CraftList AzzAssistsA{};
  CraftList SimAssists{};
  std::int32_t TODMissileHits = 0;
  std::int32_t TODMissilesFired = 0;
  std::int32_t LaserHitA = 0;
  std::int32_t MissileCountAB = 0;
  std::int32_t Rating = 0;
  std::int32_t Rank = 0;
  std::int32_t KalidorStatus = 0;
  std::int32_t TODScoreB = 0;
  std::int32_t TODBonus = 0;  // divided by ten
  std::int32_t TODScoreC = 0;
  std::int32_t TODScoreD = 0;
  std::int32_t TODKillCount = 0;
  CraftList TODKillsB{};
  CraftList TODAssistsB{};
  std::int32_t TODLaserHit = 0;
  std::int32_t TotalLaserA = 0;
  std::int32_t SimScoreB = 0;
  std::int32_t SimBonus = 0;  // divided by ten
  std::int32_t SimScoreC = 0;
  std::int32_t SimScoreD = 0;
  CraftList SimKillsB{};
  RatingList PlayersKilledByRating{};
  std::int32_t CraftLosses = 0;
  std::int32_t LossesFromCollisions = 0;
  std::int32_t LossesToStarships = 0;
  std::int32_t LossesToMines = 0;
  RatingList KilledByPlayersByRating{};
  std::int32_t LossesToNonPlayerCraft = 0;
  std::int32_t AzzScoreB = 0;
  std::int32_t AzzBonus = 0;  // divided by ten
  std::int32_t AzzScoreC = 0;
  std::int32_t AzzScoreD = 0;
  std::int32_t AzzKillCount = 0;
  CraftList AzzAssistsB{};

  MissionList CampaignMissions{};
  MissionList SimMissions{};

  std::uint8_t CampaignMissionCount = 0;
  std::uint8_t SimMissionCount = 0;
  std::int32_t CampaignTotal = 0;  // sum of Score + Bonus over the loaded campaign entries, wrapping
  std::string PilotFileName;
  // The whole file as this program last read or wrote it (empty until a load succeeds): an update
  // writes only when the file on disk still holds exactly these bytes.
  std::vector<std::uint8_t> BytesOnDisk;
};

// The text of a fixed-size text field: the bytes before the first zero byte, or all of them.
template <std::size_t N>
std::string FieldText(const std::array<char, N>& field) {
  std::size_t length = 0;
  while (length < N && field[length] != '\0') ++length;
  return std::string(field.data(), length);
}

}  // namespace orlenda
