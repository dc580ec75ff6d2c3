#include <string>
#include <string_view>
#include <utility>

#include "base/windows1252.h"
#include "cli/diff_output.h"
#include "cli/json_writer.h"
#include "cli/pilot_json.h"
#include "pilot/file_layout.h"

namespace orlenda::cli {
namespace {

void WriteEntry(std::string_view key, const MissionEntry& e, JsonWriter& json) {
  json.Key(key);
  json.Object([&] { WriteMissionEntryMembers(e, json); });
}

void WriteValue(std::string_view key, const FieldValue& value, JsonWriter& json) {
  if (const auto* number = std::get_if<std::int32_t>(&value))
    json.Member(key, *number);
  else
    json.Member(key, std::get<std::string>(value));
}

void WriteField(const FieldDifference& d, JsonWriter& json) {
  json.Object([&] {
    json.Member("field", d.field);
    if (d.element) {
      json.Member("index", *d.element);
      json.MemberOrNull("element", !d.elementName.empty(), d.elementName);
    }
    json.Members("offset", d.bytes.offset, "size", d.bytes.size);
    WriteValue("old", d.oldValue, json);
    WriteValue("new", d.newValue, json);
    if (d.oldStored && d.newStored) json.Members("oldStored", *d.oldStored, "newStored", *d.newStored);
  });
}

void WriteMission(const MissionDifference& d, JsonWriter& json) {
  json.BeginObject();
  json.Member("mission", d.index + 1);
  if (!d.battle.empty()) json.Member("battle", d.battle);
  if (d.change == MissionChange::kAdded) {
    WriteMissionEntryMembers(d.newEntry, json);
  } else if (d.change == MissionChange::kRemoved) {
    WriteMissionEntryMembers(d.oldEntry, json);
  } else {
    WriteEntry("old", d.oldEntry, json);
    WriteEntry("new", d.newEntry, json);
    if (d.oldEntry.Bonus == d.newEntry.Bonus && d.oldStoredBonus != d.newStoredBonus)
      json.Members("oldStoredBonus", d.oldStoredBonus, "newStoredBonus", d.newStoredBonus);
  }
  json.EndObject();
}

// Every list of the file, each with its three arrays, even when they are empty.
void WriteMissions(const PilotDiff& diff, JsonWriter& json) {
  const std::pair<MissionChange, const char*> kinds[] = {{MissionChange::kAdded, "added"},
                                                         {MissionChange::kRemoved, "removed"},
                                                         {MissionChange::kChanged, "changed"}};
  json.Object([&] {
    for (const MissionListField& list : kMissionListFields) {
      json.Key(list.name);
      json.Object([&] {
        for (const auto& [change, kind] : kinds) {
          json.Key(kind);
          json.BeginArray();
          for (const MissionDifference& d : diff.missions)
            if (d.list == list.name && d.change == change) WriteMission(d, json);
          json.EndArray();
        }
      });
    }
  });
}

void WriteDerived(const PilotDiff& diff, JsonWriter& json) {
  json.Array(diff.derived, [&json](const DerivedDifference& d) {
    json.Object([&] { json.Members("name", d.name, "old", d.oldValue, "new", d.newValue); });
  });
}

void WriteUnknownBytes(const UnknownByteDifferences& unknown, JsonWriter& json) {
  json.Object([&] {
    json.Member("count", unknown.count);
    json.NumberArrayMember("offsets", unknown.firstOffsets);
  });
}

}  // namespace

void WriteDiffJson(const PilotDiff& diff, const std::string& oldPath, const std::string& newPath,
                   std::ostream& out) {
  WriteJsonAnswer(out, [&](JsonWriter& json) {
    json.Object([&] {
      json.Members("old", Utf8FromUtf8OrWindows1252(oldPath), "new", Utf8FromUtf8OrWindows1252(newPath),
                   "identical", diff.Identical());
      json.ArrayMember("fields", diff.fields, [&json](const FieldDifference& d) { WriteField(d, json); });
      json.Key("missions");
      WriteMissions(diff, json);
      json.Key("derived");
      WriteDerived(diff, json);
      json.Key("unknownBytes");
      WriteUnknownBytes(diff.unknownBytes, json);
      json.Member("summary", diff.Identical() ? std::string("identical") : DiffSummary(diff));
    });
  });
}

}  // namespace orlenda::cli
