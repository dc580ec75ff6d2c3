#include "pilot/pilot_diff.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <functional>

#include "base/windows1252.h"
#include "pilot/campaign_career.h"
#include "pilot/campaign_total.h"
#include "pilot/enumerations.h"
#include "pilot/file_layout.h"
#include "pilot/le_int32.h"
#include "pilot/mission_record.h"

namespace orlenda {
namespace {

// The two files side by side, with the spans of the bytes that the compared fields interpret.
class Comparison {
 public:
  Comparison(const PilotImage& oldFile, const PilotImage& newFile) : old_(oldFile), new_(newFile) {}

  // One step for each field of the layout's groups, in file order, so that the differences and the
  // interpreted spans come out in file order without sorting.
  using Step = std::function<void(Comparison&)>;
  static const std::vector<std::pair<std::size_t, Step>>& StepsInFileOrder() {
    static const auto steps = [] {
      std::vector<std::pair<std::size_t, Step>> all;
      all.emplace_back(field::PilotName.offset, [](Comparison& c) { c.CompareText(field::PilotName); });
      for (const auto& f : kGameNameFields)
        all.emplace_back(f.offset, [f](Comparison& c) { c.CompareText(f); });
      for (const auto& f : kInt32Fields)
        all.emplace_back(f.offset, [f](Comparison& c) { c.CompareInt32(f); });
      for (const auto& f : kCraftListFields)
        all.emplace_back(f.offset, [f](Comparison& c) { c.CompareList(f, CraftTypeName); });
      for (const auto& f : kRatingListFields)
        all.emplace_back(f.offset, [f](Comparison& c) { c.CompareList(f, RatingName); });
      for (const auto& f : kMissionListFields)
        all.emplace_back(f.offset, [f](Comparison& c) { c.CompareMissionList(f); });
      std::sort(all.begin(), all.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
      return all;
    }();
    return steps;
  }

  PilotDiff Run() {
    if (std::equal(old_.bytes.begin(), old_.bytes.end(), new_.bytes.begin(), new_.bytes.end()))
      return {};  // the same bytes load into the same record
    for (const auto& [offset, compare] : StepsInFileOrder()) compare(*this);
    CompareDerived();
    CountUnknownBytes();
    return std::move(diff_);
  }

 private:
  static std::string CraftTypeName(std::size_t index) { return CraftTypeNames()[index]; }
  static std::string RatingName(std::size_t index) { return std::string(RatingNames()[index]); }

  std::int32_t StoredInt32(const PilotImage& file, std::size_t offset) const {
    return ReadInt32LE(file.bytes.subspan(offset).first<4>());
  }

  // The bonus of the record in the slot at `slotOffset`, as the file stores it.
  static std::int32_t StoredBonus(const PilotImage& file, std::size_t slotOffset) {
    return StoredMissionBonus(file.bytes.subspan(slotOffset).first<kMissionRecordSize>());
  }

  // A text is read up to its first zero byte, so that byte and those before it are interpreted in
  // either file; two texts are equal exactly when those bytes are.
  template <std::size_t N>
  void CompareText(const TextField<N>& f) {
    const std::string oldText = FieldText(old_.record.*f.member);
    const std::string newText = FieldText(new_.record.*f.member);
    const ByteSpan span{f.offset, std::min(N, std::max(oldText.size(), newText.size()) + 1)};
    interpreted_.push_back(span);
    if (oldText == newText) return;
    diff_.fields.push_back(
        {f.name, std::nullopt, {}, span, DecodeWindows1252(oldText), DecodeWindows1252(newText), {}, {}});
  }

  void CompareInt32(const Int32Field& f) {
    const ByteSpan span{f.offset, 4};
    interpreted_.push_back(span);
    const std::int32_t oldValue = old_.record.*f.member;
    const std::int32_t newValue = new_.record.*f.member;
    const std::int32_t oldStored = StoredInt32(old_, f.offset);
    const std::int32_t newStored = StoredInt32(new_, f.offset);
    if (oldStored == newStored) return;
    FieldDifference difference{f.name, std::nullopt, {}, span, oldValue, newValue, {}, {}};
    if (oldValue == newValue) {  // only a value stored times ten can differ in its last digit alone
      difference.oldStored = oldStored;
      difference.newStored = newStored;
    }
    diff_.fields.push_back(std::move(difference));
  }

  template <std::size_t N>
  void CompareList(const Int32ListField<N>& f, std::string (*elementName)(std::size_t)) {
    interpreted_.push_back({f.offset, 4 * N});
    const auto& oldList = old_.record.*f.member;
    const auto& newList = new_.record.*f.member;
    for (std::size_t i = 0; i < N; ++i) {
      if (oldList[i] == newList[i]) continue;
      diff_.fields.push_back(
          {f.name, i, elementName(i), ByteSpan{f.offset + 4 * i, 4}, oldList[i], newList[i], {}, {}});
    }
  }

  // The loaded records of a list: those before the first entry without a presence mark.
  static std::size_t LoadedCount(const MissionList& entries) {
    std::size_t count = 0;
    while (count < kMissionSlotCount && entries[count].PresenceMark != 0) ++count;
    return count;
  }

  // The values of a record that the load reads, in their order within the record.
  static std::array<ByteSpan, kMissionEntryFields.size()> RecordValueSpans(std::size_t slotOffset) {
    std::array<ByteSpan, kMissionEntryFields.size()> spans;
    for (std::size_t i = 0; i < spans.size(); ++i)
      spans[i] = {slotOffset + kMissionEntryFields[i].offset, kMissionEntryFields[i].width};
    return spans;
  }

  void CompareMissionList(const MissionListField& list) {
    if (list.member == &PilotRecord::CampaignMissions) return CompareCampaignSlots(list);
    const MissionList& oldEntries = old_.record.*list.member;
    const MissionList& newEntries = new_.record.*list.member;
    const std::size_t oldCount = LoadedCount(oldEntries);
    const std::size_t newCount = LoadedCount(newEntries);
    for (std::size_t i = 0; i < std::max(oldCount, newCount); ++i) {
      const MissionEntry* oldEntry = i < oldCount ? &oldEntries[i] : nullptr;
      const MissionEntry* newEntry = i < newCount ? &newEntries[i] : nullptr;
      CompareSlot(list, i, oldEntry, newEntry, {});
    }
  }

  static MissionEntry EntryOf(const CampaignSlot& slot) {
    MissionEntry entry;
    entry.MissionTag = slot.attempts;
    entry.PresenceMark = slot.wins;
    entry.Score = slot.score;
    entry.Time = slot.time;
    entry.Bonus = slot.bonus;
    return entry;
  }

  // Every slot that either file holds a record in; battles named by the first file's campaign unless
  // that is the stock one.
  void CompareCampaignSlots(const MissionListField& list) {
    const CampaignCareer oldCareer = ReadCampaignCareer(old_.bytes);
    const CampaignCareer newCareer = ReadCampaignCareer(new_.bytes);
    const bool stock =
        oldCareer.layout == CampaignLayout::kStock && newCareer.layout == CampaignLayout::kStock;
    const CampaignCareer& naming = oldCareer.layout != CampaignLayout::kStock ? oldCareer : newCareer;
    for (int slot = 0; slot < static_cast<int>(kMissionSlotCount); ++slot) {
      const CampaignSlot* oldSlot = oldCareer.SlotAt(slot);
      const CampaignSlot* newSlot = newCareer.SlotAt(slot);
      if (oldSlot == nullptr && newSlot == nullptr) continue;
      const MissionEntry oldEntry = oldSlot ? EntryOf(*oldSlot) : MissionEntry{};
      const MissionEntry newEntry = newSlot ? EntryOf(*newSlot) : MissionEntry{};
      CompareSlot(list, static_cast<std::size_t>(slot), oldSlot ? &oldEntry : nullptr,
                  newSlot ? &newEntry : nullptr, stock ? std::string() : CampaignMissionLabel(naming, slot));
    }
  }

  void CompareSlot(const MissionListField& list, std::size_t index, const MissionEntry* oldEntry,
                   const MissionEntry* newEntry, std::string battle) {
    if (oldEntry != nullptr && newEntry != nullptr)
      CompareSharedRecord(list, index, *oldEntry, *newEntry, std::move(battle));
    else if (oldEntry != nullptr)
      AddRecordThatCameOrWent(list, index, MissionChange::kRemoved, *oldEntry, std::move(battle));
    else
      AddRecordThatCameOrWent(list, index, MissionChange::kAdded, *newEntry, std::move(battle));
  }

  // A record that both files hold: the values the load reads are interpreted, its other bytes are not.
  void CompareSharedRecord(const MissionListField& list, std::size_t index, const MissionEntry& oldEntry,
                           const MissionEntry& newEntry, std::string battle) {
    const std::size_t slot = MissionSlotOffset(list, index);
    const auto spans = RecordValueSpans(slot);
    interpreted_.insert(interpreted_.end(), spans.begin(), spans.end());
    const std::int32_t oldBonus = StoredBonus(old_, slot);
    const std::int32_t newBonus = StoredBonus(new_, slot);
    if (oldEntry == newEntry && oldBonus == newBonus) return;
    diff_.missions.push_back({list.name,
                              MissionChange::kChanged,
                              index,
                              {spans.begin(), spans.end()},
                              oldEntry,
                              newEntry,
                              oldBonus,
                              newBonus,
                              std::move(battle)});
  }

  // A record that one file holds and the other does not: its whole slot came or went with it.
  void AddRecordThatCameOrWent(const MissionListField& list, std::size_t index, MissionChange change,
                               const MissionEntry& entry, std::string battle) {
    const ByteSpan slot{MissionSlotOffset(list, index), kMissionRecordSize};
    interpreted_.push_back(slot);
    MissionDifference difference{list.name, change, index, {slot}, {}, {}, 0, 0, std::move(battle)};
    const std::int32_t storedBonus =
        StoredBonus(change == MissionChange::kRemoved ? old_ : new_, slot.offset);
    if (change == MissionChange::kRemoved) {
      difference.oldEntry = entry;
      difference.oldStoredBonus = storedBonus;
    } else {
      difference.newEntry = entry;
      difference.newStoredBonus = storedBonus;
    }
    diff_.missions.push_back(std::move(difference));
  }

  void AddDerived(std::string_view name, std::int32_t oldValue, std::int32_t newValue) {
    if (oldValue != newValue) diff_.derived.push_back({name, oldValue, newValue});
  }

  void CompareDerived() {
    AddDerived("CampaignMissionCount", old_.record.CampaignMissionCount, new_.record.CampaignMissionCount);
    AddDerived("SimMissionCount", old_.record.SimMissionCount, new_.record.SimMissionCount);
    // The campaign total over every held slot, as the roster and the history show it.
    AddDerived("CampaignTotal", CampaignTotalOf(ReadCampaignCareer(old_.bytes)),
               CampaignTotalOf(ReadCampaignCareer(new_.bytes)));
  }

  void CountDifferingBytes(std::size_t from, std::size_t to) {
    if (from >= to || std::memcmp(old_.bytes.data() + from, new_.bytes.data() + from, to - from) == 0) return;
    UnknownByteDifferences& unknown = diff_.unknownBytes;
    for (std::size_t at = from; at < to; ++at) {
      if (old_.bytes[at] == new_.bytes[at]) continue;
      ++unknown.count;
      if (unknown.firstOffsets.size() < kUnknownOffsetLimit) unknown.firstOffsets.push_back(at);
    }
  }

  // Compares the gaps between the interpreted spans, which the steps leave in file order.
  void CountUnknownBytes() {
    std::size_t position = 0;
    for (const ByteSpan& span : interpreted_) {
      CountDifferingBytes(position, span.offset);
      position = std::max(position, span.offset + span.size);
    }
    CountDifferingBytes(position, kPilotFileSize);
  }

  const PilotImage& old_;
  const PilotImage& new_;
  PilotDiff diff_;
  std::vector<ByteSpan> interpreted_;
};

}  // namespace

PilotDiff ComparePilotFiles(const PilotImage& oldFile, const PilotImage& newFile) {
  return Comparison(oldFile, newFile).Run();
}

}  // namespace orlenda
