// The pilot files written by the game itself must load and give sane values; pilot files of the
// sister games must be refused with the size message and named.

#include <gtest/gtest.h>

#include <filesystem>

#include "pilot/enumerations.h"
#include "pilot/pilot_load.h"
#include "support/temp_dir.h"

namespace orlenda {
namespace {

namespace fs = std::filesystem;

std::vector<fs::path> PilotFilesIn(const fs::path& dir) {
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(dir))
    if (entry.is_regular_file() && entry.path().extension() == ".plt") files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  return files;
}

TEST(RealPilots, EveryGamePilotLoadsWithSaneValues) {
  const fs::path dir = test::RealPilotsDir();
  if (dir.empty()) GTEST_SKIP() << "the real pilot files are not beside this checkout";
  const auto files = PilotFilesIn(dir);
  ASSERT_EQ(files.size(), 8u);
  for (const fs::path& file : files) {
    SCOPED_TRACE(file.filename().string());
    const LoadResult result = LoadPilotFile(file.string());
    ASSERT_TRUE(result.Succeeded()) << result.messages.front();
    const PilotRecord& r = result.record;
    EXPECT_TRUE(ItemText(RankNames(), r.Rank).has_value());
    EXPECT_TRUE(ItemText(RatingNames(), r.Rating).has_value());
    EXPECT_TRUE(ItemText(KalidorStatusNames(), r.KalidorStatus).has_value());
    EXPECT_GE(r.TODScoreA, 0);
    EXPECT_GE(r.TODMissilesFired, r.TODMissileHits);
    std::int64_t total = 0;
    for (std::size_t i = 0; i < r.CampaignMissionCount; ++i) {
      EXPECT_NE(r.CampaignMissions[i].PresenceMark, 0);
      EXPECT_GE(r.CampaignMissions[i].Time, 0);
      total += r.CampaignMissions[i].Score + r.CampaignMissions[i].Bonus;
    }
    EXPECT_EQ(r.CampaignTotal, total);
  }
}

TEST(RealPilots, SisterGamePilotsAreRefusedBySizeAndNamed) {
  const fs::path dir = test::RealPilotsDir();
  if (dir.empty()) GTEST_SKIP() << "the real pilot files are not beside this checkout";
  const std::tuple<const char*, const char*, const char*> cases[] = {
      {"9555XvTTC1210.plt", "253754", "an X-Wing vs. TIE Fighter"}, {"VANGUARD717.PLT", "1705", "an X-Wing"}};
  for (const auto& [name, size, game] : cases) {
    const std::string path = (dir / "other-games" / name).string();
    const LoadResult result = LoadPilotFile(path);
    ASSERT_EQ(result.messages.size(), 3u) << name;
    EXPECT_EQ(result.messages[2],
              path + " is " + game + " pilot file; this program reads X-Wing Alliance pilot files.");
    EXPECT_EQ(result.messages[0],
              std::string("The file have wrong size. ") + size + " The plt file must be 152.076 bytes!");
    EXPECT_EQ(result.messages[1], "1 Errors while loading file! This may not be a XWA pilotfile.");
  }
}

}  // namespace
}  // namespace orlenda
