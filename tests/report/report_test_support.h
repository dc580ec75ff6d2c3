#pragma once

// What the report tests share: a settings file of their own, pilots passed through a real file
// encoding and load, and the report as one text.

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "pilot/pilot_load.h"
#include "report/rip_pilot.h"
#include "support/temp_dir.h"
#include "tools/pilot_file_writer.h"

namespace orlenda::test {

inline std::string JoinLines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

// The record as the load gives it back from the file bytes, so that the counts and CampaignTotal are
// the load's own.
inline PilotRecord ThroughFile(const PilotRecord& record, const std::string& path = "C:\\XWA\\Wedge.plt") {
  const std::vector<std::uint8_t> bytes = tools::EncodePilotFile(record);
  LoadResult result = LoadPilotBytes(bytes, static_cast<std::int64_t>(bytes.size()), path);
  return std::move(result.record);
}

class ReportFixture {
 public:
  ReportFixture() : store_(dir_.File("orlenda3001.ini")) { context_.today = "24/12/2025"; }

  // Replaces the settings file with the section header and these "key=value" lines.
  void Settings(const std::vector<std::string>& lines) {
    std::ofstream out(store_.path(), std::ios::binary | std::ios::trunc);
    out << "[Orlenda]\r\n";
    for (const std::string& line : lines) out << line << "\r\n";
  }

  // The whole report of a build with the range From 0, To CampaignMissionCount.
  std::string Report(const PilotRecord& record) {
    MissionRange range{0, record.CampaignMissionCount};
    return Report(record, range);
  }

  std::string Report(const PilotRecord& record, MissionRange& range) {
    LineCollector sink;
    RipPilot(record, store_, context_, range, sink, exportLine_);
    return JoinLines(sink.lines());
  }

  const SettingsIni& store() const { return store_; }
  ReportContext& context() { return context_; }
  std::string& exportLine() { return exportLine_; }

 private:
  TempDir dir_;
  SettingsIni store_;
  ReportContext context_;
  std::string exportLine_;
};

}  // namespace orlenda::test
