#include "base/registry.h"

// This system has no registry: programs are found through their folders.

namespace orlenda {

std::optional<std::string> RegistryText(RegistryHive, std::string_view, std::string_view) {
  return std::nullopt;
}

std::vector<std::string> RegistrySubKeys(RegistryHive, std::string_view) { return {}; }

}  // namespace orlenda
