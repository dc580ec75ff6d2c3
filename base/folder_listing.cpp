#include "base/folder_listing.h"

#include <algorithm>
#include <cctype>

namespace orlenda {

bool HasExtension(std::string_view name, std::string_view extension) {
  if (name.size() <= extension.size()) return false;
  const std::string_view end = name.substr(name.size() - extension.size());
  return std::equal(end.begin(), end.end(), extension.begin(), [](char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
  });
}

}  // namespace orlenda
