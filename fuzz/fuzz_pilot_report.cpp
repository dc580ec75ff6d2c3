// A pilot file of any content, loaded and, when the load succeeds, reported with every section on:
// nothing may crash, hang or read out of bounds, and the report must keep the promises its callers
// rely on (the range comes back in order, a rebuild gives the same text, a failed conversion leaves
// the export line as it was, every line is UTF-8). The rebuild, which doubles the cost of an input,
// runs for a sample of inputs (fuzz_sampling.h); every input checks that the corrected range is one
// that correction leaves alone, and that the listing alone is the report's own. The career model of
// every loaded file keeps its sums and battles, and the active mission's limit holds.
//
// Input: a whole pilot file, or a pilot file given by its edits, each with a description of the run
// (fuzz/pilot_input.h).

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "fuzz_check.h"
#include "fuzz_sampling.h"
#include "pilot/campaign_career.h"
#include "pilot/campaign_move.h"
#include "pilot/pilot_load.h"
#include "pilot/pilot_record.h"
#include "pilot_input.h"

#ifdef ORLENDA_FUZZ_WITH_REPORT
#include "base/windows1252.h"
#include "packed_lines.h"
#include "report/campaign_listing.h"
#include "report/file_stem.h"
#include "report/mission_range.h"
#include "report/rip_pilot.h"
#include "report/text_sink.h"
#include "settings/settings_snapshot.h"
#endif

namespace orlenda::fuzz {
namespace {

struct RunDescription {
  MissionRange range;
  std::string nameSource;
  std::string scoreFormat;
  std::uint8_t flags = 0;
  std::size_t shortReadLength = 0;  // 0: the whole file was read
  std::string path;
};

enum Flag : std::uint8_t {
  kIncludeDate = 1 << 0,
  kHideMissionScore = 1 << 1,
  kHideMissionBonus = 1 << 2,
  kHideMissionTotal = 1 << 3,
  kShowMissionTime = 1 << 4,
  kCommaSeparator = 1 << 5,
  kShortRead = 1 << 6,
  kHideZeroMissions = 1 << 7,
};

// Texts a choice setting may hold in a user's file: the three items, values beyond them, and texts
// that do not convert.
std::string ChoiceText(std::uint8_t pick) {
  static const std::array<std::string_view, 10> texts = {"0", "1",   "2", "3",  "-1",
                                                         "7", "abc", "",  " 1", "2147483648"};
  return std::string(texts[pick % texts.size()]);
}

RunDescription DescribeRun(const PilotRun& fields) {
  RunDescription run;
  run.range.From = fields.from;
  run.range.To = fields.to;
  run.nameSource = ChoiceText(fields.nameSourcePick);
  run.scoreFormat = ChoiceText(fields.scoreFormatPick);
  run.flags = fields.flags;
  if ((run.flags & kShortRead) != 0)
    run.shortReadLength = static_cast<std::uint32_t>(fields.cut) % kPilotFileSize;
  run.path = fields.path;
  return run;
}

std::int32_t Wrapped(std::int64_t sum) { return static_cast<std::int32_t>(static_cast<std::uint32_t>(sum)); }

// The career model of any file: every held slot lies in exactly one battle, and the battles add up to
// the career, wrapping as the file's int32; the load's list is held, slot by slot.
void CheckCareer(const PilotRecord& record) {
  const CampaignCareer career = CampaignCareerOf(record);
  std::int64_t score = 0, bonus = 0;
  int won = 0;
  for (const CampaignBattle& battle : career.battles) {
    score += battle.score;
    bonus += battle.bonus;
    won += battle.missionsWon;
    ORLENDA_FUZZ_CHECK(battle.missionsWon <= battle.slotCount);
    ORLENDA_FUZZ_CHECK((battle.status == BattleStatus::kComplete) ==
                       (battle.slotCount > 0 && battle.missionsWon == battle.slotCount));
  }
  ORLENDA_FUZZ_CHECK(Wrapped(score) == career.scoreSum && Wrapped(bonus) == career.bonusSum);
  ORLENDA_FUZZ_CHECK(won == career.missionsWon);
  int previous = -1;
  for (const CampaignSlot& slot : career.slots) {
    ORLENDA_FUZZ_CHECK(slot.slot > previous && career.SlotAt(slot.slot) == &slot);
    previous = slot.slot;
    int holders = 0;
    for (const CampaignBattle& battle : career.battles) holders += battle.Holds(slot.slot) ? 1 : 0;
    ORLENDA_FUZZ_CHECK(holders == 1);
    ORLENDA_FUZZ_CHECK(!CampaignMissionLabel(career, slot.slot).empty());
  }
  for (int i = 0; i < record.CampaignMissionCount; ++i) ORLENDA_FUZZ_CHECK(career.SlotAt(i) != nullptr);
}

// The furthest move of the active mission that the box allows overwrites nothing the load did not
// read; one mission further does.
void CheckActiveMissionLimit(const PilotRecord& record) {
  const int furthest = FurthestActiveMission(record);
  ORLENDA_FUZZ_CHECK(furthest >= 0 && furthest <= static_cast<int>(kMissionSlotCount) - 1);
  ORLENDA_FUZZ_CHECK(!CampaignMoveRefusal(furthest, record));
  const bool limited = ActiveMissionLimitNote(record).has_value();
  if (furthest < static_cast<int>(kMissionSlotCount) - 1) {
    ORLENDA_FUZZ_CHECK(limited && CampaignMoveRefusal(furthest + 1, record).has_value());
  }
}

#ifdef ORLENDA_FUZZ_WITH_REPORT

std::string Flag(bool on) { return on ? "1" : "0"; }

// The settings for this run, every section of the report on (the listings with or without the missions
// that hold nothing, as the run says), read from INI text as from the file. Runs differ only in their
// flags and two choices, so the same few thousand texts come back again and again: each is parsed once.
const SettingsSnapshot& SettingsFor(const RunDescription& run) {
  static std::unordered_map<std::string, SettingsSnapshot> parsed;
  const std::string text =
      "[Orlenda]\r\nMegaDetails=1\r\nShowErrorDetailes=1\r\nCheckCheat=1\r\n"
      "ShowZeroMissions=" +
      Flag((run.flags & kHideZeroMissions) == 0) + "\r\n" +
      "IncludeDate=" + Flag((run.flags & kIncludeDate) != 0) + "\r\n" +
      "ShowMissionScore=" + Flag((run.flags & kHideMissionScore) == 0) + "\r\n" +
      "ShowMissionBonus=" + Flag((run.flags & kHideMissionBonus) == 0) + "\r\n" +
      "ShowMissionTotal=" + Flag((run.flags & kHideMissionTotal) == 0) + "\r\n" +
      "ShowMissionTime=" + Flag((run.flags & kShowMissionTime) != 0) + "\r\n" +
      "NameSource=" + run.nameSource + "\r\nScoreFormat=" + run.scoreFormat + "\r\n";
  auto found = parsed.find(text);
  if (found == parsed.end()) found = parsed.emplace(text, SettingsSnapshot::OfText(text)).first;
  return found->second;
}

// One build of the report. The builds are kept from one input to the next, so that their lines reuse
// the memory of the last input's.
struct Build {
  bool converted = true;
  PackedLines lines;
  std::string exportLine;
  MissionRange range;
};

void BuildReport(const PilotRecord& record, const SettingsReader& settings, const ReportContext& context,
                 MissionRange range, Build& build) {
  static const std::string kBefore = "(the export line before the build)";
  build.converted = true;
  build.lines.Clear();
  build.exportLine = kBefore;
  try {
    RipPilot(record, settings, context, range, build.lines, build.exportLine);
  } catch (const SettingsError&) {
    build.converted = false;
    ORLENDA_FUZZ_CHECK(build.exportLine == kBefore);
  }
  build.range = range;
  // Everything the report writes goes to a text window, standard output or the main log: all UTF-8,
  // whatever bytes the file or its name hold.
  for (std::size_t i = 0; i < build.lines.size(); ++i) ORLENDA_FUZZ_CHECK(IsValidUtf8(build.lines[i]));
  ORLENDA_FUZZ_CHECK(IsValidUtf8(build.exportLine));
}

void Report(const PilotRecord& record, const RunDescription& run, bool rebuild) {
  const SettingsSnapshot& settings = SettingsFor(run);
  ReportContext context;
  context.decimalSeparator = (run.flags & kCommaSeparator) != 0 ? "," : ".";
  context.today = "08.12.2026";

  static Build first;
  BuildReport(record, settings, context, run.range, first);
  if (!first.converted) return;
  const MissionRange& range = first.range;
  ORLENDA_FUZZ_CHECK(0 <= range.From && range.From <= range.To && range.To <= record.CampaignMissionCount);
  MissionRange corrected = range;
  NormaliseMissionRange(corrected, record.CampaignMissionCount);
  ORLENDA_FUZZ_CHECK(corrected.From == range.From && corrected.To == range.To);

  // "Get Mission Scores" with the range the user typed appends the listing alone: the one the report
  // holds.
  static PackedLines listing;
  listing.Clear();
  MissionRange typed = run.range;
  AppendCampaignListing(record, settings, typed, listing);
  ORLENDA_FUZZ_CHECK(!listing.empty());
  ORLENDA_FUZZ_CHECK(first.lines.Holds(listing));
  (void)GetFileStem(run.path);

  // "Get everything" with the corrected range builds the same report again, marked at most once.
  if (!rebuild) return;
  static Build again;
  BuildReport(record, settings, context, range, again);
  ORLENDA_FUZZ_CHECK(again.converted && again.lines == first.lines && again.exportLine == first.exportLine);
}

#endif

}  // namespace
}  // namespace orlenda::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace orlenda;
  using namespace orlenda::fuzz;
  // The file is built in this buffer, which keeps its memory from one input to the next: the load takes
  // it over as the record's copy of the file, as it takes over the bytes of a file it reads, and it
  // comes back after the report. A fresh copy for each input, under AddressSanitizer, costs more than
  // the rest of the work.
  static std::vector<std::uint8_t> buffer;
  const PilotInput input = ReadPilotInput({data, size}, buffer);
  const RunDescription run = DescribeRun(input.run);
  std::span<const std::uint8_t> file = input.bytes;
  if (run.shortReadLength != 0) file = file.first(std::min(run.shortReadLength, file.size()));
  if (file.data() == buffer.data()) {
    buffer.resize(file.size());
  } else {
    buffer.assign(file.begin(), file.end());
  }

  LoadResult loaded = LoadPilotBytes(std::move(buffer), input.fileSize, run.path);
  ORLENDA_FUZZ_CHECK(loaded.Succeeded() == loaded.messages.empty());
  if (!loaded.Succeeded()) return 0;
  CheckCareer(loaded.record);
  CheckActiveMissionLimit(loaded.record);
#ifdef ORLENDA_FUZZ_WITH_REPORT
  Report(loaded.record, run, RunsFullCheck({data, size}));
#endif
  buffer = std::move(loaded.record.BytesOnDisk);
  return 0;
}
