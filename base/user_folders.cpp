#include "base/user_folders.h"

#include <filesystem>

namespace orlenda {

std::string InFolder(const std::string& folder, std::string_view name) {
  constexpr char kSeparator = static_cast<char>(std::filesystem::path::preferred_separator);
  if (folder.empty()) return std::string(name);
  if (folder.back() == '/' || folder.back() == kSeparator) return folder + std::string(name);
  return folder + kSeparator + std::string(name);
}

}  // namespace orlenda
