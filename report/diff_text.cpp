#include "report/diff_text.h"

#include <set>
#include <string>
#include <string_view>
#include <utility>

#include "base/display_text.h"
#include "report/number_text.h"

namespace orlenda {
namespace {

// A text in double quotes; a quote and a backslash are escaped, and what may not reach a terminal is
// shown as \xNN, so that a text from a damaged file keeps to its one line and its end is seen.
std::string Quoted(const std::string& text) {
  std::string quoted;
  for (const char c : text) {
    if (c == '\t') {
      quoted += "\\x09";  // a quoted text shows even its tabs
      continue;
    }
    if (c == '"' || c == '\\') quoted += '\\';
    quoted += c;
  }
  // Appended in steps: GCC 12's optimiser reads `"\"" + text` as an overlapping copy (-Wrestrict).
  std::string shown = "\"";
  shown += EscapedText(quoted);
  shown += '"';
  return shown;
}

// The lines are built by appending to one buffer, which the whole text reuses from line to line.

void AppendValueText(std::string& line, const FieldValue& value) {
  if (const auto* number = std::get_if<std::int32_t>(&value))
    AppendIntText(line, *number);
  else
    line += Quoted(std::get<std::string>(value));
}

// The arrow of every change in the diff's text: ASCII, as scripts that read the text match it.
constexpr std::string_view kArrow = " -> ";

void AppendChange(std::string& line, std::int32_t oldValue, std::int32_t newValue) {
  AppendIntText(line, oldValue);
  line += kArrow;
  AppendIntText(line, newValue);
}

void AppendTimeChange(std::string& line, std::int32_t oldSeconds, std::int32_t newSeconds) {
  AppendMissionTimeText(line, oldSeconds, TimeSeconds::kTwoDigits);
  line += kArrow;
  AppendMissionTimeText(line, newSeconds, TimeSeconds::kTwoDigits);
}

void AppendStoredNote(std::string& line, std::int32_t oldStored, std::int32_t newStored) {
  line += " (stored ";
  AppendChange(line, oldStored, newStored);
  line += ')';
}

void WriteFieldLine(std::string& line, const FieldDifference& d) {
  line.assign(d.field);
  if (d.element) {
    line += '[';
    if (d.elementName.empty())
      AppendIntText(line, *d.element);
    else
      line += d.elementName;
    line += ']';
  }
  line += ": ";
  AppendValueText(line, d.oldValue);
  line += kArrow;
  AppendValueText(line, d.newValue);
  if (d.oldStored && d.newStored) AppendStoredNote(line, *d.oldStored, *d.newStored);
}

// What players call the records of a list.
std::string_view MissionLabel(std::string_view list) {
  if (list == "CampaignMissions") return "mission";
  if (list == "SimMissions") return "simulator mission";
  return list;
}

void AppendEntryText(std::string& line, const MissionEntry& e) {
  line += "score ";
  AppendIntText(line, e.Score);
  line += ", time ";
  AppendMissionTimeText(line, e.Time, TimeSeconds::kTwoDigits);
  line += ", bonus ";
  AppendIntText(line, e.Bonus);
}

// The values of a record held by both files that differ, as "score 1 -> 2, bonus 3 -> 4".
void AppendChangedValues(std::string& line, const MissionDifference& d) {
  bool first = true;
  auto name = [&line, &first](const char* value) {
    if (!first) line += ", ";
    first = false;
    line += value;
    line += ' ';
  };
  auto add = [&line, &name](const char* value, std::int32_t a, std::int32_t b) {
    if (a == b) return;
    name(value);
    AppendChange(line, a, b);
  };
  add("tag", d.oldEntry.MissionTag, d.newEntry.MissionTag);
  add("presence mark", d.oldEntry.PresenceMark, d.newEntry.PresenceMark);
  add("score", d.oldEntry.Score, d.newEntry.Score);
  if (d.oldEntry.Time != d.newEntry.Time) {
    name("time");
    AppendTimeChange(line, d.oldEntry.Time, d.newEntry.Time);
  }
  if (d.oldEntry.Bonus != d.newEntry.Bonus) {
    add("bonus", d.oldEntry.Bonus, d.newEntry.Bonus);
  } else if (d.oldStoredBonus != d.newStoredBonus) {
    name("bonus");
    AppendChange(line, d.oldEntry.Bonus, d.newEntry.Bonus);
    AppendStoredNote(line, d.oldStoredBonus, d.newStoredBonus);
  }
}

// "+ mission 4 (battle 1): score …" for a record added, "-" removed, "~" changed.
void WriteMissionLine(std::string& line, const MissionDifference& d) {
  line.assign(d.change == MissionChange::kAdded ? "+ " : d.change == MissionChange::kRemoved ? "- " : "~ ");
  line += MissionLabel(d.list);
  line += ' ';
  AppendIntText(line, d.index + 1);
  if (!d.battle.empty()) {
    line += " (";
    line += d.battle;
    line += ')';
  }
  line += ": ";
  switch (d.change) {
    case MissionChange::kAdded:
      return AppendEntryText(line, d.newEntry);
    case MissionChange::kRemoved:
      return AppendEntryText(line, d.oldEntry);
    case MissionChange::kChanged:
      return AppendChangedValues(line, d);
  }
}

std::string UnknownBytesLine(const UnknownByteDifferences& unknown) {
  const bool one = unknown.count == 1;
  return std::to_string(unknown.count) + (one ? " byte" : " bytes") + " of unknown meaning " +
         (one ? "differs" : "differ") + ", first at " + std::to_string(unknown.firstOffsets.front());
}

std::string Counted(std::size_t count, const char* singular, const char* plural, const char* what) {
  return std::to_string(count) + " " + (count == 1 ? singular : plural) + " " + what;
}

std::size_t MissionsWith(const PilotDiff& diff, MissionChange change) {
  std::size_t count = 0;
  for (const MissionDifference& d : diff.missions) count += d.change == change ? 1 : 0;
  return count;
}

}  // namespace

std::string DiffSummary(const PilotDiff& diff) {
  std::set<std::string_view> fields;
  for (const FieldDifference& d : diff.fields) fields.insert(d.field);
  std::string summary = Counted(fields.size(), "field", "fields", "changed");
  const std::pair<MissionChange, const char*> kinds[] = {{MissionChange::kAdded, "added"},
                                                         {MissionChange::kRemoved, "removed"},
                                                         {MissionChange::kChanged, "changed"}};
  for (const auto& [change, what] : kinds)
    if (const std::size_t count = MissionsWith(diff, change); count != 0)
      summary += ", " + Counted(count, "mission", "missions", what);
  return summary;
}

void WriteDiffText(const PilotDiff& diff, std::ostream& out) {
  if (diff.Identical()) {
    out << "identical\n";
    return;
  }
  // Fields and mission records merged in file order.
  std::string line;
  auto writeLine = [&line, &out] {
    line += '\n';
    out << line;
  };
  auto field = diff.fields.begin();
  for (const MissionDifference& mission : diff.missions) {
    for (; field != diff.fields.end() && field->bytes.offset < mission.bytes.front().offset; ++field) {
      WriteFieldLine(line, *field);
      writeLine();
    }
    WriteMissionLine(line, mission);
    writeLine();
  }
  for (; field != diff.fields.end(); ++field) {
    WriteFieldLine(line, *field);
    writeLine();
  }
  if (diff.unknownBytes.count != 0) out << UnknownBytesLine(diff.unknownBytes) << '\n';
  for (const DerivedDifference& d : diff.derived) {
    line.assign(d.name);
    line += ": ";
    AppendChange(line, d.oldValue, d.newValue);
    writeLine();
  }
  out << DiffSummary(diff) << '\n';
}

}  // namespace orlenda
