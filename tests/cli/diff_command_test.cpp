// orlenda3001-cli diff: the changes between two pilot files as lines and as JSON, the exit statuses of
// diff(1), and real pilots compared with copies changed as players change them.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <nlohmann/json.hpp>

#include "cli_test_support.h"
#include "pilot/file_layout.h"
#include "pilot/le_int32.h"
#include "pilot/mission_record.h"
#include "report/number_text.h"
#include "support/system_wording.h"
#include "tools/sample_pilot.h"

namespace orlenda {
namespace {

namespace fs = std::filesystem;

class DiffCommandTest : public ::testing::Test, protected test::CliFixture {
 protected:
  test::CliRun Diff(const std::vector<std::string>& arguments) {
    std::vector<std::string> all{"diff"};
    all.insert(all.end(), arguments.begin(), arguments.end());
    return test::RunCli(all, environment_);
  }

  // A writable copy of a real pilot file in the test's folder.
  std::string CopyOf(const fs::path& real, const std::string& name) {
    const std::string copy = dir_.File(name);
    fs::copy_file(real, copy);
    fs::permissions(copy, fs::perms::owner_read | fs::perms::owner_write);
    return copy;
  }

  static std::vector<fs::path> RealPilots() {
    std::vector<fs::path> files;
    const fs::path dir = test::RealPilotsDir();
    if (dir.empty()) return files;
    for (const auto& entry : fs::directory_iterator(dir))
      if (entry.path().extension() == ".plt") files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
  }

  static std::string LastLine(const std::string& text) {
    const std::size_t start = text.rfind('\n', text.size() - 2);
    return text.substr(start == std::string::npos ? 0 : start + 1, text.size() - start - 2);
  }
};

TEST_F(DiffCommandTest, APilotAgainstItselfIsIdentical) {
  const std::string path = PilotFile(tools::SamplePilotRecord(), "Red_Kestrel.plt");
  const test::CliRun run = Diff({path, path});
  EXPECT_EQ(run.exitStatus, 0);
  EXPECT_EQ(run.out, "identical\n");
  EXPECT_EQ(run.err, "");

  const test::CliRun json = Diff({"--json", path, path});
  EXPECT_EQ(json.exitStatus, 0);
  const nlohmann::json parsed = nlohmann::json::parse(json.out);
  EXPECT_EQ(parsed["identical"], true);
  EXPECT_EQ(parsed["summary"], "identical");
  EXPECT_EQ(parsed["fields"].size(), 0u);
}

TEST_F(DiffCommandTest, ShowsEachChangeInFileOrderAsTextAndJson) {
  PilotRecord before;
  tools::SetText(before.PilotName, "Red Kestrel");
  before.TODBonus = 50;
  before.TODKillsA[0] = 3;
  before.CampaignMissions[0] = tools::PresentMission(100, 7, 61, 3);
  before.CampaignMissions[1] = tools::PresentMission(200, -3, 62, 4);
  before.SimMissions[0] = tools::PresentMission(300, 0, 90, 1);
  before.SimMissions[1] = tools::PresentMission(500, 10, 95, 2);
  PilotRecord after = before;
  tools::SetText(after.PilotName, "J\xE9r\xF4me");
  tools::SetText(after.MPJoinGameName, "Tab\there \"x\"");  // kept to its line
  after.TODBonus = 55;
  after.TODKillsA[0] = 5;
  after.CampaignMissions[2] = tools::PresentMission(1935, 0, 241, 5);
  after.SimMissions[1].Score = 650;
  after.PlayersKilledByRating[24] = 2;
  after.AzzScoreB = 100;
  const std::string oldPath = PilotFile(before, "old.plt");
  std::vector<std::uint8_t> newBytes = tools::EncodePilotFile(after);
  newBytes[13] = 1;  // bytes that no field reads
  newBytes[20000] = 2;
  const std::string newPath = dir_.File("new.plt");
  tools::WriteBytesToFile(newPath, newBytes);

  const test::CliRun run = Diff({oldPath, newPath});
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out,
            "PilotName: \"Red Kestrel\" -> \"J\u00E9r\u00F4me\"\n"
            "MPJoinGameName: \"\" -> \"Tab\\x09here \\\"x\\\"\"\n"
            "TODKillsA[Xwing]: 3 -> 5\n"
            "+ mission 3: score 1935, time 4:01, bonus 0\n"
            "~ simulator mission 2: score 500 -> 650\n"
            "TODBonus: 50 -> 55\n"
            "PlayersKilledByRating[Jedi Master]: 0 -> 2\n"
            "AzzScoreB: 0 -> 100\n"
            "2 bytes of unknown meaning differ, first at 13\n"
            "CampaignMissionCount: 2 -> 3\n"
            "CampaignTotal: 304 -> 2239\n"
            "Total: 50 -> 155\n"
            "6 fields changed, 1 mission added, 1 mission changed\n");

  const test::CliRun json = Diff({"--json", oldPath, newPath});
  EXPECT_EQ(json.exitStatus, 1);
  const nlohmann::json parsed = nlohmann::json::parse(json.out);
  EXPECT_EQ(parsed["identical"], false);
  ASSERT_EQ(parsed["fields"].size(), 6u);
  EXPECT_EQ(parsed["fields"][0]["new"], "J\u00E9r\u00F4me");
  EXPECT_EQ(parsed["fields"][1]["new"], "Tab\there \"x\"");
  EXPECT_EQ(parsed["fields"][2]["element"], "Xwing");
  EXPECT_EQ(parsed["fields"][2]["offset"], field::TODKillsA.offset);
  EXPECT_EQ(parsed["missions"]["CampaignMissions"]["added"][0]["mission"], 3);
  EXPECT_EQ(parsed["missions"]["CampaignMissions"]["added"][0]["Score"], 1935);
  EXPECT_EQ(parsed["missions"]["SimMissions"]["changed"][0]["new"]["Score"], 650);
  EXPECT_EQ(parsed["missions"]["SimMissions"]["removed"].size(), 0u);
  EXPECT_EQ(parsed["derived"].size(), 3u);
  EXPECT_EQ(parsed["unknownBytes"]["count"], 2);
  EXPECT_EQ(parsed["unknownBytes"]["offsets"], nlohmann::json::array({13, 20000}));
  EXPECT_EQ(parsed["summary"], LastLine(run.out));
}

TEST_F(DiffCommandTest, ActiveMissionMovedBackShowsTheRemovedMissionsAndCounts) {
  const PilotRecord sample = tools::SamplePilotRecord();
  const std::string oldPath = PilotFile(sample, "old.plt");
  const std::string newPath = PilotFile(sample, "new.plt");
  ASSERT_EQ(
      test::RunCli({"update", newPath, "--active-mission", "11", "--drop-scores"}, environment_).exitStatus,
      0);

  // The records from slot 11 to the end of the list leave the file, each named as removed; the
  // campaign total is the career's, over the slots that stay.
  std::int32_t total = 0;
  for (std::size_t i = 0; i < 11; ++i)
    total += sample.CampaignMissions[i].Score + sample.CampaignMissions[i].Bonus;
  std::string expected;
  for (int slot = 11; slot < sample.CampaignMissionCount; ++slot) {
    const MissionEntry& e = sample.CampaignMissions[static_cast<std::size_t>(slot)];
    expected += "- mission " + std::to_string(slot + 1) + ": score " + std::to_string(e.Score) + ", time " +
                MissionTimeText(e.Time, TimeSeconds::kTwoDigits) + ", bonus " + std::to_string(e.Bonus) +
                "\n";
  }
  expected += "CampaignMissionCount: " + std::to_string(sample.CampaignMissionCount) + " -> 11\n";
  expected +=
      "CampaignTotal: " + std::to_string(sample.CampaignTotal) + " -> " + std::to_string(total) + "\n";
  expected += "0 fields changed, " + std::to_string(sample.CampaignMissionCount - 11) + " missions removed\n";
  const test::CliRun run = Diff({oldPath, newPath});
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_EQ(run.out, expected);
}

// A copy whose name bytes alone are written, as an update of the name alone should leave it. (The
// update of today also rewrites the campaign records, setting each one's completed flag; diff then
// shows those bytes among the bytes of unknown meaning.)
// The total conversion's won missions lie past the end of the list that the load reads: the diff
// compares them slot by slot and names their battles.
TEST_F(DiffCommandTest, TotalConversionMissionsAreComparedInTheirBattles) {
  if (test::RealPilotsDir().empty()) GTEST_SKIP() << "the real pilot files are not beside this checkout";
  const std::string oldPath = (test::RealPilotsDir() / "PickledYoda0.plt").string();
  std::vector<std::uint8_t> bytes = test::ReadByteVector(oldPath);
  const std::size_t slot3 = MissionSlotOffset(field::CampaignMissions, 3);
  WriteInt32LE(0, std::span(bytes).subspan(slot3 + mission_record::kScore).first<4>());
  const std::size_t slot5 = MissionSlotOffset(field::CampaignMissions, 5);
  std::fill_n(bytes.begin() + static_cast<std::ptrdiff_t>(slot5), kMissionRecordSize, 0);
  const std::string newPath = dir_.File("damaged.plt");
  ASSERT_TRUE(tools::WriteBytesToFile(newPath, bytes));
  const test::CliRun run = Diff({oldPath, newPath});
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_EQ(run.out,
            "~ mission 4 (battle 1, mission 1): score 2490 -> 0\n"
            "- mission 6 (battle 1, mission 3): score 4194, time 4:02, bonus 0\n"
            "CampaignTotal: 181909 -> 175225\n"
            "0 fields changed, 1 mission removed, 1 mission changed\n");
}

TEST_F(DiffCommandTest, RealPilotWithANewNameShowsExactlyTheNameLine) {
  const auto pilots = RealPilots();
  if (pilots.empty()) GTEST_SKIP() << "the real pilot files are not beside this checkout";
  for (const fs::path& real : pilots) {
    SCOPED_TRACE(real.filename().string());
    std::vector<std::uint8_t> bytes(kPilotFileSize);
    std::ifstream(real, std::ios::binary).read(reinterpret_cast<char*>(bytes.data()), kPilotFileSize);
    const std::string oldName(reinterpret_cast<const char*>(bytes.data()),
                              std::find(bytes.begin(), bytes.begin() + kPilotNameSize, 0) - bytes.begin());
    const char newName[kPilotNameSize] = "Wedge";
    std::copy(newName, newName + kPilotNameSize, bytes.begin() + field::PilotName.offset);
    const std::string renamed = dir_.File("renamed-" + real.filename().string());
    tools::WriteBytesToFile(renamed, bytes);

    const test::CliRun run = Diff({real.string(), renamed});
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_EQ(run.out, "PilotName: \"" + oldName + "\" -> \"Wedge\"\n1 field changed\n");
  }
}

// Every differing byte of two real pilots lies in a reported field or mission record, or is counted
// among the bytes of unknown meaning, whose first offsets are those of the rest in file order.
TEST_F(DiffCommandTest, TwoRealPilotsAsJsonCoverEveryDifferingByte) {
  const auto pilots = RealPilots();
  if (pilots.size() < 2) GTEST_SKIP() << "the real pilot files are not beside this checkout";
  for (std::size_t p = 0; p + 1 < pilots.size(); ++p) {
    SCOPED_TRACE(pilots[p].filename().string() + " " + pilots[p + 1].filename().string());
    const test::CliRun run = Diff({"--json", pilots[p].string(), pilots[p + 1].string()});
    ASSERT_EQ(run.exitStatus, 1) << run.err;
    const nlohmann::json diff = nlohmann::json::parse(run.out);

    const std::string a = Bytes(pilots[p].string());
    const std::string b = Bytes(pilots[p + 1].string());
    std::vector<bool> reported(kPilotFileSize, false);
    auto mark = [&](std::size_t offset, std::size_t size) {
      std::fill_n(reported.begin() + static_cast<std::ptrdiff_t>(offset), size, true);
    };
    for (const auto& f : diff["fields"]) mark(f["offset"], f["size"]);
    for (const auto& list : kMissionListFields) {
      for (const char* kind : {"added", "removed"})
        for (const auto& m : diff["missions"][std::string(list.name)][kind])
          mark(MissionSlotOffset(list, m["mission"].get<std::size_t>() - 1), kMissionRecordSize);
      for (const auto& m : diff["missions"][std::string(list.name)]["changed"])
        for (const std::size_t value :
             {mission_record::kMissionTag, mission_record::kPresenceMark, mission_record::kScore,
              mission_record::kTime, mission_record::kBonus})
          mark(MissionSlotOffset(list, m["mission"].get<std::size_t>() - 1) + value, 4);
    }
    std::vector<std::size_t> unknown;
    for (std::size_t i = 0; i < kPilotFileSize; ++i)
      if (a[i] != b[i] && !reported[i]) unknown.push_back(i);
    EXPECT_EQ(diff["unknownBytes"]["count"].get<std::size_t>(), unknown.size());
    unknown.resize(std::min<std::size_t>(unknown.size(), 100));
    EXPECT_EQ(diff["unknownBytes"]["offsets"].get<std::vector<std::size_t>>(), unknown);
  }
}

// The JSON answer is written piece by piece: it reads as the same object printed whole, members in
// their order, two spaces a level, empty lists as "[]", texts escaped. Checked on an identical pair, on
// texts that need escaping, a bonus changed only in its stored last digit and a mission added, and on
// two real pilots, whose answer runs to thousands of lines.
TEST_F(DiffCommandTest, JsonReadsAsTheSameObjectPrintedWhole) {
  PilotRecord before = tools::SamplePilotRecord();
  before.TODBonus = 50;
  PilotRecord after = before;
  tools::SetText(after.PilotName, "J\xE9r\xF4me \\ \x01\x7F\"");
  after.CampaignMissions[before.CampaignMissionCount] = tools::PresentMission(1935, 0, 241, 5);
  const std::string oldPath = PilotFile(before, "old.plt");
  std::vector<std::uint8_t> newBytes = tools::EncodePilotFile(after);
  WriteInt32LE(501, std::span<std::uint8_t, 4>(newBytes.data() + field::TODBonus.offset, 4));
  const std::string newPath = dir_.File("new.plt");
  tools::WriteBytesToFile(newPath, newBytes);

  std::vector<std::pair<std::string, std::string>> pairs{{oldPath, oldPath}, {oldPath, newPath}};
  if (const auto pilots = RealPilots(); pilots.size() >= 2)
    pairs.emplace_back(pilots[0].string(), pilots[1].string());
  for (const auto& [a, b] : pairs) {
    SCOPED_TRACE(a + " " + b);
    const test::CliRun run = Diff({"--json", a, b});
    ASSERT_NE(run.exitStatus, 2) << run.err;
    std::string whole = nlohmann::ordered_json::parse(run.out).dump(2) + "\n";
    for (std::size_t del = whole.find('\x7F'); del != std::string::npos; del = whole.find('\x7F'))
      whole.replace(del, 1, "\\u007f");  // escaped, as every control character is
    EXPECT_EQ(run.out, whole);
  }
  const nlohmann::json changed = nlohmann::json::parse(Diff({"--json", oldPath, newPath}).out);
  EXPECT_EQ(changed["fields"][0]["new"], "J\u00E9r\u00F4me \\ \x01\x7F\"");
  EXPECT_EQ(changed["fields"][1]["newStored"], 501);
}

TEST_F(DiffCommandTest, TroubleExitsWithTwo) {
  const std::string good = PilotFile(tools::SamplePilotRecord(), "good.plt");
  const std::string shortFile = dir_.File("short.plt");
  std::ofstream(shortFile, std::ios::binary) << std::string(1000, 'x');
  const test::CliRun run = Diff({good, shortFile});
  EXPECT_EQ(run.exitStatus, 2);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, shortFile + ": The file have wrong size. 1000 The plt file must be 152.076 bytes!\n" +
                         shortFile + ": 1 Errors while loading file! This may not be a XWA pilotfile.\n");
  const test::CliRun missing = Diff({dir_.File("gone.plt"), good});
  EXPECT_EQ(missing.exitStatus, 2);
  EXPECT_EQ(missing.err, dir_.File("gone.plt") + ": Unable to open " + dir_.File("gone.plt") + ": " +
                             std::string(test::kNoSuchFile) + ".\n");
  EXPECT_EQ(Diff({good}).exitStatus, 2);
  EXPECT_EQ(Diff({"--no-such-option", good, good}).exitStatus, 2);

#ifndef _WIN32
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full to write to";
  // Nothing can be written to /dev/full: an answer that cannot be written is trouble, not "identical".
  EXPECT_EQ(test::RunCliWithStdout({"diff", good, good}, "/dev/full").exitStatus, 2);
#endif
}

}  // namespace
}  // namespace orlenda
