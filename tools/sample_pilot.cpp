#include "tools/sample_pilot.h"

#include "pilot/le_int32.h"
#include "tools/pilot_file_writer.h"

namespace orlenda::tools {
namespace {

constexpr std::size_t kCompletedMissions = 14;
constexpr std::size_t kSimMissions = 4;

void FillCampaign(PilotRecord& record) {
  for (std::size_t i = 0; i < kCompletedMissions; ++i) {
    const auto n = static_cast<std::int32_t>(i);
    record.CampaignMissions[i] = PresentMission(4000 + 650 * n, 250 + 40 * n, 420 + 37 * n, n);
    record.CampaignTotal = WrappingAdd(record.CampaignTotal, WrappingAdd(record.CampaignMissions[i].Score,
                                                                         record.CampaignMissions[i].Bonus));
  }
  record.CampaignMissionCount = kCompletedMissions;
}

void FillSimulator(PilotRecord& record) {
  for (std::size_t i = 0; i < kSimMissions; ++i) {
    const auto n = static_cast<std::int32_t>(i);
    record.SimMissions[i] = PresentMission(2500 + 300 * n, 120 + 15 * n, 300 + 45 * n, 100 + n);
  }
  record.SimMissionCount = kSimMissions;
}

void FillKills(PilotRecord& record) {
  const std::size_t fighters[] = {4, 5, 6, 15, 16, 39, 112};
  std::int32_t count = 0;
  for (std::size_t craft : fighters) {
    const auto kills = static_cast<std::int32_t>(craft % 7 + 2);
    record.TODKillsA[craft] = kills;
    record.TODKillsB[craft] = kills;
    record.TODAssistsA[craft] = kills / 2;
    record.TODAssistsB[craft] = kills / 2;
    count += kills;
  }
  record.TODKillCount = count;
  record.AzzKills[4] = 3;
  record.AzzAssistsA[4] = 1;
  record.AzzAssistsB[4] = 1;
  record.AzzKillCount = 3;
  record.SimKillsA[5] = 6;
  record.SimKillsB[5] = 6;
  record.SimAssists[5] = 2;
  record.PlayersKilledByRating[9] = 2;
  record.KilledByPlayersByRating[12] = 1;
}

}  // namespace

PilotRecord SamplePilotRecord() {
  PilotRecord record;
  SetText(record.PilotName, "Red Kestrel");
  SetText(record.MPJoinGameName, "Squadron night");
  SetText(record.MPHostGameName, "Kestrel's hangar");
  FillCampaign(record);
  FillSimulator(record);
  FillKills(record);

  std::int32_t campaignScore = 0;
  std::int32_t campaignBonus = 0;
  for (std::size_t i = 0; i < kCompletedMissions; ++i) {
    campaignScore = WrappingAdd(campaignScore, record.CampaignMissions[i].Score);
    campaignBonus = WrappingAdd(campaignBonus, record.CampaignMissions[i].Bonus);
  }
  // The campaign's first missions are flown for the family and count toward the Azzameen score; the
  // stored totals add up to the mission records.
  const std::int32_t azzScore = 1850;
  const std::int32_t azzBonus = 95;
  record.TODScoreA = record.TODScoreB = record.TODScoreC = record.TODScoreD = campaignScore - azzScore;
  record.TODBonus = campaignBonus - azzBonus;
  record.AzzScoreA = record.AzzScoreB = record.AzzScoreC = record.AzzScoreD = azzScore;
  record.AzzBonus = azzBonus;
  record.SimScoreA = record.SimScoreB = record.SimScoreC = record.SimScoreD = 3100;
  record.SimBonus = 140;

  record.Rank = 4;           // Lieutenant
  record.Rating = 9;         // Expert 3rd
  record.KalidorStatus = 2;  // Bronze Cluster
  record.ToNextRating = 37;
  record.TODMissileHits = 41;
  record.TODMissilesFired = 57;
  record.TODLaserHit = 1873;
  record.TotalLaserA = 6120;
  record.LaserHitA = 1873;
  record.MissileCountAB = 57;
  record.CraftLosses = 3;
  record.LossesFromCollisions = 1;
  record.LossesToStarships = 1;
  record.LossesToNonPlayerCraft = 1;
  return record;
}

}  // namespace orlenda::tools
