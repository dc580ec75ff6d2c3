// Percentages and mission times as every report section writes them.

#include "report/number_text.h"

#include <gtest/gtest.h>

#include <limits>

namespace orlenda {
namespace {

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

TEST(PercentageText, RoundsToOneDecimalWithHalvesAwayFromZero) {
  EXPECT_EQ(PercentageText(2, 3, "."), "66.7");
  EXPECT_EQ(PercentageText(1, 16, "."), "6.3");  // 6.25 lies on the half
  EXPECT_EQ(PercentageText(3, 3, "."), "100.0");
  EXPECT_EQ(PercentageText(0, 5, "."), "0.0");
  EXPECT_EQ(PercentageText(1, 3, "."), "33.3");
  EXPECT_EQ(PercentageText(1, 80, "."), "1.3");  // 1.25, a half that binary floating point misses
  EXPECT_EQ(PercentageText(-1, 16, "."), "-6.3");
  EXPECT_EQ(PercentageText(kMax, kMax, "."), "100.0");
}

TEST(PercentageText, KeepsFiveSignificantDigitsWhenCoarser) {
  EXPECT_EQ(PercentageText(1234567, 10000, "."), "12346.0");  // 12345.67
  EXPECT_EQ(PercentageText(99999, 1000, "."), "9999.9");      // four integer digits keep the decimal
  EXPECT_EQ(PercentageText(1999999, 20000, "."), "10000.0");  // 9999.995 rounds up into five digits
  EXPECT_EQ(PercentageText(123456, 1, "."), "12346000.0");
  EXPECT_EQ(PercentageText(1234567, 1, "."), "123460000.0");
  EXPECT_EQ(PercentageText(kMax, 1, "."), "214750000000.0");
  EXPECT_EQ(PercentageText(kMin, 1, "."), "-214750000000.0");
}

TEST(PercentageText, UsesTheLocalesDecimalSeparator) {
  EXPECT_EQ(PercentageText(2, 3, ","), "66,7");
  EXPECT_EQ(PercentageText(4, 4, "\u066B"), "100\u066B0");
}

TEST(MissionTimeText, SplitsWholeMinutesOnlyAboveFiftyNineSeconds) {
  EXPECT_EQ(MissionTimeText(0, TimeSeconds::kAsListed), "0:0");
  EXPECT_EQ(MissionTimeText(59, TimeSeconds::kAsListed), "0:59");
  EXPECT_EQ(MissionTimeText(60, TimeSeconds::kAsListed), "1:0");
  EXPECT_EQ(MissionTimeText(125, TimeSeconds::kAsListed), "2:5");
  EXPECT_EQ(MissionTimeText(-5, TimeSeconds::kAsListed), "0:-5");
  EXPECT_EQ(MissionTimeText(-3600, TimeSeconds::kAsListed), "0:-3600");
  EXPECT_EQ(MissionTimeText(kMax, TimeSeconds::kAsListed), "35791394:7");
  EXPECT_EQ(MissionTimeText(kMin, TimeSeconds::kAsListed), "0:-2147483648");
}

TEST(MissionTimeText, TwoDigitSecondsPadOnlyTheSecondsOfAWholeMinute) {
  EXPECT_EQ(MissionTimeText(728, TimeSeconds::kTwoDigits), "12:08");
  EXPECT_EQ(MissionTimeText(0, TimeSeconds::kTwoDigits), "0:00");
  EXPECT_EQ(MissionTimeText(59, TimeSeconds::kTwoDigits), "0:59");
  EXPECT_EQ(MissionTimeText(-5, TimeSeconds::kTwoDigits), "0:-5");
}

}  // namespace
}  // namespace orlenda
