#pragma once

// Reading the Windows registry, where installers record where they put a program. Text in and out is
// UTF-8. On systems without a registry every read finds nothing.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orlenda {

enum class RegistryHive { CurrentUser, LocalMachine };

// The text value `name` of `key` (sub-keys separated by "\"), looked up in the 64-bit view and then
// in the 32-bit view, where 32-bit installers write; nothing when it is missing or not text.
std::optional<std::string> RegistryText(RegistryHive hive, std::string_view key, std::string_view name);

// The names of the sub-keys of `key`, from both views, without repeats.
std::vector<std::string> RegistrySubKeys(RegistryHive hive, std::string_view key);

}  // namespace orlenda
