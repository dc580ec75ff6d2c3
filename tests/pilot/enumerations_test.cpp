#include "pilot/enumerations.h"

#include <gtest/gtest.h>

namespace orlenda {
namespace {

TEST(Enumerations, ListsHaveTheirSizesAndEnds) {
  ASSERT_EQ(RankNames().size(), 9u);
  EXPECT_EQ(RankNames()[0], "Recruit");
  EXPECT_EQ(RankNames()[8], "General");
  ASSERT_EQ(RatingNames().size(), 25u);
  EXPECT_EQ(RatingNames()[0], "Target Drone");
  EXPECT_EQ(RatingNames()[24], "Jedi Master");
  ASSERT_EQ(KalidorStatusNames().size(), 7u);
  EXPECT_EQ(KalidorStatusNames()[6], "Kalidor Crescent: Diamond Eyes");
  ASSERT_EQ(CraftTypeLabels().size(), 231u);
}

TEST(Enumerations, MissionIndexCoversNamedCustomEmptyAndBlank) {
  const auto names = MissionIndexNames();
  ASSERT_EQ(names.size(), 255u);
  EXPECT_EQ(names[0], "01 - Aeron's Lesson: Transport Operations");
  EXPECT_EQ(names[12], "13 - Rescue Echo Base Prisoners");
  EXPECT_EQ(names[18], "19 - Kill K'Armyn Viraxo ");  // the trailing blank is the game's
  EXPECT_EQ(names[21], "22 - Destroy Imperial Research Facility ");
  EXPECT_EQ(names[40], "41 - Recover Family Data Core ");
  EXPECT_EQ(names[52], "53 - Phase 4: Death Star Tunnel Run");
  EXPECT_EQ(names[53], "54 - <custom mission>");
  EXPECT_EQ(names[209], "210 - <custom mission>");
  EXPECT_EQ(names[249], "250 - <custom mission>");
  for (std::size_t k = 250; k <= 253; ++k) EXPECT_EQ(names[k], "") << k;
  EXPECT_EQ(names[254], " ");
}

TEST(Enumerations, CraftLabelsPutOneTwoOrThreeTabsBeforeTheColon) {
  const auto labels = CraftTypeLabels();
  EXPECT_EQ(labels[0], "Xwing\t\t\t:");
  EXPECT_EQ(labels[4], "TIE Fighter\t\t:");
  EXPECT_EQ(labels[35], "Rebel Med Transport\t:");
  EXPECT_EQ(labels[50], "Interdictor,Starship\t\t:");
  EXPECT_EQ(labels[107], "Freight Transport/H\t:");
  EXPECT_EQ(labels[116], "TIE Experimental M4\t:");
  EXPECT_EQ(labels[119], "Razor Fighter\t\t:");
  EXPECT_EQ(labels[182], "BACKDROP\t\t:");
  EXPECT_EQ(labels[183], "184\t\t\t:");
  EXPECT_EQ(labels[203], "204\t\t\t:");
  EXPECT_EQ(labels[225], "226\t\t\t:");
  EXPECT_EQ(labels[226], "Death Star II\t\t:");
  EXPECT_EQ(labels[227], "Calamari Cruiser Type 2\t:");
  EXPECT_EQ(labels[229], "Imp Star Dest II\t\t:");
  EXPECT_EQ(labels[230], "231\t\t\t:");
}

TEST(Enumerations, ItemTextRefusesValuesOutsideTheList) {
  EXPECT_EQ(ItemText(RankNames(), 5), "Captain");
  EXPECT_FALSE(ItemText(RankNames(), 9).has_value());
  EXPECT_FALSE(ItemText(RankNames(), -1).has_value());
  EXPECT_FALSE(ItemText(MissionIndexNames(), 255).has_value());
}

}  // namespace
}  // namespace orlenda
