#include "cli/diff_output.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <nlohmann/json.hpp>
#include <set>
#include <string_view>
#include <type_traits>
#include <vector>

#include "base/windows1252.h"
#include "pilot/file_layout.h"

namespace orlenda::cli {
namespace {

// A text in double quotes; a quote, a backslash and the control characters are escaped, so that a
// text from a damaged file keeps to its one line and its end is seen.
std::string Quoted(const std::string& text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string quoted = "\"";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      quoted += '\\';
      quoted += c;
    } else if (byte < 0x20 || byte == 0x7F) {
      quoted += "\\x";
      quoted += kHex[byte >> 4];
      quoted += kHex[byte & 0xF];
    } else {
      quoted += c;
    }
  }
  return quoted + "\"";
}

std::string ValueText(const FieldValue& value) {
  if (const auto* number = std::get_if<std::int32_t>(&value)) return std::to_string(*number);
  return Quoted(std::get<std::string>(value));
}

std::string Change(std::int32_t oldValue, std::int32_t newValue) {
  return std::to_string(oldValue) + " -> " + std::to_string(newValue);
}

std::string StoredNote(std::int32_t oldStored, std::int32_t newStored) {
  return " (stored " + Change(oldStored, newStored) + ")";
}

std::string FieldLine(const FieldDifference& d) {
  std::string line(d.field);
  if (d.element) line += "[" + (d.elementName.empty() ? std::to_string(*d.element) : d.elementName) + "]";
  line += ": " + ValueText(d.oldValue) + " -> " + ValueText(d.newValue);
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
  return "score " + std::to_string(e.Score) + ", time " + std::to_string(e.Time) + ", bonus " +
         std::to_string(e.Bonus);
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
  add("time", d.oldEntry.Time, d.newEntry.Time);
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
  const std::string label = MissionLabel(d.list) + " " + std::to_string(d.index + 1) + ": ";
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

// JSON written piece by piece as it is laid out by nlohmann's dump(2): members and elements one to a
// line, indented by two spaces a level, "{}" and "[]" when empty. A large answer (two unrelated pilots
// differ in thousands of list elements) thus costs no tree of values; the text gathers in a buffer that
// goes to the stream in large pieces.
class JsonWriter {
 public:
  explicit JsonWriter(std::ostream& out) : out_(out) {}
  JsonWriter(const JsonWriter&) = delete;
  JsonWriter& operator=(const JsonWriter&) = delete;

  void BeginObject() { Open('{'); }
  void EndObject() { Close('}'); }
  void BeginArray() { Open('['); }
  void EndArray() { Close(']'); }

  void Key(std::string_view key) {
    NextElement();
    AppendString(key);
    buffer_ += ": ";
    afterKey_ = true;
  }

  void String(std::string_view text) {
    BeforeValue();
    AppendString(text);
  }

  void Bool(bool value) {
    BeforeValue();
    buffer_ += value ? "true" : "false";
  }

  void Null() {
    BeforeValue();
    buffer_ += "null";
  }

  template <typename Integer>
  void Number(Integer value) {
    BeforeValue();
    char digits[24];
    const auto end = std::to_chars(std::begin(digits), std::end(digits), value).ptr;
    buffer_.append(digits, end);
  }

  template <typename Value>
  void Member(std::string_view key, const Value& value) {
    Key(key);
    if constexpr (std::is_same_v<Value, bool>)
      Bool(value);
    else if constexpr (std::is_integral_v<Value>)
      Number(value);
    else
      String(value);
  }

  void Flush() {
    out_.write(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
    buffer_.clear();
  }

 private:
  static constexpr std::size_t kFlushSize = 64 * 1024;

  void Open(char bracket) {
    BeforeValue();
    buffer_ += bracket;
    hasElements_.push_back(false);
  }

  void Close(char bracket) {
    const bool hadElements = hasElements_.back();
    hasElements_.pop_back();
    if (hadElements) Indent();
    buffer_ += bracket;
  }

  // A value after its key follows on the key's line; any other starts a new element.
  void BeforeValue() {
    if (afterKey_)
      afterKey_ = false;
    else
      NextElement();
  }

  void NextElement() {
    if (buffer_.size() >= kFlushSize) Flush();
    if (hasElements_.empty()) return;
    if (hasElements_.back()) buffer_ += ',';
    hasElements_.back() = true;
    Indent();
  }

  void Indent() {
    buffer_ += '\n';
    buffer_.append(2 * hasElements_.size(), ' ');
  }

  // Printable ASCII without a quote or backslash goes as it is; anything else is escaped by nlohmann,
  // which also refuses a text that is not UTF-8.
  void AppendString(std::string_view text) {
    const bool plain = std::all_of(text.begin(), text.end(),
                                   [](char c) { return c >= 0x20 && c < 0x7F && c != '"' && c != '\\'; });
    if (plain) {
      buffer_ += '"';
      buffer_ += text;
      buffer_ += '"';
    } else {
      buffer_ += nlohmann::json(std::string(text)).dump();
    }
  }

  std::ostream& out_;
  std::string buffer_;
  std::vector<bool> hasElements_;  // one for each open object or array
  bool afterKey_ = false;
};

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
