#include "support/file_contents.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

#include "pilot/le_int32.h"

namespace orlenda::test {

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return "<missing>";
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::uint8_t> ReadByteVector(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::int32_t Int32At(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
  return ReadInt32LE(std::span<const std::uint8_t, 4>(bytes.data() + offset, 4));
}

void WriteBytes(const std::string& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out.flush()) throw std::runtime_error("cannot write " + path);
}

}  // namespace orlenda::test
