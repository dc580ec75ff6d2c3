// orlenda3001-cli review: the answers a club's reviewer reads (the table, JSON with every check, the
// forms), its exit statuses, and the faults of its options as usage errors.

#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>

#include "cli_test_support.h"
#include "tools/sample_pilot.h"

namespace orlenda {
namespace {

namespace fs = std::filesystem;

class ReviewCommandTest : public ::testing::Test, protected test::CliFixture {
 protected:
  test::CliRun Review(const std::vector<std::string>& arguments) {
    std::vector<std::string> all{"review"};
    all.insert(all.end(), arguments.begin(), arguments.end());
    return test::RunCli(all, environment_);
  }

  // The real pilots, copied into a folder of the test's own.
  std::string RealPilotFolder() {
    const std::string folder = dir_.File("pilots");
    fs::create_directory(folder);
    for (const auto& entry : fs::directory_iterator(test::RealPilotsDir()))
      if (entry.is_regular_file() && entry.path().extension() == ".plt")
        fs::copy_file(entry.path(), fs::path(folder) / entry.path().filename());
    return folder;
  }

  bool HaveRealPilots() const { return !test::RealPilotsDir().empty(); }
};

TEST_F(ReviewCommandTest, TheTableGivesEachFileItsVerdictAndTheExitStatusTheWhole) {
  if (!HaveRealPilots()) GTEST_SKIP() << "the real pilot files are not beside this checkout";
  const std::string folder = RealPilotFolder();
  const test::CliRun one = Review({"--battle", "54-59", folder + "/9555XWATC520.plt"});
  EXPECT_EQ(one.exitStatus, 0) << one.err;
  EXPECT_EQ(one.out,
            "file              pilot        verdict  first failed check\n"
            "9555XWATC520.plt  9555XWATC52  Pass\n");
  const test::CliRun all = Review({"--battle", "54-59", folder});
  EXPECT_EQ(all.exitStatus, 1);
  EXPECT_NE(
      all.out.find("xwa.plt           XWA-TC-56    Fail     Every battle mission flown and won: mission 59 "
                   "not flown; 5 of 6 missions won\n"),
      std::string::npos)
      << all.out;
}

TEST_F(ReviewCommandTest, JsonHoldsEveryCheckOfEveryFileAndTheFormEveryMissionsScore) {
  if (!HaveRealPilots()) GTEST_SKIP() << "the real pilot files are not beside this checkout";
  const std::string folder = RealPilotFolder();
  const test::CliRun json = Review({"--json", folder});
  EXPECT_EQ(json.exitStatus, 1);
  const nlohmann::json reviews = nlohmann::json::parse(json.out);
  ASSERT_EQ(reviews.size(), 8u);
  for (const auto& review : reviews) {
    ASSERT_EQ(review["checks"].size(), 10u) << review["file"];
    for (const auto& check : review["checks"]) EXPECT_TRUE(check["numbers"].is_object());
  }
  EXPECT_EQ(reviews[0]["file"], "9555XWATC520.plt");
  EXPECT_EQ(reviews[0]["verdict"], "pass");
  EXPECT_EQ(reviews[0]["battle"]["missions"].size(), 6u);
  EXPECT_EQ(reviews[0]["checks"][3]["numbers"]["tod_score"], 36193);

  const test::CliRun form = Review({"--form", folder + "/9555XWATC520.plt"});
  EXPECT_EQ(form.exitStatus, 0);
  for (const auto& mission : reviews[0]["battle"]["missions"])
    EXPECT_NE(form.out.find("Mission " + std::to_string(mission["mission"].get<int>()) + ": score " +
                            std::to_string(mission["score"].get<int>()) + ","),
              std::string::npos)
        << form.out;
}

TEST_F(ReviewCommandTest, BadOptionsAreUsageErrors) {
  const std::string pilot = PilotFile(tools::SamplePilotRecord(), "Red_Kestrel.plt");
  const std::string scores = dir_.File("high.csv");
  test::WriteBytes(scores, "mission,score\n54,100\n55,lots\n");
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases{
      {{"--high-scores", scores, pilot}, scores + " line 3: \"lots\" is not a score (a whole number)\n"},
      {{"--battle", "59-54", pilot}, "\"59-54\" is not a battle"},
      {{"--friendly", "Xwing,Nothing", pilot}, "\"Nothing\" names no craft"},
      {{"--high-scores", "", pilot}, "the value is empty"},
      {{"--csv", "--form", pilot}, "excludes"},
  };
  for (const auto& [arguments, message] : cases) {
    const test::CliRun run = Review(arguments);
    EXPECT_EQ(run.exitStatus, 2) << message;
    EXPECT_NE(run.err.find(message), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "");
  }
}

}  // namespace
}  // namespace orlenda
