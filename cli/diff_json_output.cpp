#include <string>
#include <string_view>
#include <utility>

#include "base/windows1252.h"
#include "cli/diff_output.h"
#include "cli/json_writer.h"
#include "pilot/file_layout.h"

namespace orlenda::cli {
namespace {

void WriteEntryMembers(const MissionEntry& e, JsonWriter& json) {
  json.Member("MissionTag", e.MissionTag);
  json.Member("PresenceMark", e.PresenceMark);
  json.Member("Score", e.Score);
  json.Member("Time", e.Time);
  json.Member("Bonus", e.Bonus);
}

void WriteEntry(std::string_view key, const MissionEntry& e, JsonWriter& json) {
  json.Key(key);
  json.BeginObject();
  WriteEntryMembers(e, json);
  json.EndObject();
}

void WriteValue(std::string_view key, const FieldValue& value, JsonWriter& json) {
  if (const auto* number = std::get_if<std::int32_t>(&value))
    json.Member(key, *number);
  else
    json.Member(key, std::get<std::string>(value));
}

void WriteField(const FieldDifference& d, JsonWriter& json) {
  json.BeginObject();
  json.Member("field", d.field);
  if (d.element) {
    json.Member("index", *d.element);
    json.Key("element");
    if (d.elementName.empty())
      json.Null();
    else
      json.String(d.elementName);
  }
  json.Member("offset", d.bytes.offset);
  json.Member("size", d.bytes.size);
  WriteValue("old", d.oldValue, json);
  WriteValue("new", d.newValue, json);
  if (d.oldStored && d.newStored) {
    json.Member("oldStored", *d.oldStored);
    json.Member("newStored", *d.newStored);
  }
  json.EndObject();
}

void WriteMission(const MissionDifference& d, JsonWriter& json) {
  json.BeginObject();
  json.Member("mission", d.index + 1);
  if (!d.battle.empty()) json.Member("battle", d.battle);
  if (d.change == MissionChange::kAdded) {
    WriteEntryMembers(d.newEntry, json);
  } else if (d.change == MissionChange::kRemoved) {
    WriteEntryMembers(d.oldEntry, json);
  } else {
    WriteEntry("old", d.oldEntry, json);
    WriteEntry("new", d.newEntry, json);
    if (d.oldEntry.Bonus == d.newEntry.Bonus && d.oldStoredBonus != d.newStoredBonus) {
      json.Member("oldStoredBonus", d.oldStoredBonus);
      json.Member("newStoredBonus", d.newStoredBonus);
    }
  }
  json.EndObject();
}

// Every list of the file, each with its three arrays, even when they are empty.
void WriteMissions(const PilotDiff& diff, JsonWriter& json) {
  const std::pair<MissionChange, const char*> kinds[] = {{MissionChange::kAdded, "added"},
                                                         {MissionChange::kRemoved, "removed"},
                                                         {MissionChange::kChanged, "changed"}};
  json.BeginObject();
  for (const MissionListField& list : kMissionListFields) {
    json.Key(list.name);
    json.BeginObject();
    for (const auto& [change, kind] : kinds) {
      json.Key(kind);
      json.BeginArray();
      for (const MissionDifference& d : diff.missions)
        if (d.list == list.name && d.change == change) WriteMission(d, json);
      json.EndArray();
    }
    json.EndObject();
  }
  json.EndObject();
}

void WriteDerived(const PilotDiff& diff, JsonWriter& json) {
  json.BeginArray();
  for (const DerivedDifference& d : diff.derived) {
    json.BeginObject();
    json.Member("name", d.name);
    json.Member("old", d.oldValue);
    json.Member("new", d.newValue);
    json.EndObject();
  }
  json.EndArray();
}

void WriteUnknownBytes(const UnknownByteDifferences& unknown, JsonWriter& json) {
  json.BeginObject();
  json.Member("count", unknown.count);
  json.Key("offsets");
  json.BeginArray();
  for (const std::size_t offset : unknown.firstOffsets) json.Number(offset);
  json.EndArray();
  json.EndObject();
}

}  // namespace

void WriteDiffJson(const PilotDiff& diff, const std::string& oldPath, const std::string& newPath,
                   std::ostream& out) {
  JsonWriter json(out);
  json.BeginObject();
  json.Member("old", Utf8FromUtf8OrWindows1252(oldPath));
  json.Member("new", Utf8FromUtf8OrWindows1252(newPath));
  json.Member("identical", diff.Identical());
  json.Key("fields");
  json.BeginArray();
  for (const FieldDifference& d : diff.fields) WriteField(d, json);
  json.EndArray();
  json.Key("missions");
  WriteMissions(diff, json);
  json.Key("derived");
  WriteDerived(diff, json);
  json.Key("unknownBytes");
  WriteUnknownBytes(diff.unknownBytes, json);
  json.Member("summary", diff.Identical() ? std::string("identical") : DiffSummary(diff));
  json.EndObject();
  json.Flush();
  out << '\n';
}

}  // namespace orlenda::cli
