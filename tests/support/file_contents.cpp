#include "support/file_contents.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "pilot/le_int32.h"

namespace orlenda::test {

std::filesystem::path PathOfUtf8(std::string_view path) {
  return std::filesystem::path(
      std::u8string_view(reinterpret_cast<const char8_t*>(path.data()), path.size()));
}

std::string Utf8OfPath(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(reinterpret_cast<const char*>(text.data()), text.size());
}

std::string ReadBytes(const std::string& path) {
  std::ifstream in(PathOfUtf8(path), std::ios::binary);
  if (!in) return "<missing>";
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::uint8_t> ReadByteVector(const std::string& path) {
  std::ifstream in(PathOfUtf8(path), std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::int32_t Int32At(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
  return ReadInt32LE(std::span<const std::uint8_t, 4>(bytes.data() + offset, 4));
}

void WriteBytes(const std::string& path, std::string_view bytes) {
  std::ofstream out(PathOfUtf8(path), std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out.flush()) throw std::runtime_error("cannot write " + path);
}

std::string FolderListing(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    names.push_back(Utf8OfPath(entry.path().filename()));
  std::sort(names.begin(), names.end());
  std::string listing;
  for (const auto& name : names) listing += name + "\n";
  return listing;
}

}  // namespace orlenda::test
