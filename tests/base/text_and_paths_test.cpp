#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "base/file_status.h"
#include "base/user_folders.h"
#include "base/utf16.h"
#include "support/temp_dir.h"

namespace orlenda {
namespace {

TEST(Utf16Test, RoundTripsEveryPlaneAndReplacesWhatIsMalformed) {
  const std::string text = "Pil\xC3\xB6t \xE2\x9C\x88 \xF0\x9F\x9A\x80";  // ö, ✈, a rocket beyond U+FFFF
  const std::u16string wide = Utf16FromUtf8(text);
  EXPECT_EQ(wide, u"Pil\u00F6t \u2708 \U0001F680");
  EXPECT_EQ(Utf8FromUtf16(wide), text);

  EXPECT_EQ(Utf16FromUtf8("a\xFF"
                          "b"),
            u"a\uFFFDb");                                               // a byte that starts nothing
  EXPECT_EQ(Utf16FromUtf8("\xC3"), u"\uFFFD");                          // cut short
  EXPECT_EQ(Utf8FromUtf16(u"x\xD800y"), "x\xEF\xBF\xBDy");              // a lone high surrogate
  EXPECT_EQ(Utf8FromUtf16(std::u16string(1, 0xDC00)), "\xEF\xBF\xBD");  // a lone low surrogate
}

TEST(FileStatusTest, TellsMissingPlainAndOtherPaths) {
  test::TempDir dir;
  const std::string file = dir.File("pilot.plt");
  std::ofstream(file) << "x";
  EXPECT_EQ(KindOf(file), PathKind::kRegular);
  EXPECT_EQ(KindOf(dir.path().string()), PathKind::kOther);
  EXPECT_EQ(KindOf(dir.File("none.plt")), PathKind::kMissing);
  EXPECT_EQ(KindOf(dir.File("no folder/none.plt")), PathKind::kMissing);
  EXPECT_TRUE(IsMissing(dir.File("none.plt")));
  EXPECT_FALSE(IsMissing(file));
  EXPECT_TRUE(IsRegularFile(file));
  EXPECT_FALSE(IsRegularFile(dir.path().string()));
}

TEST(UserFoldersTest, InFolderAddsOneSeparator) {
  const std::string separator(1, static_cast<char>(std::filesystem::path::preferred_separator));
  EXPECT_EQ(InFolder("home", "a.txt"), "home" + separator + "a.txt");
  EXPECT_EQ(InFolder("home/", "a.txt"), "home/a.txt");
  EXPECT_EQ(InFolder("", "a.txt"), "a.txt");
  EXPECT_FALSE(ConfigFolder().empty());
}

}  // namespace
}  // namespace orlenda
