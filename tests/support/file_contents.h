#pragma once

// Reading and writing whole files byte for byte in tests.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace orlenda::test {

// Paths in tests are UTF-8, as in the program; these name the same file on every system (a narrow
// path on Windows would be read in the ANSI code page).
std::filesystem::path PathOfUtf8(std::string_view path);
std::string Utf8OfPath(const std::filesystem::path& path);

// The file's bytes; "<missing>" when it cannot be opened, so that a missing file never passes for an
// empty one.
std::string ReadBytes(const std::string& path);

// The same bytes as numbers, for tests that index or patch them.
std::vector<std::uint8_t> ReadByteVector(const std::string& path);

// The little-endian int32 at `offset`, which must leave four bytes.
std::int32_t Int32At(const std::vector<std::uint8_t>& bytes, std::size_t offset);

// Replaces the file's content with `bytes`, creating the file; throws when that fails.
void WriteBytes(const std::string& path, std::string_view bytes);

// The names in a folder, sorted, one a line: a failed write must leave no temporary file behind.
std::string FolderListing(const std::filesystem::path& folder);

}  // namespace orlenda::test
