#pragma once

// What the history tests share: pilots made in memory as a load would hold them.

#include <string>

#include "pilot/pilot_load.h"
#include "tools/pilot_file_writer.h"

namespace orlenda::test {

// A loaded pilot with `won` campaign missions of 100 points and 25 of bonus each, at `rank`.
inline PilotRecord HistoryPilot(const std::string& name, int won, int rank = 0) {
  PilotRecord record;
  tools::SetText(record.PilotName, name);
  record.Rank = rank;
  for (int i = 0; i < won; ++i)
    record.CampaignMissions[static_cast<std::size_t>(i)] = tools::PresentMission(100, 25, 60);
  LoadResult loaded = LoadPilotBytes(tools::EncodePilotFile(record),
                                     static_cast<std::int64_t>(kPilotFileSize), name + ".plt");
  return loaded.record;
}

}  // namespace orlenda::test
