#include "base/temporary_files.h"

#include <algorithm>
#include <cctype>

namespace orlenda {

bool IsTemporaryNameOf(std::string_view entry, std::string_view name) {
  constexpr std::size_t kRandomLength = 6;
  if (!entry.starts_with(name)) return false;
  entry.remove_prefix(name.size());
  if (!entry.starts_with(kTemporaryInfix)) return false;
  entry.remove_prefix(kTemporaryInfix.size());
  return entry.size() == kRandomLength && std::all_of(entry.begin(), entry.end(), [](char c) {
           return std::isalnum(static_cast<unsigned char>(c));
         });
}

}  // namespace orlenda
