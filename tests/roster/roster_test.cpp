// The roster over the pilot files that the game wrote and the sister games' files beside them: one row
// each, the same export line as the pilot's report, failed files with their load messages.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "base/folder_entries.h"
#include "pilot/pilot_load.h"
#include "report/rip_pilot.h"
#include "roster/roster_build.h"
#include "roster/roster_columns.h"
#include "roster/roster_csv.h"
#include "settings/settings_snapshot.h"
#include "support/file_contents.h"
#include "support/temp_dir.h"
#include "tools/pilot_file_writer.h"

namespace orlenda {
namespace {

namespace fs = std::filesystem;

class RosterTest : public ::testing::Test {
 protected:
  // The game's pilots and the sister games' files in one folder, as a player keeps them, with a
  // folder and a note that the roster must pass over.
  std::vector<RosterRow> RealPilotRoster() {
    const fs::path real = test::RealPilotsDir();
    for (const auto& entry : fs::directory_iterator(real))
      fs::copy(entry.path(), dir_.path() / entry.path().filename());
    for (const auto& entry : fs::directory_iterator(real / "other-games"))
      fs::copy(entry.path(), dir_.path() / entry.path().filename());
    fs::create_directory(dir_.path() / "old.plt");
    bool readable = false;
    const std::vector<std::string> paths = PilotFilesIn(dir_.path().string(), readable);
    EXPECT_TRUE(readable);
    return BuildRoster(paths, settings_, context_);
  }

  static const RosterRow& Named(const std::vector<RosterRow>& rows, std::string_view fileName) {
    const auto row = std::ranges::find(rows, fileName, &RosterRow::fileName);
    if (row == rows.end()) throw std::runtime_error("no row for " + std::string(fileName));
    return *row;
  }

  test::TempDir dir_;
  SettingsSnapshot settings_ = SettingsSnapshot::OfText("[Orlenda]\nShowErrorDetailes=1\n");
  ReportContext context_{".", "24/12/2025"};
};

TEST_F(RosterTest, RealPilotsAndSisterGameFilesAreRowsWithTheReportsValues) {
  if (test::RealPilotsDir().empty()) GTEST_SKIP() << "the real pilot files are not beside this checkout";
  const std::vector<RosterRow> rows = RealPilotRoster();
  ASSERT_EQ(rows.size(), 10u);  // 8 of the game, 2 of the sister games; no folder, no SOURCES.md

  for (const RosterRow& row : rows) {
    SCOPED_TRACE(row.fileName);
    EXPECT_TRUE(row.modifiedTime.has_value());
    if (!row.loaded) continue;
    const LoadResult loaded = LoadPilotFile(row.path);
    MissionRange range{0, loaded.record.CampaignMissionCount};
    LineCollector report;
    std::string exportLine;
    RipPilot(loaded.record, settings_, context_, range, report, exportLine);
    EXPECT_EQ(row.exportLine, exportLine);
    EXPECT_EQ(row.checkErrorCount > 0, exportLine.starts_with("! "));
    EXPECT_EQ("Total: " + CellText(row, RosterColumn::kTotal), report.lines()[7]);
  }

  const RosterRow& xwa = Named(rows, "xwa.plt");
  const std::vector<std::string> expected = {"xwa.plt",
                                             "XWA-TC-56",
                                             "Flight Cadet",
                                             "Marksman 4th",
                                             "Kalidor Crescent: Bronze Cluster",
                                             "58",
                                             "59 - <custom mission>",
                                             "club battle",
                                             "5",
                                             "15490",
                                             "5890",
                                             "9600",
                                             "0",
                                             "0",
                                             "15490",
                                             "150",
                                             "0",
                                             "15490 (5890+9600)",
                                             "0"};
  for (std::size_t c = 0; c < expected.size(); ++c)
    EXPECT_EQ(CellText(xwa, RosterColumns()[c].column), expected[c]) << RosterColumns()[c].id;
  EXPECT_EQ(Named(rows, "germ.plt").checkErrorCount, 1);
  const RosterRow& tc = Named(rows, "PickledYoda0.plt");
  EXPECT_EQ(CellText(tc, RosterColumn::kLayout), "total conversion");
  EXPECT_EQ(CellText(tc, RosterColumn::kWonMissions), "25");
  EXPECT_EQ(CellText(tc, RosterColumn::kCampaignTotal), "181909");

  const std::tuple<const char*, const char*, const char*> sisters[] = {
      {"9555XvTTC1210.plt", "253754", "an X-Wing vs. TIE Fighter"}, {"VANGUARD717.PLT", "1705", "an X-Wing"}};
  for (const auto& [name, size, game] : sisters) {
    const RosterRow& row = Named(rows, name);
    EXPECT_FALSE(row.loaded);
    EXPECT_EQ(row.message,
              std::string("The file have wrong size. ") + size +
                  " The plt file must be 152.076 bytes! 1 Errors while loading file! This may not be a "
                  "XWA pilotfile. " +
                  row.path + " is " + game + " pilot file; this program reads X-Wing Alliance pilot files.");
    EXPECT_EQ(CellText(row, RosterColumn::kTotal), "");
  }
}

TEST_F(RosterTest, SortingPutsHighestNumbersAndFirstNamesFirstAndFailedFilesLast) {
  if (test::RealPilotsDir().empty()) GTEST_SKIP() << "the real pilot files are not beside this checkout";
  std::vector<RosterRow> rows = RealPilotRoster();
  SortRoster(rows, RosterColumn::kTotal);
  EXPECT_EQ(rows.front().fileName, "PickledYoda0.plt");
  EXPECT_FALSE(rows[8].loaded);
  EXPECT_FALSE(rows[9].loaded);
  for (std::size_t i = 1; i < 8; ++i) EXPECT_GE(rows[i - 1].total, rows[i].total);

  SortRoster(rows, RosterColumn::kName);  // "EHPILOT", "GermXWAFCHG", ..., "tester": letter case aside
  EXPECT_EQ(rows.front().pilotName, "9555XWATC52");
  EXPECT_EQ(rows[7].pilotName, "XWA-TC-56");
}

TEST_F(RosterTest, CsvQuotesOnlyTheFieldsThatNeedIt) {
  PilotRecord record;
  const std::string name = "A,\"B\"";
  std::copy(name.begin(), name.end(), record.PilotName.begin());
  const std::string path = dir_.File("plain.plt");
  tools::WriteBytesToFile(path, tools::EncodePilotFile(record));
  const std::string csv = RosterCsv(BuildRoster({path}, settings_, context_));
  const std::string firstRecord = csv.substr(csv.find("\r\n") + 2);
  EXPECT_TRUE(firstRecord.starts_with("plain.plt,\"A,\"\"B\"\"\",Recruit,Target Drone,None,0,"))
      << firstRecord;
  EXPECT_TRUE(csv.starts_with("file,name,rank,rating,kalidor,missions,")) << csv;
}

// A folder named as a Windows player names it: from its drive letter, with backslashes, and not in
// ASCII. The folder lists its pilots, each row names its file by the last component, and each loads.
TEST_F(RosterTest, AFolderNamedTheWindowsWayListsAndLoadsItsPilots) {
  std::string folder = dir_.File("Pil\xC3\xB6ten \xE2\x9C\x88 Staffel");
  ASSERT_TRUE(CreateFolders(folder));
  const std::vector<std::uint8_t> pilot = tools::EncodePilotFile(PilotRecord{});
  for (const std::string name : {"ace.plt", "ROOKIE.PLT"})
    test::WriteBytes(folder + "/" + name, std::string(pilot.begin(), pilot.end()));
#ifdef _WIN32
  std::ranges::replace(folder, '/', '\\');
  ASSERT_TRUE(folder.size() > 3 && folder[1] == ':' && folder[2] == '\\') << folder;
#endif
  bool readable = false;
  const std::vector<RosterRow> rows = BuildRoster(PilotFilesIn(folder, readable), settings_, context_);
  EXPECT_TRUE(readable);
  ASSERT_EQ(rows.size(), 2U);
  EXPECT_EQ(rows[0].fileName, "ROOKIE.PLT");
  EXPECT_EQ(rows[1].fileName, "ace.plt");
  for (const RosterRow& row : rows) {
    EXPECT_TRUE(row.loaded) << row.path << ": " << row.message;
#ifdef _WIN32
    EXPECT_EQ(row.path, folder + "\\" + row.fileName);  // shown as the player writes it
#endif
  }
}

}  // namespace
}  // namespace orlenda
