// Every pilot file written by the game reports without error with every section on, and the report's
// totals agree with sums computed here straight from the file's bytes.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <span>

#include "pilot/file_layout.h"
#include "pilot/le_int32.h"
#include "pilot/mission_record.h"
#include "report_test_support.h"
#include "support/file_contents.h"

namespace orlenda {
namespace {

namespace fs = std::filesystem;

class FileBytes {
 public:
  explicit FileBytes(const fs::path& path) : bytes_(test::ReadByteVector(path.string())) {}
  std::int64_t At(std::size_t offset) const {
    std::array<std::uint8_t, 4> four{};
    std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(offset), 4, four.begin());
    return ReadInt32LE(four);
  }
  std::int64_t Field(const Int32Field& f) const { return At(f.offset); }
  template <std::size_t N>
  std::int64_t PositiveSum(const Int32ListField<N>& list) const {
    std::int64_t sum = 0;
    for (std::size_t i = 0; i < N; ++i) sum += std::max<std::int64_t>(0, At(list.offset + 4 * i));
    return sum;
  }

 private:
  std::vector<std::uint8_t> bytes_;
};

// The campaign records up to the first with a zero presence mark: their count and score + bonus / 10.
std::pair<int, std::int64_t> CampaignFromBytes(const FileBytes& file) {
  int count = 0;
  std::int64_t total = 0;
  for (; count < 255; ++count) {
    const std::size_t slot = MissionSlotOffset(field::CampaignMissions, static_cast<std::size_t>(count));
    if (file.At(slot + mission_record::kPresenceMark) == 0) break;
    total += file.At(slot + mission_record::kScore) + file.At(slot + mission_record::kBonus) / 10;
  }
  return {count, total};
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
    lines.push_back(text.substr(start, end - start));
  return lines;
}

// The number after the first line that starts with `prefix`.
std::int64_t NumberAfter(const std::vector<std::string>& lines, const std::string& prefix) {
  const auto line =
      std::find_if(lines.begin(), lines.end(), [&](const std::string& l) { return l.starts_with(prefix); });
  if (line == lines.end()) {
    ADD_FAILURE() << "no line " << prefix;
    return 0;
  }
  return std::stoll(line->substr(prefix.size()));
}

std::size_t IndexOf(const std::vector<std::string>& lines, const std::string& line) {
  return static_cast<std::size_t>(std::find(lines.begin(), lines.end(), line) - lines.begin());
}

class RealPilotReportTest : public ::testing::Test, protected test::ReportFixture {};

TEST_F(RealPilotReportTest, EveryGamePilotReportsWithEverythingOn) {
  const fs::path dir = test::RealPilotsDir();
  if (dir.empty()) GTEST_SKIP() << "the real pilot files are not beside this checkout";
  Settings(
      {"MegaDetails=1", "ShowZeroMissions=1", "ShowMissionTime=1", "ShowErrorDetailes=1", "NameSource=1"});
  int pilots = 0;
  for (const auto& entry : fs::directory_iterator(dir)) {
    if (entry.path().extension() != ".plt") continue;
    ++pilots;
    SCOPED_TRACE(entry.path().filename().string());
    const LoadResult loaded = LoadPilotFile(entry.path().string());
    ASSERT_TRUE(loaded.Succeeded());
    const FileBytes file(entry.path());
    const std::vector<std::string> lines = Lines(Report(loaded.record));

    const std::int64_t total = file.Field(field::TODScoreA) + file.Field(field::TODBonus) / 10 +
                               file.Field(field::AzzScoreB) + file.Field(field::AzzBonus) / 10;
    EXPECT_EQ(NumberAfter(lines, "Total: "), total);
    EXPECT_TRUE(exportLine().find(entry.path().stem().string() + " - Score: " + std::to_string(total)) !=
                std::string::npos)
        << exportLine();

    const auto [missions, campaignTotal] = CampaignFromBytes(file);
    const std::size_t header = IndexOf(lines, "--- Mission details: ----------------------------");
    ASSERT_LT(header + missions + 1, lines.size());
    std::int64_t listed = 0;
    for (int n = 1; n <= missions; ++n) {
      const std::string& line = lines[header + static_cast<std::size_t>(n)];
      ASSERT_TRUE(line.starts_with(std::to_string(n) + ": Tot. Score= ")) << line;
      listed += std::stoll(line.substr(line.find('=') + 2));
    }
    EXPECT_EQ(listed, campaignTotal);
    EXPECT_EQ(lines[header + static_cast<std::size_t>(missions) + 1], "");  // the full details begin

    const std::size_t simHeader = IndexOf(lines, "-- Combat simulator mission details: --");
    ASSERT_LT(simHeader + 257, lines.size());
    for (std::size_t n = 1; n <= 256; ++n)
      ASSERT_TRUE(lines[simHeader + n].starts_with(std::to_string(n) + ": Best Tot. Score= "))
          << lines[simHeader + n];
    EXPECT_EQ(lines[simHeader + 257], "");

    EXPECT_EQ(NumberAfter(lines, "Calculated total: "), file.PositiveSum(field::TODKillsA));
    EXPECT_EQ(NumberAfter(lines, "Total number of player kills: "),
              file.PositiveSum(field::PlayersKilledByRating));
    EXPECT_EQ(NumberAfter(lines, "Total number times killed: "),
              file.PositiveSum(field::KilledByPlayersByRating));
    EXPECT_EQ(NumberAfter(lines, "To players: "), file.PositiveSum(field::KilledByPlayersByRating));
    // The full details close the existing sections; the campaign's battles follow them for every file
    // but the new pilot's, whose campaign the listing shows whole.
    const std::size_t battles = IndexOf(lines, "--- Campaign battles: ----------------------------");
    const bool newPilot = entry.path().filename() == "New0.plt";
    ASSERT_EQ(battles == lines.size(), newPilot);
    EXPECT_EQ(lines[newPilot ? lines.size() - 1 : battles - 2].rfind("From collisions: ", 0), 0u);
    if (!newPilot) {
      EXPECT_EQ(lines.back().rfind("Missions' scores ", 0), 0u);
    }
  }
  EXPECT_EQ(pilots, 8);
}

}  // namespace
}  // namespace orlenda
