// The career model over the real pilot files of each layout, and over slots laid out by hand.

#include "pilot/campaign_career.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <filesystem>
#include <numeric>
#include <random>

#include "pilot/campaign_total.h"
#include "pilot/enumerations.h"
#include "pilot/pilot_diff.h"
#include "pilot/pilot_load.h"
#include "pilot/sister_games.h"
#include "support/temp_dir.h"

namespace orlenda {
namespace {

namespace fs = std::filesystem;

// Every held slot lies in exactly one battle, and the battles' sums are the career's.
void ExpectBattlesAddUp(const CampaignCareer& career) {
  std::int32_t score = 0, bonus = 0;
  int won = 0;
  for (const CampaignBattle& b : career.battles) {
    score =
        static_cast<std::int32_t>(static_cast<std::uint32_t>(score) + static_cast<std::uint32_t>(b.score));
    bonus =
        static_cast<std::int32_t>(static_cast<std::uint32_t>(bonus) + static_cast<std::uint32_t>(b.bonus));
    won += b.missionsWon;
  }
  for (const CampaignSlot& s : career.slots) {
    int holders = 0;
    for (const CampaignBattle& b : career.battles) holders += b.Holds(s.slot) ? 1 : 0;
    EXPECT_EQ(holders, 1) << "slot " << s.slot;
  }
  EXPECT_EQ(score, career.scoreSum);
  EXPECT_EQ(bonus, career.bonusSum);
  EXPECT_EQ(won, career.missionsWon);
}

class RealCareerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (test::RealPilotsDir().empty()) GTEST_SKIP() << "the real pilot files are not beside this checkout";
  }
  static LoadResult Load(const char* name) {
    LoadResult result = LoadPilotFile((test::RealPilotsDir() / name).string());
    EXPECT_TRUE(result.Succeeded()) << name;
    return result;
  }
  static CampaignCareer CareerOfFile(const char* name) { return CampaignCareerOf(Load(name).record); }
};

// A total conversion's campaign starts past the first slot, so the load's list sums nothing; the
// campaign total that the roster, the charts, the history and the diff show is the whole career's.
TEST_F(RealCareerTest, TotalConversionsCampaignTotalIsTheWholeCareersAndTheDiffComparesIt) {
  const LoadResult tc = Load("PickledYoda0.plt");
  const LoadResult blank = Load("xwablank.plt");
  EXPECT_EQ(tc.record.CampaignTotal, 0);
  EXPECT_EQ(CampaignTotalOf(CampaignCareerOf(tc.record)), 67'559 + 114'350);
  const PilotDiff diff =
      ComparePilotFiles({blank.record, blank.record.BytesOnDisk}, {tc.record, tc.record.BytesOnDisk});
  const auto total = std::find_if(diff.derived.begin(), diff.derived.end(),
                                  [](const DerivedDifference& d) { return d.name == "CampaignTotal"; });
  ASSERT_NE(total, diff.derived.end());
  EXPECT_EQ(total->oldValue, CampaignTotalOf(CampaignCareerOf(blank.record)));
  EXPECT_EQ(total->newValue, 181'909);
}

TEST_F(RealCareerTest, TotalConversionPilotHasItsWonMissionsInItsBattles) {
  const LoadResult loaded = Load("PickledYoda0.plt");
  const CampaignCareer career = CampaignCareerOf(loaded.record);
  EXPECT_EQ(career.layout, CampaignLayout::kTotalConversion);
  EXPECT_EQ(CampaignLayoutName(career.layout), "total conversion");
  ASSERT_EQ(career.slots.size(), 25u);
  EXPECT_EQ(career.missionsWon, 25);
  EXPECT_EQ(career.scoreSum, 67'559);
  EXPECT_EQ(career.scoreSum, loaded.record.TODScoreA);
  EXPECT_EQ(career.bonusSum, 114'350);
  EXPECT_EQ(career.bonusSum, loaded.record.TODBonus);
  ASSERT_EQ(career.battles.size(), 9u);
  const CampaignBattle& first = career.battles[0];
  EXPECT_EQ(first.number, 1);
  EXPECT_EQ(first.firstSlot, 3);
  EXPECT_EQ(first.slotCount, 6);
  EXPECT_EQ(first.missionsWon, 4);  // slots 7 and 8 unflown
  EXPECT_EQ(first.status, BattleStatus::kIncomplete);
  for (int i = 1; i <= 4; ++i) EXPECT_EQ(career.battles[i].status, BattleStatus::kComplete) << i;
  for (int i = 5; i <= 8; ++i) EXPECT_EQ(career.battles[i].status, BattleStatus::kNotFlown) << i;
  EXPECT_EQ(career.battles[1].score, 729 + 3747 + 1698 + 696 + 1593 + 2724);
  EXPECT_EQ(career.SlotAt(3)->score, 2490);
  EXPECT_EQ(career.SlotAt(7), nullptr);
  EXPECT_EQ(career.BattleOf(1), nullptr);
  EXPECT_EQ(career.BattleOf(14)->number, 2);
  EXPECT_EQ(CampaignMissionLabel(career, 3), "battle 1, mission 1");
  EXPECT_EQ(CampaignMissionLabel(career, 14), "battle 2, mission 6");
  EXPECT_EQ(CampaignMissionLabel(career, 1), "mission 2");
  ExpectBattlesAddUp(career);
}

TEST_F(RealCareerTest, ClubPilotsHoldTheirBattleFromMission54AfterTheSkippedStockSlots) {
  const std::tuple<const char*, int, int> cases[] = {
      {"9555XWATC520.plt", 6, 6}, {"xwa.plt", 5, 5}, {"germ.plt", 6, 6}, {"xwablank.plt", 0, 0}};
  for (const auto& [name, count, won] : cases) {
    SCOPED_TRACE(name);
    const CampaignCareer career = CareerOfFile(name);
    EXPECT_EQ(career.layout, CampaignLayout::kClubBattle);
    ASSERT_EQ(career.battles.size(), 9u);
    const CampaignBattle& battle = career.battles.back();
    EXPECT_EQ(battle.number, 8);
    EXPECT_EQ(battle.firstSlot, 53);
    EXPECT_EQ(battle.slotCount, count);
    EXPECT_EQ(battle.missionsWon, won);
    EXPECT_EQ(battle.status, count == 0 ? BattleStatus::kNotFlown : BattleStatus::kComplete);
    EXPECT_EQ(career.missionsWon, won);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(career.battles[i].status, BattleStatus::kNotFlown);
    EXPECT_TRUE(career.SlotAt(0)->Skipped());
    EXPECT_EQ(CampaignMissionLabel(career, 0), MissionIndexNames()[0]);
    ExpectBattlesAddUp(career);
  }
  const CampaignCareer germ = CareerOfFile("germ.plt");
  EXPECT_EQ(germ.SlotAt(57)->attempts, 2);
  EXPECT_EQ(CampaignMissionLabel(germ, 57), "battle 8, mission 5");
}

TEST_F(RealCareerTest, NewPilotHasAStockCareerWithNothingFlown) {
  const CampaignCareer career = CareerOfFile("New0.plt");
  EXPECT_EQ(career.layout, CampaignLayout::kStock);
  EXPECT_TRUE(career.slots.empty());
  ASSERT_EQ(career.battles.size(), 8u);
  EXPECT_EQ(career.battles.back().firstSlot + career.battles.back().slotCount, 53);
}

CampaignSlot Won(int slot, std::int32_t score = 100, std::int32_t bonus = 10) {
  return {slot, 1, 1, score, 60, bonus};
}

TEST(CampaignCareerTest, StockPrefixFillsItsBattlesInOrderWithTheirStockNames) {
  std::vector<CampaignSlot> slots;
  for (int i = 0; i < 12; ++i) slots.push_back(Won(i));
  const CampaignCareer career = CampaignCareerOfSlots(slots);
  EXPECT_EQ(career.layout, CampaignLayout::kStock);
  EXPECT_EQ(career.battles[0].status, BattleStatus::kComplete);
  EXPECT_EQ(career.battles[1].missionsWon, 3);
  EXPECT_EQ(career.battles[1].status, BattleStatus::kIncomplete);
  EXPECT_EQ(career.battles[2].status, BattleStatus::kNotFlown);
  EXPECT_EQ(CampaignMissionLabel(career, 11), MissionIndexNames()[11]);
}

TEST(CampaignCareerTest, LayoutsAreToldByWhichSlotsHoldRecords) {
  const auto layoutOf = [](std::vector<int> held) {
    std::vector<CampaignSlot> slots;
    for (int s : held) slots.push_back(Won(s));
    return CampaignCareerOfSlots(slots).layout;
  };
  std::vector<int> stock(53), stockAndClub(55);
  std::iota(stock.begin(), stock.end(), 0);
  std::iota(stockAndClub.begin(), stockAndClub.end(), 0);
  EXPECT_EQ(layoutOf(stock), CampaignLayout::kStock);  // the whole stock campaign flown
  EXPECT_EQ(layoutOf(stockAndClub), CampaignLayout::kClubBattle);
  EXPECT_EQ(layoutOf({0, 1, 5}), CampaignLayout::kOther);
  EXPECT_EQ(layoutOf({3, 4, 9, 15, 17}), CampaignLayout::kTotalConversion);
  EXPECT_EQ(layoutOf({3, 4, 15}), CampaignLayout::kOther);  // battle 2 skipped
  EXPECT_EQ(layoutOf({3, 10}), CampaignLayout::kOther);     // battle 2 without its first mission
  EXPECT_EQ(layoutOf({3, 100, 101}), CampaignLayout::kTotalConversionClubBattle);
  EXPECT_EQ(layoutOf({4, 5}), CampaignLayout::kOther);
  EXPECT_EQ(layoutOf({3, 120}), CampaignLayout::kOther);
  EXPECT_EQ(layoutOf({3, 100, 102}), CampaignLayout::kOther);
  stockAndClub.push_back(60);
  EXPECT_EQ(layoutOf(stockAndClub), CampaignLayout::kOther);
  EXPECT_EQ(CampaignCareerOfSlots({Won(3), Won(100), Won(101)}).battles.back().slotCount, 2);
}

TEST(CampaignCareerTest, ScatteredSlotsGiveOtherLayoutAndWrappingSumsThatAddUp) {
  std::mt19937 random(35);
  std::vector<CampaignSlot> slots;
  for (int s = 0; s < 255; ++s)
    if (random() % 3 == 0) slots.push_back(Won(s, INT_MAX - static_cast<int>(random() % 7), INT_MIN + 3));
  const CampaignCareer career = CampaignCareerOfSlots(slots);
  EXPECT_EQ(career.layout, CampaignLayout::kOther);
  ExpectBattlesAddUp(career);
  // Out of order, repeated or outside the list: left out.
  EXPECT_EQ(CampaignCareerOfSlots({Won(5), Won(5), Won(2), Won(255), Won(-1)}).slots.size(), 1u);
}

TEST(CampaignCareerTest, ShortBytesHoldOnlyTheSlotsThatLieWhollyInside) {
  std::vector<std::uint8_t> bytes(44'286 + 48 * 2 + 47, 0);
  bytes[44'286 + 48 * 1 + 24] = 9;  // slot 1's score
  bytes.back() = 1;                 // slot 2, cut short
  const CampaignCareer career = ReadCampaignCareer(bytes);
  ASSERT_EQ(career.slots.size(), 1u);
  EXPECT_EQ(career.slots[0].slot, 1);
  EXPECT_EQ(career.slots[0].score, 9);
  EXPECT_FALSE(career.slots[0].Flown());
}

TEST(SisterGamesTest, KnownSizesNameTheirGame) {
  EXPECT_EQ(SisterGameOfSize(253'754), "X-Wing vs. TIE Fighter");
  EXPECT_EQ(SisterGameOfSize(1'705), "X-Wing");
  EXPECT_EQ(SisterGameOfSize(3'856), "TIE Fighter");
  EXPECT_EQ(SisterGameOfSize(152'076), std::nullopt);
  EXPECT_EQ(SisterGameMessage("a.plt", "X-Wing"),
            "a.plt is an X-Wing pilot file; this program reads X-Wing Alliance pilot files.");
  EXPECT_EQ(SisterGameMessage("b.tfr", "TIE Fighter"),
            "b.tfr is a TIE Fighter pilot file; this program reads X-Wing Alliance pilot files.");
}

}  // namespace
}  // namespace orlenda
