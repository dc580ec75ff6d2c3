#pragma once

// A file's stamp with the moment it was taken, and when it may stand for the file's contents: a
// program that kept the stamp of a file as it last read it may skip reading it again while the stamp is
// the same.

#include <cstdint>
#include <optional>
#include <string>

#include "base/system_file.h"

namespace orlenda {

struct TakenStamp {
  FileStamp stamp;
  std::int64_t takenAtNs = 0;  // the system clock just before the look, nanoseconds since 1970 UTC
};

// How long a file must have been left alone before its stamp is trusted.
inline constexpr std::int64_t kSettledStampNs = 2'000'000'000;

// The stamp of the regular file that `path` names; nothing when there is none or it is no regular file.
std::optional<TakenStamp> TakeFileStamp(const std::string& path);

// True when the contents had not changed for kSettledStampNs when the stamp was taken. A file written
// again within the modification time's granularity (whole seconds on some file systems, two on FAT)
// keeps the time of the first write; once a stamp has settled, any later write gives a later time.
bool IsSettled(const TakenStamp& taken);

}  // namespace orlenda
