#pragma once

// The system's own words for a missing file or folder, which the program's messages quote.

namespace orlenda::test {

#ifdef _WIN32
inline constexpr const char* kNoSuchFile = "File not found";
inline constexpr const char* kNoSuchFolder = "Path not found";
#else
inline constexpr const char* kNoSuchFile = "No such file or directory";
inline constexpr const char* kNoSuchFolder = "No such file or directory";
#endif

}  // namespace orlenda::test
