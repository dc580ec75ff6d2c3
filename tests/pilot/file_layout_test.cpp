// The layout pinned to a file the game wrote: a few fields read at literal offsets, whose values were
// checked by hand against the file's bytes, must be what the loader puts into the record. Two fields
// of one type with swapped offsets would pass every round trip through our own writer, but not this.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "pilot/pilot_load.h"
#include "support/file_contents.h"
#include "support/temp_dir.h"

namespace orlenda {
namespace {

using test::Int32At;

TEST(RealPilots, FieldsStandAtTheirOffsetsInAPilotTheGameWrote) {
  const std::filesystem::path dir = test::RealPilotsDir();
  if (dir.empty()) GTEST_SKIP() << "the real pilot files are not beside this checkout";
  const std::string path = (dir / "PickledYoda0.plt").string();
  const std::vector<std::uint8_t> bytes = test::ReadByteVector(path);
  ASSERT_EQ(bytes.size(), kPilotFileSize);
  const LoadResult loaded = LoadPilotFile(path);
  ASSERT_TRUE(loaded.Succeeded());
  const PilotRecord& record = loaded.record;

  EXPECT_EQ(std::string(record.PilotName.data()), "PickledYoda");
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes.data()), 11), "PickledYoda");

  struct Pinned {
    std::size_t offset;
    std::int32_t fileValue;
    std::int32_t recordValue;
  };
  const Pinned pinned[] = {
      {154, 75, record.ToNextRating},
      {158, 67559, record.TODScoreA},
      {69278, 6, record.Rating},
      {69282, 4, record.Rank},
      {69286, 4, record.KalidorStatus},
      {70726, 67559, record.TODScoreB},
      {70734, 1143500, record.TODBonus * 10},
  };
  for (const Pinned& field : pinned) {
    EXPECT_EQ(Int32At(bytes, field.offset), field.fileValue) << "at " << field.offset;
    EXPECT_EQ(field.recordValue, field.fileValue) << "at " << field.offset;
  }
}

}  // namespace
}  // namespace orlenda
