#pragma once

// Writing and reading whole settings files byte for byte in tests.

#include <string>
#include <string_view>

namespace orlenda::test {

void WriteBytes(const std::string& path, std::string_view bytes);

// The file's bytes; "<missing>" when it cannot be read.
std::string ReadBytes(const std::string& path);

}  // namespace orlenda::test
