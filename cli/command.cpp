#include "cli/command.h"

#include <ostream>

#include "base/display_text.h"
#include "base/path_kind.h"
#include "settings/default_paths.h"
#include "settings/settings_ini.h"

namespace orlenda::cli {

void PrintMessage(std::string_view message, std::ostream& err) { err << EscapedText(message) << '\n'; }

void PrintLoadMessages(const LoadResult& result, std::ostream& err, std::string_view label) {
  const std::string prefix = label.empty() ? std::string() : std::string(label) + ": ";
  for (const std::string& message : result.messages) PrintMessage(prefix + message, err);
}

std::string SettingsPathOrDefault(const std::string& iniOption, std::ostream& err) {
  if (iniOption.empty()) return DefaultSettingsPath();
  if (IsMissing(iniOption)) {
    PrintMessage("Settings file " + iniOption + " does not exist: the defaults are used", err);
  }
  return iniOption;
}

int StatusAfterFlush(int status, std::ostream& out, std::ostream& err) {
  const int failed = status == kSuccess ? kFailure : status;
  if (!out.flush()) {
    err << CannotWriteOutputMessage() << '\n';
    status = failed;
  }
  if (!err.flush()) status = failed;
  return status;
}

std::string CannotWriteOutputMessage() { return "Cannot write to standard output"; }

}  // namespace orlenda::cli
