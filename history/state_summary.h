#pragma once

// What the history keeps beside each state so that a list, a timeline and a change line need no
// unpacking of the state's bytes: the pilot's name and details, the won campaign missions, the totals
// and the consistency check's count.

#include <bitset>
#include <cstdint>
#include <string>

#include "pilot/pilot_record.h"

namespace orlenda {

using WonMissions = std::bitset<kMissionSlotCount>;  // by campaign slot (mission number - 1)

struct StateSummary {
  std::string name;  // UTF-8
  std::int32_t rank = 0;
  std::int32_t rating = 0;
  std::int32_t kalidorStatus = 0;
  WonMissions won;
  int missionsWon = 0;
  std::int32_t campaignTotal = 0;
  std::int32_t todScore = 0;
  std::int32_t total = 0;
  int checkErrors = 0;
};

// The summary of a successfully loaded pilot file.
StateSummary SummaryOf(const PilotRecord& record);

// The won missions as stored: 32 bytes, slot 0 in the lowest bit of the first byte.
std::string WonMissionsBytes(const WonMissions& won);
WonMissions WonMissionsOfBytes(const std::string& bytes);

}  // namespace orlenda
