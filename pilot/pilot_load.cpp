#include "pilot/pilot_load.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "base/file_bytes.h"
#include "base/folder_entries.h"
#include "base/path_kind.h"
#include "pilot/campaign_total.h"
#include "pilot/file_layout.h"
#include "pilot/le_int32.h"
#include "pilot/mission_record.h"
#include "pilot/sister_games.h"

namespace orlenda {
namespace {

// Reads fields out of the file's bytes, counting every read that the bytes cannot satisfy.
class FieldReader {
 public:
  explicit FieldReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  std::uint16_t errors() const { return errors_; }
  void CountError() { ++errors_; }

  bool Read(std::size_t offset, std::span<std::uint8_t> out) {
    const std::optional<std::span<const std::uint8_t>> in = View(offset, out.size());
    if (in) std::memcpy(out.data(), in->data(), out.size());
    return in.has_value();
  }

  // The bytes of a field where they stand, without a copy (the mission lists are most of the load).
  std::optional<std::span<const std::uint8_t>> View(std::size_t offset, std::size_t size) {
    if (offset > bytes_.size() || bytes_.size() - offset < size) {
      ++errors_;
      return std::nullopt;
    }
    return bytes_.subspan(offset, size);
  }

  template <std::size_t N>
  void ReadText(const TextField<N>& f, PilotRecord& record) {
    std::array<std::uint8_t, N> raw{};
    if (Read(f.offset, raw)) std::memcpy((record.*f.member).data(), raw.data(), N);
  }

  void ReadInt32(const Int32Field& f, PilotRecord& record) {
    std::array<std::uint8_t, 4> raw{};
    if (!Read(f.offset, raw)) return;
    const std::int32_t stored = ReadInt32LE(raw);
    record.*f.member = f.storedTimesTen ? StoredTimesTenToValue(stored) : stored;
  }

  template <std::size_t N>
  void ReadList(const Int32ListField<N>& f, PilotRecord& record) {
    std::array<std::uint8_t, 4 * N> raw{};
    if (!Read(f.offset, raw)) return;
    auto& list = record.*f.member;
    for (std::size_t i = 0; i < N; ++i)
      list[i] = ReadInt32LE(std::span(raw).subspan(4 * i).template first<4>());
  }

 private:
  std::span<const std::uint8_t> bytes_;
  std::uint16_t errors_ = 0;
};

// Reads a list up to its first record with a zero PresenceMark, or 255 records. Returns the count.
std::uint8_t ReadMissionList(FieldReader& reader, const MissionListField& list, PilotRecord& record) {
  MissionList& entries = record.*list.member;
  std::size_t count = 0;
  while (count < kMissionSlotCount) {
    const auto raw = reader.View(MissionSlotOffset(list, count), kMissionRecordSize);
    if (!raw) break;
    const MissionEntry entry = DecodeMissionRecord(raw->first<kMissionRecordSize>());
    if (entry.PresenceMark == 0) break;
    entries[count] = entry;
    ++count;
  }
  return static_cast<std::uint8_t>(count);
}

void ReadAllFields(FieldReader& reader, PilotRecord& record) {
  reader.ReadText(field::PilotName, record);
  for (const auto& f : kGameNameFields) reader.ReadText(f, record);
  for (const auto& f : kInt32Fields) reader.ReadInt32(f, record);
  for (const auto& f : kCraftListFields) reader.ReadList(f, record);
  for (const auto& f : kRatingListFields) reader.ReadList(f, record);
  record.SimMissionCount = ReadMissionList(reader, field::SimMissions, record);
  record.CampaignMissionCount = ReadMissionList(reader, field::CampaignMissions, record);
  record.CampaignTotal =
      CampaignTotalOf(std::span(record.CampaignMissions).first(record.CampaignMissionCount));
}

// The record's fields and the load's messages, without the copy of the file's bytes.
LoadResult LoadFields(std::span<const std::uint8_t> bytes, std::int64_t fileSize, const std::string& path) {
  LoadResult result;
  result.record.PilotFileName = path;
  FieldReader reader(bytes);
  if (fileSize < 0) reader.CountError();  // the open failed
  if (fileSize != static_cast<std::int64_t>(kPilotFileSize)) {
    reader.CountError();
    result.messages.push_back(WrongSizeMessage(fileSize));
  } else {
    // A read that ended before the size that the system reported (the file shrank after its size was
    // taken, or the read failed) is an error of its own, even where every field still lies in what
    // came: the record would otherwise hold a copy of the file shorter than the file.
    if (bytes.size() != kPilotFileSize) reader.CountError();
    ReadAllFields(reader, result.record);
  }
  result.errorCount = reader.errors();
  if (result.errorCount != 0) result.messages.push_back(LoadErrorCountMessage(result.errorCount));
  // Players keep the sister games' pilot files beside this game's, with the same extension.
  if (const auto game = SisterGameOfSize(fileSize)) result.messages.push_back(SisterGameMessage(path, *game));
  return result;
}

// A folder, a device or a pipe has no size of a file; a link whose file has gone is named as such, not
// by the system's "No such file or directory" for a name that the player sees in the folder.
std::string WhyNotOpened(const std::string& path, const FileBytes& file) {
  if (file.opened) return IsFolder(path) ? "it is a folder" : "it is a device or pipe, not a file";
  if (KindOfName(path) == NameKind::kLink && IsMissing(path))
    return "it is a link that leads nowhere (to " + WhereLinksLead(path) + ", which does not exist)";
  return file.reason;
}

}  // namespace

std::string WrongSizeMessage(std::int64_t size) {
  return "The file have wrong size. " + std::to_string(size) + " The plt file must be 152.076 bytes!";
}

std::string LoadErrorCountMessage(int errorCount) {
  return std::to_string(errorCount) + " Errors while loading file! This may not be a XWA pilotfile.";
}

LoadResult LoadPilotBytes(std::span<const std::uint8_t> bytes, std::int64_t fileSize,
                          const std::string& path) {
  LoadResult result = LoadFields(bytes, fileSize, path);
  if (result.errorCount == 0) result.record.BytesOnDisk.assign(bytes.begin(), bytes.end());
  return result;
}

LoadResult LoadPilotBytes(std::vector<std::uint8_t>&& bytes, std::int64_t fileSize, const std::string& path) {
  LoadResult result = LoadFields(bytes, fileSize, path);
  if (result.errorCount == 0) result.record.BytesOnDisk = std::move(bytes);
  return result;
}

std::string CannotOpenPilotMessage(const std::string& path, const std::string& reason) {
  return "Unable to open " + path + ": " + reason + ".";
}

LoadResult LoadPilotFile(const std::string& path) {
  FileBytes file = ReadFileOfSize(path, static_cast<std::int64_t>(kPilotFileSize));
  // A file that cannot be opened is reported as that, with the system's reason: it has no size at all.
  // So is a folder, a device or a pipe, which has no size of a file.
  if (!file.opened || !file.plainFile) {
    LoadResult result;
    result.record.PilotFileName = path;
    result.errorCount = 1;
    result.messages.push_back(CannotOpenPilotMessage(path, WhyNotOpened(path, file)));
    return result;
  }
  // The bytes just read become the record's copy of the file: one buffer, not two.
  LoadResult result = LoadPilotBytes(std::move(file.bytes), file.opened ? file.size : -1, path);
  result.modifiedTime = file.modifiedTime;
  return result;
}

}  // namespace orlenda
