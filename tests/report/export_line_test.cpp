// The export line in every name source and score format, its date and error mark, the file stem it
// takes names from, and the settings it reads with odd values.

#include <gtest/gtest.h>

#include "report/file_stem.h"
#include "report_test_support.h"
#include "settings/settings_ini.h"

namespace orlenda {
namespace {

// Wedge: TOD 1000 + 50, Azz 200 + 5; the copies agree unless a test says otherwise.
PilotRecord Wedge(const std::string& path = "C:\\XWA\\Red_Leader one.plt") {
  PilotRecord record;
  tools::SetText(record.PilotName, "Wedge");
  record.TODScoreA = record.TODScoreB = record.TODScoreC = record.TODScoreD = 1000;
  record.TODBonus = 50;
  record.AzzScoreB = record.AzzScoreC = record.AzzScoreD = 200;
  record.AzzBonus = 5;
  record.PilotFileName = path;
  return record;
}

class ExportLineTest : public ::testing::Test, protected test::ReportFixture {
 protected:
  std::string ExportLine(const PilotRecord& record, const std::vector<std::string>& settings) {
    Settings(settings);
    Report(record);
    return exportLine();
  }
};

TEST_F(ExportLineTest, ScoreFormats) {
  const PilotRecord wedge = Wedge();
  EXPECT_EQ(ExportLine(wedge, {"NameSource=0", "ScoreFormat=0"}), "Wedge - Score: 1255");
  EXPECT_EQ(ExportLine(wedge, {"NameSource=0", "ScoreFormat=1"}), "Wedge - Score: 1255 (1200+55)");
  EXPECT_EQ(ExportLine(wedge, {"NameSource=0", "ScoreFormat=2"}), "Wedge - Score: 1200+55");
  EXPECT_EQ(ExportLine(wedge, {"NameSource=0", "ScoreFormat=3"}), "Wedge");
  EXPECT_EQ(ExportLine(wedge, {"NameSource=0", "ScoreFormat=-1"}), "Wedge");
  EXPECT_EQ(ExportLine(wedge, {}), "Red - Score: 1255 (1200+55)");  // defaults: NameSource 2, ScoreFormat 1
}

TEST_F(ExportLineTest, NameSources) {
  EXPECT_EQ(ExportLine(Wedge(), {"NameSource=1", "ScoreFormat=3"}), "Red_Leader one");
  EXPECT_EQ(ExportLine(Wedge(), {"NameSource=2", "ScoreFormat=3"}), "Red");
  EXPECT_EQ(ExportLine(Wedge("/home/ace/XWA/Red_Leader one.plt"), {"NameSource=1", "ScoreFormat=3"}),
            "Red_Leader one");
  EXPECT_EQ(ExportLine(Wedge("/home/ace/XWA/Blue Two_b.plt"), {"NameSource=2", "ScoreFormat=3"}), "Blue");
  EXPECT_EQ(ExportLine(Wedge("C:\\XWA\\_x.plt"), {"NameSource=2", "ScoreFormat=0"}), " - Score: 1255");
  EXPECT_EQ(ExportLine(Wedge(), {"NameSource=-1", "ScoreFormat=3"}), "John Doe");
  EXPECT_EQ(ExportLine(Wedge(), {"NameSource=7", "ScoreFormat=3"}), "John Doe");
}

TEST_F(ExportLineTest, PilotNameIsDecodedAndMayFillItsField) {
  PilotRecord record = Wedge();
  tools::SetText(record.PilotName, "J\xE9r\xF4me Tr\x80s 1");  // 13 bytes, no zero byte
  EXPECT_EQ(ExportLine(record, {"NameSource=0", "ScoreFormat=3"}), "J\u00E9r\u00F4me Tr\u20ACs 1");
}

// A line end in a file or pilot name would split the log line in two.
TEST_F(ExportLineTest, LineEndsInNamesBecomeQuestionMarks) {
  PilotRecord record = Wedge("/home/ace/Red\r\nLeader one.plt");
  tools::SetText(record.PilotName, "We\rdge\n");
  EXPECT_EQ(ExportLine(record, {"NameSource=0", "ScoreFormat=0"}), "We?dge? - Score: 1255");
  EXPECT_EQ(ExportLine(record, {"NameSource=1", "ScoreFormat=3"}), "Red??Leader one");
}

TEST_F(ExportLineTest, DateOpensTheLineWhenIncludeDateIsExactlyOne) {
  EXPECT_EQ(ExportLine(Wedge(), {"IncludeDate=1", "NameSource=2", "ScoreFormat=0"}),
            "24/12/2025 Red - Score: 1255");
  EXPECT_EQ(ExportLine(Wedge("C:\\XWA\\_x.plt"), {"IncludeDate=1", "ScoreFormat=3"}), "24/12/2025 ");
  for (const char* off : {"IncludeDate=0", "IncludeDate=", "IncludeDate=true", "IncludeDate=2",
                          "IncludeDate=01", "IncludeDate=1 x"}) {
    EXPECT_EQ(ExportLine(Wedge(), {off, "ScoreFormat=3"}), "Red") << off;
  }
  // The settings file's own blanks around a value are not part of it.
  EXPECT_EQ(ExportLine(Wedge(), {"IncludeDate= 1", "ScoreFormat=3"}), "24/12/2025 Red");
  EXPECT_EQ(ExportLine(Wedge(), {"includedate=1", "ScoreFormat=3"}), "24/12/2025 Red");
}

TEST_F(ExportLineTest, ErrorMarkIsAppliedOnceWhenTheCheckCountsErrors) {
  PilotRecord record = Wedge();
  record.TODScoreB = 1;
  record.TODScoreD = 2;
  Settings({"NameSource=0", "ScoreFormat=1"});
  Report(record);
  EXPECT_EQ(exportLine(), "! Wedge - Score: 1255 (1200+55) ! Errors in file!");
  Report(record);  // "Get everything"
  EXPECT_EQ(exportLine(), "! Wedge - Score: 1255 (1200+55) ! Errors in file!");
  Settings({"NameSource=0", "ScoreFormat=1", "CheckCheat=0"});
  Report(record);
  EXPECT_EQ(exportLine(), "Wedge - Score: 1255 (1200+55)");
}

TEST_F(ExportLineTest, OddChoiceValues) {
  EXPECT_EQ(ExportLine(Wedge(), {"NameSource= 1", "ScoreFormat=3"}), "Red_Leader one");
  EXPECT_EQ(ExportLine(Wedge(), {"namesource=0", "SCOREFORMAT=0"}), "Wedge - Score: 1255");
  EXPECT_EQ(ExportLine(Wedge(), {"NameSource=+0", "ScoreFormat=-0"}), "Wedge - Score: 1255");
}

// A choice that is not a decimal integer stops the build after the summary block; the export line
// keeps what it held.
TEST_F(ExportLineTest, UnconvertibleChoiceStopsTheBuildAfterTheSummary) {
  const struct {
    std::vector<std::string> settings;
    std::string message;
  } cases[] = {
      {{"NameSource=abc"}, "'abc' is not a valid integer value"},
      {{"NameSource="}, "'' is not a valid integer value"},
      {{"NameSource=true"}, "'true' is not a valid integer value"},
      {{"NameSource=0", "ScoreFormat=1.5"}, "'1.5' is not a valid integer value"},
      {{"NameSource=99999999999"}, "'99999999999' is not a valid integer value"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    Settings(c.settings);
    exportLine() = "kept";
    MissionRange range{3, 9};
    LineCollector sink;
    sink.AppendLine("from an earlier build");
    try {
      RipPilot(Wedge(), store(), context(), range, sink, exportLine());
      ADD_FAILURE() << "no error";
    } catch (const SettingsError& e) {
      EXPECT_EQ(std::string(e.what()), c.message);
    }
    EXPECT_EQ(sink.lines().size(), 8u);
    EXPECT_EQ(sink.lines().front(), "Name: Wedge");
    EXPECT_EQ(sink.lines().back(), "Total: 1255");
    EXPECT_EQ(exportLine(), "kept");
    EXPECT_EQ(range.From, 3);  // the listing never ran
  }
}

TEST(GetFileStem, LastComponentWithoutExtension) {
  EXPECT_EQ(GetFileStem(""), "");
  EXPECT_EQ(GetFileStem("C:\\XWA\\My.Pilots\\Red Two.plt"), "Red Two");
  EXPECT_EQ(GetFileStem("C:\\XWA\\Red.Two.plt"), "Red.Two");
  EXPECT_EQ(GetFileStem("/home/ace/XWA/Red_Leader one.plt"), "Red_Leader one");
  EXPECT_EQ(GetFileStem("/home/ace/my.pilots/Red"), "Red");
  EXPECT_EQ(GetFileStem("/home/ace\\mixed/dir\\Gold.plt"), "Gold");
  EXPECT_EQ(GetFileStem("Gold Five.plt"), "Gold Five");
  EXPECT_EQ(GetFileStem("C:\\XWA\\"), "");
  EXPECT_EQ(GetFileStem("/home/ace/.plt"), "");
}

}  // namespace
}  // namespace orlenda
