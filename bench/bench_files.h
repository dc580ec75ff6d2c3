#pragma once

// What the benchmark programs read: a folder of their own for their files, and the pilot they measure.

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "pilot/pilot_record.h"
#include "tools/pilot_file_writer.h"
#include "tools/sample_pilot.h"

namespace orlenda::bench {

// A fresh folder under the system's temporary folder, removed with everything in it.
struct BenchFolder {
  std::filesystem::path path;

  explicit BenchFolder(const std::string& prefix) {
    std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    path = pattern;
  }
  ~BenchFolder() { std::filesystem::remove_all(path); }
  BenchFolder(const BenchFolder&) = delete;
  BenchFolder& operator=(const BenchFolder&) = delete;

  std::string File(const std::string& name) const { return (path / name).string(); }
};

// The sample pilot with both mission lists full: 255 campaign and 255 simulator records.
inline PilotRecord FullPilot() {
  PilotRecord record = tools::SamplePilotRecord();
  for (std::size_t i = 0; i < kMissionSlotCount; ++i) {
    const auto n = static_cast<std::int32_t>(i);
    record.CampaignMissions[i] = tools::PresentMission(1000 + 37 * n, 100 + n, 300 + 7 * n, n);
    record.SimMissions[i] = tools::PresentMission(800 + 11 * n, 50 + n, 200 + 5 * n, n);
  }
  return record;
}

}  // namespace orlenda::bench
