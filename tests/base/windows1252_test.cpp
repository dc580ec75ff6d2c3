#include "base/windows1252.h"

#include <gtest/gtest.h>

#include <string>

namespace orlenda {
namespace {

TEST(Windows1252, DecodesHighBytesToTheirCharacters) {
  EXPECT_EQ(DecodeWindows1252("Ace"), "Ace");
  EXPECT_EQ(DecodeWindows1252("\x80"), "\u20AC");
  EXPECT_EQ(DecodeWindows1252("J\xF6rg"), "J\u00F6rg");
  EXPECT_EQ(DecodeWindows1252("\x81"), "\u0081") << "undefined bytes keep their value";
}

TEST(Windows1252, EncodesWhatItCanStoreAndRefusesTheRest) {
  EXPECT_EQ(EncodeWindows1252("J\u00F6rg \u20AC"), std::optional<std::string>("J\xF6rg \x80"));
  EXPECT_FALSE(EncodeWindows1252("\u65E5\u672C").has_value());
  EXPECT_FALSE(EncodeWindows1252("\xF6").has_value()) << "not UTF-8";
  for (int b = 1; b < 256; ++b) {
    const std::string byte(1, static_cast<char>(b));
    EXPECT_EQ(EncodeWindows1252(DecodeWindows1252(byte)), byte) << b;
  }
}

TEST(Windows1252, TextFromEitherEncoding) {
  EXPECT_EQ(Utf8FromUtf8OrWindows1252("caf\xC3\xA9"), "caf\u00E9");
  EXPECT_EQ(Utf8FromUtf8OrWindows1252("caf\xE9"), "caf\u00E9");
  EXPECT_FALSE(IsValidUtf8("\xC0\x80")) << "overlong form";
  EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80")) << "surrogate";
}

// ASCII is passed over eight bytes at a time: a character or a broken byte is found wherever it
// falls, across a word's end too.
TEST(Windows1252, FindsEachNonAsciiByteWhereverItFalls) {
  for (std::size_t at = 0; at <= 20; ++at) {
    std::string text(21, 'a');
    EXPECT_FALSE(IsValidUtf8(std::string(text).replace(at, 1, "\xE9"))) << at;
    EXPECT_TRUE(IsValidUtf8(text.insert(at, "\xE2\x82\xAC"))) << at;
    EXPECT_FALSE(IsValidUtf8(text.erase(at + 2, 1))) << "cut short at " << at;
  }
}

}  // namespace
}  // namespace orlenda
