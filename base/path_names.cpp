#include "base/path_names.h"

#include <algorithm>
#include <filesystem>

namespace orlenda {

std::string_view LastPathComponent(std::string_view path) {
  const std::size_t separator = path.find_last_of("/\\");
  return separator == std::string_view::npos ? path : path.substr(separator + 1);
}

std::string WithSystemSeparators(std::string path) {
  constexpr char kSeparator = static_cast<char>(std::filesystem::path::preferred_separator);
  std::replace(path.begin(), path.end(), '/', kSeparator);
  return path;
}

}  // namespace orlenda
