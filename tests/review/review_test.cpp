// The battle review over the pilot files that the game wrote: one verdict per file and the checks behind
// it, the files of one folder checked against each other, and the choices a reviewer types.

#include <gtest/gtest.h>

#include <filesystem>

#include "pilot/enumerations.h"
#include "pilot/file_layout.h"
#include "review/friendly_craft.h"
#include "review/pilot_review.h"
#include "review/review_csv.h"
#include "review/review_form.h"
#include "support/file_contents.h"
#include "support/temp_dir.h"
#include "tools/pilot_file_writer.h"

namespace orlenda {
namespace {

namespace fs = std::filesystem;

class RealPilotReviewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (test::RealPilotsDir().empty()) GTEST_SKIP() << "the real pilot files are not beside this checkout";
  }

  // A copy of a real pilot in the test's folder, under `name`.
  std::string Copy(const std::string& real, const std::string& name = {}) {
    const std::string path = dir_.File(name.empty() ? real : name);
    fs::copy_file(test::RealPilotsDir() / real, test::PathOfUtf8(path));
    fs::permissions(test::PathOfUtf8(path), fs::perms::owner_write, fs::perm_options::add);
    return path;
  }

  static ReviewRequest Battle(int first, int last) { return {BattleMissions{first, last}, std::nullopt, {}}; }

  static const ReviewCheck& CheckOf(const PilotReview& review, std::string_view id) {
    const ReviewCheck* check = review.Check(id);
    EXPECT_NE(check, nullptr) << id;
    return *check;
  }

  static std::vector<std::string> FailedIds(const PilotReview& review) {
    std::vector<std::string> ids;
    for (const ReviewCheck& check : review.checks)
      if (check.result == CheckResult::kFail) ids.push_back(check.id);
    return ids;
  }

  test::TempDir dir_;
};

TEST_F(RealPilotReviewTest, AClubBattleFlownWholePasses) {
  const PilotReview review = ReviewPilotFile(Copy("9555XWATC520.plt"), Battle(54, 59));
  EXPECT_TRUE(review.Passed()) << VerdictText(review);
  EXPECT_EQ(review.missionsWon, 6);
  EXPECT_EQ(review.score, 36193);
  EXPECT_EQ(review.bonus, 32025);
  EXPECT_EQ(CheckOf(review, "totals").result, CheckResult::kPass);
  EXPECT_EQ(review.sha256.size(), 64u);
  EXPECT_EQ(CheckOf(review, "sha256").detail, review.sha256);
  // Without --battle the layout names the same battle.
  const PilotReview byLayout = ReviewPilotFile(review.path, {});
  ASSERT_TRUE(byLayout.battle.has_value());
  EXPECT_EQ(*byLayout.battle, (BattleMissions{54, 59}));
  EXPECT_TRUE(byLayout.Passed()) << VerdictText(byLayout);
  // A review that shows no digest skips it and keeps every other check.
  ReviewRequest undigested = Battle(54, 59);
  undigested.digest = false;
  const PilotReview table = ReviewPilotFile(review.path, undigested);
  EXPECT_TRUE(table.sha256.empty());
  EXPECT_EQ(CheckOf(table, "sha256").result, CheckResult::kNotRun);
  ASSERT_EQ(table.checks.size(), review.checks.size());
  for (std::size_t i = 0; i + 1 < table.checks.size(); ++i)
    EXPECT_EQ(table.checks[i].detail, review.checks[i].detail) << table.checks[i].id;
}

TEST_F(RealPilotReviewTest, AMissingMissionAndScoresOutsideTheBattleFail) {
  const PilotReview review = ReviewPilotFile(Copy("xwa.plt"), Battle(54, 59));
  EXPECT_FALSE(review.Passed());
  EXPECT_EQ(review.FirstFailure()->id, "all_won");
  EXPECT_EQ(CheckOf(review, "all_won").detail, "mission 59 not flown; 5 of 6 missions won");
  EXPECT_EQ(CheckOf(review, "only_battle").detail, "a combat simulator score of 150");
}

TEST_F(RealPilotReviewTest, DisagreeingCopiesAreNamedAndRetriesReported) {
  const PilotReview review = ReviewPilotFile(Copy("germ.plt"), {});
  EXPECT_FALSE(review.Passed());
  const ReviewCheck& copies = CheckOf(review, "score_copies");
  EXPECT_EQ(copies.result, CheckResult::kFail);
  EXPECT_NE(copies.detail.find("TODScoreA <> TODScoreB!"), std::string::npos) << copies.detail;
  const ReviewCheck& won = CheckOf(review, "all_won");
  EXPECT_EQ(won.result, CheckResult::kPass);  // a retry is reported, not failed
  EXPECT_NE(won.detail.find("mission 58: 2 attempts"), std::string::npos) << won.detail;
}

TEST_F(RealPilotReviewTest, ATotalConversionCampaignIsNoBattle) {
  const std::string path = Copy("PickledYoda0.plt");
  const PilotReview review = ReviewPilotFile(path, {});
  EXPECT_EQ(VerdictText(review),
            "Fail: The battle is known: the file holds a total conversion campaign, not one battle");
  const PilotReview asked = ReviewPilotFile(path, Battle(54, 59));
  EXPECT_NE(CheckOf(asked, "only_battle").detail.find("total conversion campaign, not one battle"),
            std::string::npos);
}

TEST_F(RealPilotReviewTest, TwoCopiesOfOneFlightBothFail) {
  std::vector<PilotReview> reviews = ReviewPilotFiles(
      {Copy("9555XWATC520.plt", "a.plt"), Copy("9555XWATC520.plt", "b.plt"), Copy("xwa.plt")},
      Battle(54, 59));
  EXPECT_EQ(CheckOf(reviews[0], "same_flight").detail, "the same flight as b.plt");
  EXPECT_EQ(CheckOf(reviews[1], "same_flight").detail, "the same flight as a.plt");
  EXPECT_EQ(FailedIds(reviews[0]), std::vector<std::string>{"same_flight"});
  EXPECT_EQ(CheckOf(reviews[2], "same_flight").result, CheckResult::kPass);
}

// Fresh pilots that flew nothing of the battle are no flight: their copies are not "the same flight",
// and a battle that the file cannot tell is said with the reason.
TEST_F(RealPilotReviewTest, FreshPilotsShareNoFlightAndNameNoBattle) {
  const std::vector<PilotReview> asked =
      ReviewPilotFiles({Copy("xwablank.plt", "a.plt"), Copy("xwablank.plt", "b.plt")}, Battle(54, 59));
  for (const PilotReview& review : asked) {
    EXPECT_EQ(CheckOf(review, "same_flight").result, CheckResult::kNotRun);
    EXPECT_EQ(CheckOf(review, "all_won").detail,
              "missions 54, 55, 56, 57, 58 and 59 not flown; 0 of 6 missions won");
  }
  EXPECT_EQ(CheckOf(ReviewPilotFile(asked[0].path, {}), "battle").detail,
            "no mission of the club battle from mission 54 is held: name the battle's missions");
  EXPECT_EQ(CheckOf(ReviewPilotFile(Copy("New0.plt"), {}), "battle").detail,
            "the file holds no campaign mission: name the battle's missions");
}

// The Pilots window's CSV: the roster's columns, then the verdict and the first failed check, empty
// for a file that was not reviewed.
TEST_F(RealPilotReviewTest, TheRostersCsvTakesTheVerdicts) {
  const PilotReview review = ReviewPilotFile(Copy("xwa.plt"), Battle(54, 59));
  RosterRow reviewed;
  reviewed.fileName = "xwa.plt";
  RosterRow other;
  other.fileName = "other.plt";
  const std::string csv = RosterCsvWithVerdicts({reviewed, other}, {&review, nullptr});
  const std::size_t firstEnd = csv.find("\r\n");
  EXPECT_TRUE(csv.substr(0, firstEnd).ends_with(",verdict,first_failed_check")) << csv;
  EXPECT_NE(csv.find(",fail,Every battle mission flown and won\r\nother.plt,"), std::string::npos) << csv;
  EXPECT_TRUE(csv.ends_with(",,\r\n")) << csv;
}

TEST_F(RealPilotReviewTest, AFriendlyKillFailsThatCheckAlone) {
  const std::string path = Copy("9555XWATC520.plt");
  std::vector<std::uint8_t> bytes = test::ReadByteVector(path);
  const auto killsAt = [&](std::size_t offset, std::size_t craft) {
    return test::Int32At(bytes, offset + 4 * craft);
  };
  std::size_t craft = 0;  // the first craft that the pilot never killed
  while (killsAt(field::TODKillsA.offset, craft) != 0 || killsAt(field::TODKillsB.offset, craft) != 0)
    ++craft;
  const std::string name = CraftTypeNames()[craft];
  const FriendlyCraftChoice friendly = ChooseFriendlyCraft(name);
  ASSERT_TRUE(friendly.error.empty()) << friendly.error;
  const ReviewRequest request{BattleMissions{54, 59}, std::nullopt, friendly.craft};
  EXPECT_TRUE(ReviewPilotFile(path, request).Passed());

  tools::PatchInt32(bytes, field::TODKillsA.offset + 4 * craft, 1);
  ASSERT_TRUE(tools::WriteBytesToFile(path, bytes));
  const PilotReview review = ReviewPilotFile(path, request);
  EXPECT_EQ(FailedIds(review), std::vector<std::string>{"friendly_kills"});
  EXPECT_EQ(CheckOf(review, "friendly_kills").detail, name + ": 1 kill");
}

TEST_F(RealPilotReviewTest, HighScoresAreSharedOutAndTheFormHoldsEveryMission) {
  HighScores high;
  high.scoreOf = {{54, 5000}, {55, 11000}};
  const PilotReview review = ReviewPilotFile(Copy("9555XWATC520.plt"), {BattleMissions{54, 59}, high, {}});
  const ReviewCheck& note = CheckOf(review, "high_scores");
  EXPECT_EQ(note.result, CheckResult::kNote);
  EXPECT_NE(note.detail.find("mission 54: 4990 of 5000 (99.8%)"), std::string::npos) << note.detail;
  EXPECT_NE(note.detail.find("mission 55: 11575 of 11000 (105.2%), new high score"), std::string::npos);
  EXPECT_TRUE(review.Passed());
  const std::string form = ReviewForms({review});
  for (const ReviewedMission& mission : review.missions)
    EXPECT_NE(form.find("Mission " + std::to_string(mission.mission) + ": score " +
                        std::to_string(mission.score) + ","),
              std::string::npos)
        << form;
  EXPECT_NE(form.find("SHA-256: " + review.sha256), std::string::npos);
}

TEST_F(RealPilotReviewTest, AFileThatDoesNotLoadFailsWithEveryOtherCheckNotRun) {
  const std::string path = dir_.File("short.plt");
  test::WriteBytes(path, "not a pilot");
  const PilotReview review = ReviewPilotFile(path, {});
  EXPECT_EQ(FailedIds(review), std::vector<std::string>{"load"});
  EXPECT_EQ(review.checks.size(), ReviewCheckIds().size());
  const std::string csv = ReviewCsv({review});
  EXPECT_EQ(csv.substr(0, csv.find("\r\n")).find("file,pilot,verdict,first_failed_check,"), 0u);
  EXPECT_NE(csv.find("short.plt,,fail,The file loads,"), std::string::npos) << csv;

  const std::string sister = dir_.File("VANGUARD717.PLT");
  fs::copy_file(test::RealPilotsDir() / "other-games" / "VANGUARD717.PLT", test::PathOfUtf8(sister));
  const std::string named = ReviewPilotFile(sister, {}).Check("load")->detail;
  EXPECT_NE(
      named.find("VANGUARD717.PLT is an X-Wing pilot file; this program reads X-Wing Alliance pilot files."),
      std::string::npos)
      << named;
}

TEST(BattleMissionsTest, RangesAsTheReviewerWritesThem) {
  EXPECT_EQ(ParseBattleMissions("54-59"), (BattleMissions{54, 59}));
  EXPECT_EQ(ParseBattleMissions("101"), (BattleMissions{101, 101}));
  EXPECT_EQ(ParseBattleMissions("1-255"), (BattleMissions{1, 255}));
  for (const char* bad : {"", "0-3", "59-54", "54-", "-59", "a-b", "+54-59", "54-256", "54--59", " 54-59"})
    EXPECT_FALSE(ParseBattleMissions(bad).has_value()) << bad;
  EXPECT_EQ(BattleMissionsText({54, 59}), "54-59");
}

TEST(FriendlyCraftTest, NamesAndIndexesOfTheCraftList) {
  const FriendlyCraftChoice choice = ChooseFriendlyCraft("XWING,Awing, 0,Interdictor,Starship");
  ASSERT_TRUE(choice.error.empty()) << choice.error;
  ASSERT_EQ(choice.craft.size(), 3u);
  EXPECT_EQ(choice.craft[0], 0);
  EXPECT_EQ(CraftTypeNames()[static_cast<std::size_t>(choice.craft[1])], "Awing");
  EXPECT_EQ(CraftTypeNames()[static_cast<std::size_t>(choice.craft[2])], "Interdictor,Starship");
  EXPECT_EQ(ChooseFriendlyCraft("Xwing,Tie Bomberz").error,
            "\"Tie Bomberz\" names no craft (a name or index of the craft list)");
  EXPECT_FALSE(ChooseFriendlyCraft("Xwing,").error.empty());
}

}  // namespace
}  // namespace orlenda
