#include "history/state_export.h"

#include <string_view>

#include "base/file_replacement.h"
#include "base/path_kind.h"
#include "base/windows1252.h"

namespace orlenda {

std::optional<std::string> ExportKeptState(const std::vector<std::uint8_t>& bytes, const std::string& out,
                                           const std::string& pilotPath) {
  const std::string shownOut = Utf8FromUtf8OrWindows1252(out);
  if (!NothingAt(out)) return shownOut + " exists already; nothing was written.";
  std::string reason;
  const std::string_view content(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  if (!ReplaceWholeFile(out, content, {LinkAtName::kFollow, pilotPath}, reason))
    return "Unable to write " + shownOut + ": " + reason + ".";
  return std::nullopt;
}

}  // namespace orlenda
