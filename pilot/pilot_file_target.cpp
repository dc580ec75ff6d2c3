#include "pilot/pilot_file_target.h"

#include <cstdint>
#include <span>

#include "base/display_text.h"
#include "base/file_bytes.h"
#include "base/folder_entries.h"
#include "pilot/pilot_file_name.h"
#include "pilot/pilot_load.h"
#include "pilot/pilot_record.h"

namespace orlenda {

bool HoldsPilotFile(std::string_view bytes, const std::string& path) {
  if (bytes.size() != kPilotFileSize || bytes.find('\0') == std::string_view::npos) return false;
  const std::span<const std::uint8_t> image(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                            bytes.size());
  return LoadPilotBytes(image, static_cast<std::int64_t>(bytes.size()), path).Succeeded();
}

bool LeadsToPilotFileName(const std::string& path) {
  return IsPilotFileName(path) || IsPilotFileName(WhereLinksLead(path));
}

std::optional<std::string> PilotFileTargetRefusal(const std::string& path, std::string_view use) {
  if (LeadsToPilotFileName(path)) return PilotFileTargetMessage(path, use);
  const FileBytes file = ReadFileOfSize(path, static_cast<std::int64_t>(kPilotFileSize));
  if (!file.opened || file.bytes.size() != kPilotFileSize) return std::nullopt;
  const std::string_view bytes(reinterpret_cast<const char*>(file.bytes.data()), file.bytes.size());
  if (!HoldsPilotFile(bytes, path)) return std::nullopt;
  return PilotFileTargetMessage(path, use);
}

std::string PilotFileTargetMessage(const std::string& path, std::string_view use) {
  const std::string start = "Cannot use " + EscapedText(path) + " as " + std::string(use) + ": ";
  const std::string target = WhereLinksLead(path);
  if (IsPilotFileName(path) || target == path) return start + "it is a pilot file";
  return start + "it leads to the pilot file " + EscapedText(target);
}

}  // namespace orlenda
