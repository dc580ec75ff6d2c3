#include "pilot/pilot_file_name.h"

#include "base/ascii_text.h"
#include "base/path_names.h"

namespace orlenda {

bool IsPilotFileName(std::string_view nameOrPath) {
  const std::string_view name = LastPathComponent(nameOrPath);
  return name.size() > kPilotFileExtension.size() && EndsWithIgnoringAsciiCase(name, kPilotFileExtension);
}

}  // namespace orlenda
