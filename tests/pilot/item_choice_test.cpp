#include "pilot/item_choice.h"

#include <gtest/gtest.h>

#include "pilot/enumerations.h"

namespace orlenda {
namespace {

TEST(ChooseItem, ByIndexOrByTextInAnyCase) {
  EXPECT_EQ(ChooseItem(RankNames(), "5"), 5);
  EXPECT_EQ(ChooseItem(RankNames(), "captain"), 5);
  EXPECT_EQ(ChooseItem(RankNames(), "  LT. COMMANDER\t"), 6);
  EXPECT_EQ(ChooseItem(RatingNames(), "0"), 0);
  EXPECT_EQ(ChooseItem(RatingNames(), "jedi master"), 24);
  EXPECT_EQ(ChooseItem(KalidorStatusNames(), "Kalidor Crescent: Golden Wings"), 5);
  EXPECT_EQ(ChooseItem(MissionIndexNames(), "13 - Rescue Echo Base Prisoners"), 12);
  EXPECT_EQ(ChooseItem(MissionIndexNames(), "19 - kill k'armyn viraxo"), 18) << "the item's trailing blank";
  EXPECT_EQ(ChooseItem(MissionIndexNames(), "210 - <custom mission>"), 209);
  EXPECT_EQ(ChooseItem(MissionIndexNames(), "13"), 13) << "a number is an index, not the item numbered 13";
  EXPECT_EQ(ChooseItem(MissionIndexNames(), " 254 "), 254);
}

TEST(ChooseItem, NothingForValuesOutsideTheList) {
  for (const char* wanted :
       {"9", "-1", "+3", "", "   ", "Admiral", "captainx", "99999999999999999999", "5.0"})
    EXPECT_EQ(ChooseItem(RankNames(), wanted), std::nullopt) << '"' << wanted << '"';
  EXPECT_EQ(ChooseItem(MissionIndexNames(), "255"), std::nullopt);
  EXPECT_EQ(ChooseItem(MissionIndexNames(), " "), std::nullopt) << "blank items are chosen by index only";
}

TEST(ListedItem, OnlyValuesInsideTheList) {
  EXPECT_EQ(ListedItem(9, 8), 8);
  EXPECT_EQ(ListedItem(9, 9), std::nullopt);
  EXPECT_EQ(ListedItem(9, -1), std::nullopt);
  EXPECT_EQ(ListedItem(255, 255), std::nullopt);
}

}  // namespace
}  // namespace orlenda
