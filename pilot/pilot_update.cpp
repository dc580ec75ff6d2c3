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

// Writes the ranges, flushes them to disk and checks that the path still names the file written.
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
  if (!file.Close()) return writeFailed();
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

UpdateResult UpdatePilotFile(const std::string& path, const PilotDetails& details, PilotRecord& record,
                             PilotBackups& backups, const LockWait& wait) {
  if (auto refusal = CheckPilotDetails(details, record)) return Failed(*refusal);
  const DetailsChanges changes = PlanChanges(details, record);
  if (changes.Empty()) return {true, true, {}, {}};

  SystemFile file(path, SystemFile::Mode::kReadWrite);
  if (!file.IsOpen())
    return Failed("Unable to open " + path + " for writing: " + file.reason() + "." + kNothingWritten);
  if (!WaitForLock(file, path, wait))
    return Failed("Unable to lock " + path + ": " + file.reason() + "." + kNothingWritten);
  // The names of the copy and the note are fixed now, from the file locked, and checked before each use.
  std::string backupMessage;
  const std::optional<SaveNames> names = PilotBackups::NamesOf(file, path, backupMessage);
  if (!names) return Failed(backupMessage);
  if (auto refused = RefuseUnlessUnchanged(file, path, record.BytesOnDisk)) return *refused;

  std::vector<std::uint8_t> image = record.BytesOnDisk;
  const std::vector<ByteRange> ranges =
      PatchPilotDetails(PilotFileImage(image.data(), kPilotFileSize), changes, record.CampaignMissions);
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

  std::string warning = backups.EndSave(*names);
  TakeWrittenValues(record, changes, std::move(image));
  return {true, false, {}, std::move(warning)};
}

}  // namespace orlenda
