#pragma once

// What changed between two copies of a pilot file, field by field as the layout names them. Every
// field of the layout's groups is compared without code of its own; every byte that no field
// interprets is compared too, so that no change goes unmentioned.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "pilot/pilot_record.h"

namespace orlenda {

// One loaded pilot file: the record as the load holds it and the file's 152,076 bytes.
struct PilotImage {
  const PilotRecord& record;
  std::span<const std::uint8_t> bytes;
};

struct ByteSpan {
  std::size_t offset = 0;
  std::size_t size = 0;
};

// A text (UTF-8) or a number, as the load holds it.
using FieldValue = std::variant<std::int32_t, std::string>;

// A changed scalar or text field, or one changed element of a list field.
struct FieldDifference {
  std::string_view field;              // the layout's name
  std::optional<std::size_t> element;  // the list index, for list fields
  std::string elementName;             // the element's display name; empty where the list has none
  ByteSpan bytes;                      // the bytes this value is read from
  FieldValue oldValue;
  FieldValue newValue;
  // For a value stored times ten whose two files hold the same value after the division: the values
  // as stored, which differ.
  std::optional<std::int32_t> oldStored;
  std::optional<std::int32_t> newStored;
};

enum class MissionChange { kAdded, kRemoved, kChanged };

// A record of one mission list that one file holds and the other does not, or that both hold with
// different values. The side that does not hold the record has a zero entry.
struct MissionDifference {
  std::string_view list;  // the layout's name of the list
  MissionChange change = MissionChange::kChanged;
  std::size_t index = 0;        // entry index; players count missions from 1
  std::vector<ByteSpan> bytes;  // the whole slot for an added or removed record, else its values
  MissionEntry oldEntry;
  MissionEntry newEntry;
  std::int32_t oldStoredBonus = 0;  // the bonuses as stored (ten times the entries' values)
  std::int32_t newStoredBonus = 0;
  // Where a campaign that is not the stock one holds the mission: "battle 1, mission 1"; empty when
  // both files hold the stock campaign.
  std::string battle;
};

// A value derived from the fields at load (a mission count, a total) whose two values differ.
struct DerivedDifference {
  std::string_view name;
  std::int32_t oldValue = 0;
  std::int32_t newValue = 0;
};

inline constexpr std::size_t kUnknownOffsetLimit = 100;

// Differing bytes that no field interprets: their full count and the first offsets, in file order.
struct UnknownByteDifferences {
  std::size_t count = 0;
  std::vector<std::size_t> firstOffsets;  // at most kUnknownOffsetLimit
};

struct PilotDiff {
  std::vector<FieldDifference> fields;      // in file order
  std::vector<MissionDifference> missions;  // in file order
  std::vector<DerivedDifference> derived;
  UnknownByteDifferences unknownBytes;

  bool Identical() const {
    return fields.empty() && missions.empty() && derived.empty() && unknownBytes.count == 0;
  }
};

// Compares two successfully loaded pilot files (each of exactly kPilotFileSize bytes). Texts compare
// up to and including their first zero byte; the bytes after it, the bytes inside mission records
// that the load does not read and the empty slots count as unknown bytes. The campaign's records are
// compared slot by slot as the career model reads them, gaps and all (pilot/campaign_career.h); the
// combat simulator's up to the first record without a presence mark. The
// derived values compared here are the mission counts and the campaign total.
PilotDiff ComparePilotFiles(const PilotImage& oldFile, const PilotImage& newFile);

}  // namespace orlenda
