#pragma once

// One private folder per fuzzing process for the files a target writes, removed when the process ends.

#include <string>

namespace orlenda::fuzz {

// The folder, created on first use under $TMPDIR (or /tmp).
const std::string& ScratchDir();

// Replaces the file's whole content; aborts when that fails, since the run would prove nothing.
void WriteScratchFile(const std::string& path, const std::string& content);

// The file's whole content; aborts when it cannot be read.
std::string ReadScratchFile(const std::string& path);

}  // namespace orlenda::fuzz
