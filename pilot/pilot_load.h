#pragma once

// Loading one pilot file into a PilotRecord. Failures are counted, not thrown: the result carries the
// error count and the messages in the order the user is shown them; a file of a sister game's size
// gets one more, which names the game (pilot/sister_games.h).

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "pilot/pilot_record.h"

namespace orlenda {

struct LoadResult {
  PilotRecord record;
  int errorCount = 0;                        // the load's 16-bit error count, widened
  std::vector<std::string> messages;         // empty when errorCount is 0
  std::optional<std::int64_t> modifiedTime;  // of the file read, seconds since 1970 (UTC), when known

  bool Succeeded() const { return errorCount == 0; }
};

// Opens the file for reading only, so that read-only pilot files can be viewed.
LoadResult LoadPilotFile(const std::string& path);

// The same load over bytes already in memory; `fileSize` is the size the file reported, which may
// differ from bytes.size() when a read came up short. A fileSize of -1 stands for a failed open.
LoadResult LoadPilotBytes(std::span<const std::uint8_t> bytes, std::int64_t fileSize,
                          const std::string& path);

// The same over bytes that the caller hands over: when the load succeeds they become the record's copy
// of the file without being copied; when it fails they stay with the caller.
LoadResult LoadPilotBytes(std::vector<std::uint8_t>&& bytes, std::int64_t fileSize, const std::string& path);

// A file that cannot be opened: "Unable to open PATH: reason."
std::string CannotOpenPilotMessage(const std::string& path, const std::string& reason);

std::string WrongSizeMessage(std::int64_t size);
std::string LoadErrorCountMessage(int errorCount);

}  // namespace orlenda
