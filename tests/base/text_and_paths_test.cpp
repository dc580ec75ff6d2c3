#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#ifndef _WIN32
#include <unistd.h>
#endif

#include "base/ascii_text.h"
#include "base/display_text.h"
#include "base/folder_entries.h"
#include "base/folder_listing.h"
#include "base/grouped_number.h"
#include "base/path_kind.h"
#include "base/path_names.h"
#include "base/user_folders.h"
#include "base/utf16.h"
#include "support/file_contents.h"
#include "support/temp_dir.h"

namespace orlenda {
namespace {

TEST(GroupedNumberTest, GroupsThousandsOfAnyValueWithCommas) {
  EXPECT_EQ(GroupedNumber(0), "0");
  EXPECT_EQ(GroupedNumber(999), "999");
  EXPECT_EQ(GroupedNumber(15490), "15,490");
  EXPECT_EQ(GroupedNumber(-1234567), "-1,234,567");
  EXPECT_EQ(GroupedNumber(INT64_MIN), "-9,223,372,036,854,775,808");
}

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

// A player's own folder often has a name that is not ASCII; it reaches the system whole.
TEST(FileStatusTest, TellsFoldersPlainFilesAndNothingAtAllUnderAnyName) {
  test::TempDir dir;
  const std::string folder = dir.File("J\xC3\xB6rg/Pilots");  // Jörg
  EXPECT_TRUE(NothingAt(folder));
  ASSERT_TRUE(CreateFolders(folder));
  EXPECT_TRUE(CreateFolders(folder)) << "already there";
  EXPECT_TRUE(IsFolder(folder));
  EXPECT_FALSE(NothingAt(folder));
  EXPECT_FALSE(IsPlainFileItself(folder));

  const std::string file = folder + "/K\xC3\xB6tter.plt";
  test::WriteBytes(file, "x");
  EXPECT_TRUE(IsPlainFileItself(file));
  EXPECT_TRUE(IsRegularFile(file));
  EXPECT_FALSE(IsFolder(file));
  EXPECT_FALSE(CreateFolders(file + "/Pilots")) << "a file stands in the way";
  EXPECT_EQ(CanonicalPath(folder + "/../Pilots/./K\xC3\xB6tter.plt"), CanonicalPath(file));
  EXPECT_NE(CanonicalPath(file), CanonicalPath(folder + "/other.plt"));
}

#ifndef _WIN32
TEST(FileStatusTest, LinksAreFollowedOnlyWhereTheNameSaysSo) {
  test::TempDir dir;
  const std::string file = dir.File("pilot.plt");
  test::WriteBytes(file, "x");
  const std::string link = dir.File("link.plt");
  std::filesystem::create_symlink(file, link);
  EXPECT_TRUE(IsRegularFile(link));
  EXPECT_FALSE(IsPlainFileItself(link));
  EXPECT_EQ(CanonicalPath(link), CanonicalPath(file));

  const std::string dangling = dir.File("dangling.plt");
  std::filesystem::create_symlink(dir.File("gone.plt"), dangling);
  EXPECT_TRUE(IsMissing(dangling));
  EXPECT_FALSE(NothingAt(dangling)) << "the link itself is there";
}

TEST(FileStatusTest, AFolderThatMayNotBeLookedIntoIsNotMissing) {
  if (::geteuid() == 0) GTEST_SKIP() << "root may look into every folder";
  test::TempDir dir;
  const std::string folder = dir.File("closed");
  ASSERT_TRUE(CreateFolders(folder));
  test::WriteBytes(folder + "/orlenda3001.ini", "[Orlenda]\n");
  std::filesystem::permissions(folder, std::filesystem::perms::none);
  EXPECT_EQ(KindOf(folder + "/orlenda3001.ini"), PathKind::kUnexaminable);
  EXPECT_FALSE(IsMissing(folder + "/orlenda3001.ini"));
}
#endif

TEST(UserFoldersTest, InFolderAddsOneSeparator) {
  const std::string separator(1, static_cast<char>(std::filesystem::path::preferred_separator));
  EXPECT_EQ(InFolder("home", "a.txt"), "home" + separator + "a.txt");
  EXPECT_EQ(InFolder("home/", "a.txt"), "home/a.txt");
  EXPECT_EQ(InFolder("", "a.txt"), "a.txt");
  EXPECT_FALSE(ConfigFolder().empty());
}

TEST(PathNamesTest, LastComponentAfterEitherSeparator) {
  EXPECT_EQ(LastPathComponent("C:\\XWA\\My.Pilots/Red Two.plt"), "Red Two.plt");
  EXPECT_EQ(LastPathComponent("/home/ace/pilots\\old\\"), "");
  EXPECT_EQ(LastPathComponent("Ace.plt"), "Ace.plt");
  const bool windows = std::filesystem::path::preferred_separator == '\\';
  EXPECT_EQ(WithSystemSeparators("C:\\Games/Steam/steamapps"),
            windows ? "C:\\Games\\Steam\\steamapps" : "C:\\Games/Steam/steamapps");
}

// Only ASCII letters change case: the bytes of UTF-8 and Windows-1252 letters stay, whatever the locale.
TEST(AsciiTextTest, CaseIsFoldedForAsciiLettersOnly) {
  EXPECT_EQ(LowerAscii("Ace.PLT \xC3\x89\xC9"), "ace.plt \xC3\x89\xC9");
  EXPECT_TRUE(SameIgnoringAsciiCase("LastDir", "lastdir"));
  EXPECT_FALSE(SameIgnoringAsciiCase("\xC9", "\xE9"));
  EXPECT_TRUE(EndsWithIgnoringAsciiCase("A.PlT", ".plt"));
  EXPECT_FALSE(EndsWithIgnoringAsciiCase("lt", ".plt"));
  EXPECT_LT(CompareIgnoringAsciiCase("ace", "Bob"), 0);
  EXPECT_EQ(CompareIgnoringAsciiCase("ACE", "ace"), 0);
  EXPECT_GT(CompareIgnoringAsciiCase("ace2", "ace"), 0);
  EXPECT_GT(CompareIgnoringAsciiCase("\xC9", "z"), 0) << "other bytes by their value";
}

TEST(FolderListingTest, EntriesSortedWithTheirKindsAndOnlyThoseWanted) {
  test::TempDir dir;
  const std::string folder = dir.path().string();
  std::ofstream(dir.File("b.PLT")) << "x";
  std::ofstream(dir.File("a.txt")) << "x";
  std::filesystem::create_directory(dir.path() / "c.plt");
  FolderListing listing = ListFolder(folder);
  ASSERT_TRUE(listing.readable);
  ASSERT_EQ(listing.entries.size(), 3u) << "without . and ..";
  EXPECT_EQ(listing.entries[0].name, "a.txt");
  EXPECT_EQ(listing.entries[0].path, WithSystemSeparators(folder + "/a.txt"));
  EXPECT_EQ(listing.entries[1].kind, EntryKind::kFile);
  EXPECT_EQ(listing.entries[2].kind, EntryKind::kFolder);
  listing = ListFolder(folder, [](std::string_view name) { return name.starts_with("a"); });
  ASSERT_EQ(listing.entries.size(), 1u);
  EXPECT_EQ(listing.entries[0].name, "a.txt");
  EXPECT_FALSE(ListFolder(dir.File("missing")).readable);
#ifndef _WIN32
  // A link counts as what it leads to, and says that it is one.
  std::filesystem::create_symlink(dir.File("b.PLT"), dir.File("d"));
  std::filesystem::create_directory_symlink(dir.File("c.plt"), dir.File("e"));
  std::filesystem::create_symlink(dir.File("gone"), dir.File("f"));
  listing = ListFolder(folder);
  ASSERT_EQ(listing.entries.size(), 6u);
  EXPECT_EQ(listing.entries[3].kind, EntryKind::kFile);
  EXPECT_EQ(listing.entries[4].kind, EntryKind::kFolder);
  EXPECT_EQ(listing.entries[5].kind, EntryKind::kBrokenLink);
  EXPECT_TRUE(listing.entries[3].isLink && listing.entries[4].isLink && listing.entries[5].isLink);
  EXPECT_FALSE(listing.entries[2].isLink);
#endif
}

TEST(DisplayTextTest, UnsafeBytesAreEscapedInMessagesAndReplacedInReports) {
  const std::string text =
      "a\x1B[2J\x07"
      "b\xC2\x9B"
      "c\x9B\xFF"
      "d\r\n\x7F"
      "e\t\xC3\x89";
  EXPECT_EQ(EscapedText(text), "a\\x1B[2J\\x07b\\xC2\\x9Bc\\x9B\\xFFd\\x0D\\x0A\\x7Fe\t\xC3\x89");
  EXPECT_EQ(ReportText(text), "a?[2J?b?c??d???e\t\xC3\x89");
  const std::string ordinary = "Keyan Farlan \xE2\x80\x93 J\xC3\xA9r\xC3\xB4me \xE2\x80\xBA";
  EXPECT_EQ(EscapedText(ordinary), ordinary);
  EXPECT_EQ(ReportText(ordinary), ordinary);
}

}  // namespace
}  // namespace orlenda
