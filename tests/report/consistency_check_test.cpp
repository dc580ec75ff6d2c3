// The consistency check: which copies it compares, what it counts, its detail lines, and the mark it
// leaves on the export line.

#include "report/consistency_check.h"

#include <gtest/gtest.h>

#include "report_test_support.h"

namespace orlenda {
namespace {

constexpr const char* kTotalTestLine =
    "TODScore+TODBonuns+AzzScore+AzzBonus <> Calculated Total Score. This may not be a real error.";

// Stored scores that agree: TOD 1000 + 50, Azz 200 + 5, and missions that add up to 1255.
PilotRecord Consistent() {
  PilotRecord r;
  r.TODScoreA = r.TODScoreB = r.TODScoreC = r.TODScoreD = 1000;
  r.TODBonus = 50;
  r.AzzScoreB = r.AzzScoreC = r.AzzScoreD = 200;
  r.AzzBonus = 5;
  r.CampaignMissions[0] = tools::PresentMission(1200, 55, 300);
  return test::ThroughFile(r);
}

class ConsistencyCheckTest : public ::testing::Test, protected test::ReportFixture {
 protected:
  // The check's lines and its count.
  std::pair<std::string, int> Check(const PilotRecord& record) {
    LineCollector sink;
    const int errors = AppendConsistencyCheck(record, store(), sink);
    return {test::JoinLines(sink.lines()), errors};
  }
};

TEST_F(ConsistencyCheckTest, ConsistentFile) {
  EXPECT_EQ(Check(Consistent()),
            std::make_pair(std::string("File Cheat/Error check:\nPilotfile seems OK.\n"), 0));
}

TEST_F(ConsistencyCheckTest, CountsEachDisagreeingCopy) {
  PilotRecord r = Consistent();
  r.TODScoreB = 999;
  r.TODScoreD = 1001;
  EXPECT_EQ(Check(r), std::make_pair(std::string("File Cheat/Error check:\n"
                                                 "TODScoreA <> TODScoreB!\n"
                                                 "TODScoreA <> TODScoreD!\n"
                                                 "2 error(s) found!\n"),
                                     2));
  r.TODScoreC = 0;
  r.AzzScoreD = 0;
  EXPECT_EQ(Check(r), std::make_pair(std::string("File Cheat/Error check:\n"
                                                 "TODScoreA <> TODScoreB!\n"
                                                 "TODScoreA <> TODScoreC!\n"
                                                 "TODScoreA <> TODScoreD!\n"
                                                 "AzzScore1 <> AzzScore2!\n"
                                                 "4 error(s) found!\n"),
                                     4));
}

TEST_F(ConsistencyCheckTest, DetailLinesFollowTheCountWhenAsked) {
  PilotRecord r = Consistent();
  r.AzzScoreD = 201;
  r.TODScoreC = 2147483647;
  Settings({"ShowErrorDetailes=1"});
  EXPECT_EQ(Check(r).first,
            "File Cheat/Error check:\n"
            "TODScoreA <> TODScoreC!\n"
            "AzzScore1 <> AzzScore2!\n"
            "2 error(s) found!\n"
            "TODScoreA= 1000\n"
            "TODScoreB= 1000\n"
            "TODScoreC= 2147483647\n"
            "TODScoreD= 1000\n"
            "TODBonus= 50\n"
            "AzzScore1= 200\n"
            "AzzScore2= 201\n"
            "AzzBonus= 5\n"
            "TODScoreA+TODBonuns+AzzScore1+AzzBonus= 1255\n"
            "Calculated Total Score= 1255\n");
  for (const char* off : {"ShowErrorDetailes=0", "ShowErrorDetailes=true", "ShowErrorDetailes="}) {
    Settings({off});
    EXPECT_EQ(
        Check(r).first,
        "File Cheat/Error check:\nTODScoreA <> TODScoreC!\nAzzScore1 <> AzzScore2!\n2 error(s) found!\n")
        << off;
  }
}

TEST_F(ConsistencyCheckTest, TotalTestIsPrintedButNeverCounted) {
  PilotRecord r = Consistent();
  r.CampaignTotal = 1254;
  Settings({"ShowErrorDetailes=1", "NameSource=0", "ScoreFormat=0"});
  EXPECT_EQ(Check(r),
            std::make_pair(
                "File Cheat/Error check:\n" + std::string(kTotalTestLine) + "\nPilotfile seems OK.\n", 0));
  Report(r);
  EXPECT_EQ(exportLine(), " - Score: 1255");
}

TEST_F(ConsistencyCheckTest, TotalMayMatchEitherAzzCopy) {
  PilotRecord r = Consistent();
  r.AzzScoreB = r.AzzScoreD = 150;  // the missions match the C copy only
  EXPECT_EQ(Check(r).first, "File Cheat/Error check:\nPilotfile seems OK.\n");
  r.AzzScoreC = 100;  // now neither
  EXPECT_EQ(Check(r).first,
            "File Cheat/Error check:\n" + std::string(kTotalTestLine) + "\nPilotfile seems OK.\n");
}

TEST_F(ConsistencyCheckTest, RunsOnlyWhenCheckCheatIsExactlyOne) {
  PilotRecord r = Consistent();
  r.TODScoreB = 0;
  for (const char* off :
       {"CheckCheat=0", "CheckCheat=true", "CheckCheat=", "CheckCheat=2", "checkcheat=-1"}) {
    Settings({off, "ShowErrorDetailes=1", "NameSource=0", "ScoreFormat=0"});
    EXPECT_EQ(Check(r), std::make_pair(std::string(), 0)) << off;
    Report(r);
    EXPECT_EQ(exportLine(), " - Score: 1255") << off;
  }
  Settings({"checkcheat=1"});
  EXPECT_EQ(Check(r).second, 1);
}

}  // namespace
}  // namespace orlenda
