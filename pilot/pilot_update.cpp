#include "pilot/pilot_update.h"

#include <cstdint>
#include <vector>

#include "base/writable_file.h"
#include "pilot/details_patch.h"
#include "pilot/pilot_load.h"
#include "pilot/unwritten_fields.h"

namespace orlenda {
namespace {

constexpr const char* kNothingWritten = " Nothing was written.";

UpdateResult Failed(std::string message) { return {false, std::move(message)}; }

std::string WrongFileMessage(const std::string& path, std::int64_t size) {
  if (size < 0) return path + " is not a regular file." + kNothingWritten;
  return path + " has " + std::to_string(size) +
         " bytes now, not the 152,076 bytes of a pilot file; it has changed since it was loaded." +
         kNothingWritten;
}

std::string WriteFailedMessage(const std::string& path, const std::string& reason) {
  return "Unable to write to " + path + ": " + reason + ". The file may be only partly updated; " +
         PilotBackups::BackupPath(path) + " holds it as it was before this run first saved it.";
}

// The file's current bytes, refused unless it is still the pilot file that `record` describes.
UpdateResult ReadCurrentFile(WritableFile& file, const std::string& path, const PilotRecord& record,
                             std::vector<std::uint8_t>& image) {
  const std::int64_t size = file.RegularFileSize();
  if (size != static_cast<std::int64_t>(kPilotFileSize)) return Failed(WrongFileMessage(path, size));
  if (!file.ReadAll(image, kPilotFileSize))
    return Failed("Unable to read " + path + ": " + file.reason() + "." + kNothingWritten);
  if (!UnwrittenFieldsMatch(LoadPilotBytes(image, size, path).record, record))
    return Failed(path +
                  " has been changed by another program since it was loaded. Open it again before saving." +
                  kNothingWritten);
  return {true, {}};
}

UpdateResult WriteRanges(WritableFile& file, const std::string& path, const std::vector<std::uint8_t>& image,
                         const std::vector<ByteRange>& ranges) {
  for (const ByteRange& range : ranges)
    if (!file.WriteAt(range.offset, std::span(image).subspan(range.offset, range.size)))
      return Failed(WriteFailedMessage(path, file.reason()));
  if (!file.SyncToDisk() || !file.Close()) return Failed(WriteFailedMessage(path, file.reason()));
  return {true, {}};
}

void TakeWrittenValues(PilotRecord& record, const StoredPilotName& name, const PilotDetails& details) {
  record.PilotName = name;
  if (details.rank) record.Rank = *details.rank;
  if (details.rating) record.Rating = *details.rating;
  if (details.kalidorStatus) record.KalidorStatus = *details.kalidorStatus;
}

}  // namespace

UpdateResult UpdatePilotFile(const std::string& path, const PilotDetails& details, PilotRecord& record,
                             PilotBackups& backups) {
  if (auto refusal = CheckPilotDetails(details, record)) return Failed(*refusal);

  WritableFile file(path);
  if (!file.IsOpen())
    return Failed("Unable to open " + path + " for writing: " + file.reason() + "." + kNothingWritten);
  std::vector<std::uint8_t> image;
  if (UpdateResult read = ReadCurrentFile(file, path, record, image); !read.succeeded) return read;

  std::string backupMessage;
  if (!backups.EnsureBackup(path, image, backupMessage)) return Failed(backupMessage);

  const StoredPilotName name = StoredNameOf(details.name);
  const std::vector<ByteRange> ranges =
      PatchPilotDetails(PilotFileImage(image.data(), kPilotFileSize), name, details, record.CampaignMissions);
  if (UpdateResult written = WriteRanges(file, path, image, ranges); !written.succeeded) return written;

  TakeWrittenValues(record, name, details);
  return {true, {}};
}

}  // namespace orlenda
