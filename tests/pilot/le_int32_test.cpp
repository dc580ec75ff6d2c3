#include "pilot/le_int32.h"

#include <gtest/gtest.h>

#include <array>
#include <limits>

namespace orlenda {
namespace {

TEST(LittleEndianInt32, ReadsLiteralBytesLowByteFirst) {
  const std::array<std::uint8_t, 4> one{0x01, 0x00, 0x00, 0x00};
  const std::array<std::uint8_t, 4> mixed{0x78, 0x56, 0x34, 0x12};
  const std::array<std::uint8_t, 4> minusOne{0xFF, 0xFF, 0xFF, 0xFF};
  const std::array<std::uint8_t, 4> lowest{0x00, 0x00, 0x00, 0x80};
  EXPECT_EQ(ReadInt32LE(one), 1);
  EXPECT_EQ(ReadInt32LE(mixed), 0x12345678);
  EXPECT_EQ(ReadInt32LE(minusOne), -1);
  EXPECT_EQ(ReadInt32LE(lowest), std::numeric_limits<std::int32_t>::min());
}

TEST(LittleEndianInt32, WriteIsTheInverseOfRead) {
  for (std::int32_t value : {0, 1, -1, 152076, -15, std::numeric_limits<std::int32_t>::max(),
                             std::numeric_limits<std::int32_t>::min()}) {
    std::array<std::uint8_t, 4> bytes{};
    WriteInt32LE(value, bytes);
    EXPECT_EQ(ReadInt32LE(bytes), value);
  }
  std::array<std::uint8_t, 4> bytes{};
  WriteInt32LE(-2, bytes);
  EXPECT_EQ(bytes, (std::array<std::uint8_t, 4>{0xFE, 0xFF, 0xFF, 0xFF}));
}

TEST(WrappingArithmetic, WrapsLikeTheFilesInt32) {
  constexpr auto max = std::numeric_limits<std::int32_t>::max();
  constexpr auto min = std::numeric_limits<std::int32_t>::min();
  EXPECT_EQ(WrappingAdd(max, 1), min);
  EXPECT_EQ(WrappingAdd(min, -1), max);
  EXPECT_EQ(WrappingAdd(-5, 3), -2);
  EXPECT_EQ(WrappingMultiply(max, 10), -10);
  EXPECT_EQ(WrappingMultiply(-123, 10), -1230);
}

TEST(StoredTimesTen, TruncatesTowardZero) {
  EXPECT_EQ(StoredTimesTenToValue(1239), 123);
  EXPECT_EQ(StoredTimesTenToValue(-15), -1);
  EXPECT_EQ(StoredTimesTenToValue(9), 0);
  EXPECT_EQ(StoredTimesTenToValue(-9), 0);
  EXPECT_EQ(StoredTimesTenToValue(std::numeric_limits<std::int32_t>::min()), -214748364);
}

}  // namespace
}  // namespace orlenda
