#include "pilot/pilot_update.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "base/file_bytes.h"
#include "base/locked_file.h"
#include "base/system_file.h"
#include "pilot/details_changes.h"
#include "pilot/details_patch.h"

namespace orlenda {
namespace {

constexpr const char* kNothingWritten = " Nothing was written.";

UpdateResult Failed(std::string message) { return {false, false, std::move(message), {}}; }

std::string WrongFileMessage(const std::string& path, std::int64_t size) {
  if (size < 0) return path + " is not a regular file." + kNothingWritten;
  return path + " has " + std::to_string(size) +
         " bytes now, not the 152,076 bytes of a pilot file; it has changed since it was loaded." +
         kNothingWritten;
}

std::string ChangedMessage(const std::string& path) {
  return path +
         " has been changed by another program since it was loaded or last saved. Open it again before "
         "saving." +
         kNothingWritten;
}

// Words the failure of a save that may have written: the note of the save stays, so the backup is kept
// for later runs.
UpdateResult FailedAfterWriting(const SaveNames& names, const PilotBackups& backups,
                                const std::string& what) {
  return Failed(what + " " + backups.WhatBackupHolds(names));
}

// Refused unless the open file holds exactly `expected`: read through the very file that is written.
std::optional<UpdateResult> RefuseUnlessUnchanged(SystemFile& file, const std::string& path,
                                                  const std::vector<std::uint8_t>& expected) {
  const std::int64_t size = file.RegularFileSize();
  if (size != static_cast<std::int64_t>(kPilotFileSize)) return Failed(WrongFileMessage(path, size));
  std::vector<std::uint8_t> current;
  if (!file.ReadAll(current, kPilotFileSize))
    return Failed("Unable to read " + path + ": " + file.reason() + "." + kNothingWritten);
  if (current != expected) return Failed(ChangedMessage(path));
  return std::nullopt;
}

std::optional<UpdateResult> RefuseUnlessStillNamed(SystemFile& file, const SaveNames& names) {
  std::string message;
  if (PilotBackups::StillLeadTo(file, names, message)) return std::nullopt;
  return Failed(message);
}

// Writes the ranges, flushes them to disk and checks that the path still names the file written. The
// file stays open, and so locked, for the note's removal.
std::optional<UpdateResult> WriteRanges(SystemFile& file, const SaveNames& names,
                                        const std::vector<std::uint8_t>& image,
                                        const std::vector<ByteRange>& ranges, const PilotBackups& backups) {
  const std::string& path = names.given;
  const auto writeFailed = [&] {
    return FailedAfterWriting(
        names, backups,
        "Unable to write to " + path + ": " + file.reason() + ". The file may be only partly updated;");
  };
  for (const ByteRange& range : ranges)
    if (!file.WriteAt(range.offset, std::span(image).subspan(range.offset, range.size))) return writeFailed();
  if (!file.SyncToDisk()) return writeFailed();
  std::string notNamed;
  if (!PilotBackups::StillLeadTo(file, names, notNamed))
    return FailedAfterWriting(names, backups,
                              path +
                                  " was replaced or removed by another program while it was being saved, so "
                                  "the changes did not reach it;");
  return std::nullopt;
}

void TakeWrittenValues(PilotRecord& record, const DetailsChanges& changes, std::vector<std::uint8_t> image) {
  if (changes.name) record.PilotName = *changes.name;
  if (changes.rank) record.Rank = *changes.rank;
  if (changes.rating) record.Rating = *changes.rating;
  if (changes.kalidorStatus) record.KalidorStatus = *changes.kalidorStatus;
  record.BytesOnDisk = std::move(image);
}

}  // namespace

std::optional<std::string> ChangedSinceLoaded(const std::string& path, const PilotRecord& record) {
  std::string bytes;
  if (!ReadWholeFile(path, bytes))
    return "Unable to read " + path + "; it may have been removed since it was loaded." + kNothingWritten;
  if (bytes.size() != kPilotFileSize) return WrongFileMessage(path, static_cast<std::int64_t>(bytes.size()));
  if (!std::equal(bytes.begin(), bytes.end(), record.BytesOnDisk.begin(), record.BytesOnDisk.end(),
                  [](char a, std::uint8_t b) { return static_cast<std::uint8_t>(a) == b; }))
    return ChangedMessage(path);
  return std::nullopt;
}

namespace {

// The steps every save shares, from the open to the backup's release: the lock, the check that the file
// is what this program last read or wrote, the backup and its note, the writes of `ranges` from
// `image`, the flush and the checks that the path still names the file.
UpdateResult SaveImage(const std::string& path, const PilotRecord& record,
                       const std::vector<std::uint8_t>& image, const std::vector<ByteRange>& ranges,
                       PilotBackups& backups, const LockWait& wait) {
  SystemFile file(path, SystemFile::Mode::kReadWrite);
  if (!file.IsOpen())
    return Failed("Unable to open " + path + " for writing: " + file.reason() + "." + kNothingWritten);
  if (!WaitForLock(file, path, wait))
    return Failed("Unable to lock " + path + ": " + file.reason() + "." + kNothingWritten);
  // The names of the copy and the note are fixed now, from the file locked, and checked before each use.
  std::string backupMessage;
  const std::optional<SaveNames> names = PilotBackups::NamesOf(file, path, backupMessage);
  if (!names) return Failed(backupMessage);
  if (record.BytesOnDisk.size() != kPilotFileSize) return Failed(ChangedMessage(path));
  if (auto refused = RefuseUnlessUnchanged(file, path, record.BytesOnDisk)) return *refused;

  if (!backups.BeginSave(file, *names, record.BytesOnDisk, image, ranges, backupMessage))
    return Failed(backupMessage);

  // Just before the first write: the file is still the one loaded, unchanged, and still named so.
  std::optional<UpdateResult> refused = RefuseUnlessUnchanged(file, path, record.BytesOnDisk);
  if (!refused) refused = RefuseUnlessStillNamed(file, *names);
  if (refused) {
    backups.EndSave(*names);
    return *refused;
  }
  if (auto failed = WriteRanges(file, *names, image, ranges, backups)) return *failed;
  // The note goes while this save still holds the lock: a save that waits for it would otherwise note
  // itself in that instant and find its note removed by this one.
  const std::string warning = backups.EndSave(*names);
  if (!file.Close())
    return FailedAfterWriting(
        *names, backups,
        "Unable to write to " + path + ": " + file.reason() + ". The file may be only partly updated;");
  return {true, false, {}, warning};
}

// The runs of bytes in which two whole files differ; runs closer than a few bytes are written as one.
std::vector<ByteRange> DifferingRanges(const std::vector<std::uint8_t>& before,
                                       const std::vector<std::uint8_t>& after) {
  constexpr std::size_t kJoinedGap = 16;
  std::vector<ByteRange> ranges;
  for (std::size_t offset = 0; offset < after.size(); ++offset) {
    if (before[offset] == after[offset]) continue;
    if (!ranges.empty() && offset - (ranges.back().offset + ranges.back().size) <= kJoinedGap)
      ranges.back().size = offset + 1 - ranges.back().offset;
    else
      ranges.push_back({offset, 1});
  }
  return ranges;
}

}  // namespace

UpdateResult UpdatePilotFile(const std::string& path, const PilotDetails& details, PilotRecord& record,
                             PilotBackups& backups, const LockWait& wait) {
  if (auto refusal = CheckPilotDetails(details, record)) return Failed(*refusal);
  const DetailsChanges changes = PlanChanges(details, record);
  if (changes.Empty()) return {true, true, {}, {}};

  // A record that no load filled holds no bytes to patch; the save still opens the file first, so that
  // the reason it cannot be opened is the system's, and refuses it as not the file loaded otherwise.
  std::vector<std::uint8_t> image = record.BytesOnDisk;
  std::vector<ByteRange> ranges;
  if (image.size() == kPilotFileSize)
    ranges =
        PatchPilotDetails(PilotFileImage(image.data(), kPilotFileSize), changes, record.CampaignMissions);
  UpdateResult result = SaveImage(path, record, image, ranges, backups, wait);
  if (result.succeeded) TakeWrittenValues(record, changes, std::move(image));
  return result;
}

UpdateResult WritePilotImage(const std::string& path, std::vector<std::uint8_t> image, PilotRecord& record,
                             PilotBackups& backups, const LockWait& wait) {
  if (image.size() != kPilotFileSize || record.BytesOnDisk.size() != kPilotFileSize)
    return Failed("Only a whole pilot file of 152,076 bytes can be written to " + path + "." +
                  kNothingWritten);
  const std::vector<ByteRange> ranges = DifferingRanges(record.BytesOnDisk, image);
  if (ranges.empty()) return {true, true, {}, {}};
  UpdateResult result = SaveImage(path, record, image, ranges, backups, wait);
  if (result.succeeded) record.BytesOnDisk = std::move(image);
  return result;
}

}  // namespace orlenda
