#include "report/diff_text.h"

#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

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

std::string ValueText(const FieldValue& value) {
  if (const auto* number = std::get_if<std::int32_t>(&value)) return std::to_string(*number);
  return Quoted(std::get<std::string>(value));
}

// The arrow of every change in the diff's text: ASCII, as scripts that read the text match it.
constexpr std::string_view kArrow = " -> ";

std::string Change(std::int32_t oldValue, std::int32_t newValue) {
  return std::to_string(oldValue) + std::string(kArrow) + std::to_string(newValue);
}

std::string TimeChange(std::int32_t oldSeconds, std::int32_t newSeconds) {
  return MissionTimeText(oldSeconds, TimeSeconds::kTwoDigits) + std::string(kArrow) +
         MissionTimeText(newSeconds, TimeSeconds::kTwoDigits);
}

std::string StoredNote(std::int32_t oldStored, std::int32_t newStored) {
  return " (stored " + Change(oldStored, newStored) + ")";
}

std::string FieldLine(const FieldDifference& d) {
  std::string line(d.field);
  if (d.element) line += "[" + (d.elementName.empty() ? std::to_string(*d.element) : d.elementName) + "]";
  line += ": " + ValueText(d.oldValue) + std::string(kArrow) + ValueText(d.newValue);
  if (d.oldStored && d.newStored) line += StoredNote(*d.oldStored, *d.newStored);
  return line;
}

// What players call the records of a list.
std::string MissionLabel(std::string_view list) {
  if (list == "CampaignMissions") return "mission";
  if (list == "SimMissions") return "simulator mission";
  return std::string(list);
}

std::string EntryText(const MissionEntry& e) {
  return "score " + std::to_string(e.Score) + ", time " + MissionTimeText(e.Time, TimeSeconds::kTwoDigits) +
         ", bonus " + std::to_string(e.Bonus);
}

// The values of a record held by both files that differ, as "score 1 -> 2, bonus 3 -> 4".
std::string ChangedValuesText(const MissionDifference& d) {
  std::vector<std::string> parts;
  auto add = [&parts](const char* name, std::int32_t a, std::int32_t b) {
    if (a != b) parts.push_back(std::string(name) + " " + Change(a, b));
  };
  add("tag", d.oldEntry.MissionTag, d.newEntry.MissionTag);
  add("presence mark", d.oldEntry.PresenceMark, d.newEntry.PresenceMark);
  add("score", d.oldEntry.Score, d.newEntry.Score);
  if (d.oldEntry.Time != d.newEntry.Time)
    parts.push_back("time " + TimeChange(d.oldEntry.Time, d.newEntry.Time));
  if (d.oldEntry.Bonus != d.newEntry.Bonus)
    add("bonus", d.oldEntry.Bonus, d.newEntry.Bonus);
  else if (d.oldStoredBonus != d.newStoredBonus)
    parts.push_back("bonus " + Change(d.oldEntry.Bonus, d.newEntry.Bonus) +
                    StoredNote(d.oldStoredBonus, d.newStoredBonus));
  std::string text;
  for (const std::string& part : parts) text += (text.empty() ? "" : ", ") + part;
  return text;
}

std::string MissionLine(const MissionDifference& d) {
  const std::string where = d.battle.empty() ? "" : " (" + d.battle + ")";
  const std::string label = MissionLabel(d.list) + " " + std::to_string(d.index + 1) + where + ": ";
  switch (d.change) {
    case MissionChange::kAdded:
      return "+ " + label + EntryText(d.newEntry);
    case MissionChange::kRemoved:
      return "- " + label + EntryText(d.oldEntry);
    case MissionChange::kChanged:
      break;
  }
  return "~ " + label + ChangedValuesText(d);
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
  auto field = diff.fields.begin();
  for (const MissionDifference& mission : diff.missions) {
    for (; field != diff.fields.end() && field->bytes.offset < mission.bytes.front().offset; ++field)
      out << FieldLine(*field) << '\n';
    out << MissionLine(mission) << '\n';
  }
  for (; field != diff.fields.end(); ++field) out << FieldLine(*field) << '\n';
  if (diff.unknownBytes.count != 0) out << UnknownBytesLine(diff.unknownBytes) << '\n';
  for (const DerivedDifference& d : diff.derived)
    out << d.name << ": " << Change(d.oldValue, d.newValue) << '\n';
  out << DiffSummary(diff) << '\n';
}

}  // namespace orlenda
