#include "cli/lock_wait_option.h"

#include <limits>
#include <ostream>
#include <string>

#include "base/display_text.h"
#include "cli/command.h"
#include "cli/option_checks.h"

namespace orlenda::cli {

void AddLockWaitOption(CLI::App& command, int& seconds) {
  command
      .add_option_function<std::string>(
          "--wait", [&seconds](const std::string& text) { seconds = ParseDecimalNumber(text).value_or(0); },
          "Seconds to wait for a file that another program holds locked (default 30; 0: do not wait)")
      ->check(CLI::Validator(
          [](std::string& text) -> std::string {
            const auto value = ParseDecimalNumber(text);
            if (value && *value >= 0) return {};
            if (IsDecimalNumberOutOfRange(text) && !text.starts_with('-'))
              return "\"" + EscapedText(text) + "\" is too large a number of seconds (at most " +
                     std::to_string(std::numeric_limits<int>::max()) + ")";
            return NotAValue(text, "a number of seconds (0 or more)");
          },
          "SECONDS"));
}

LockWait LockWaitOf(int seconds, std::ostream& err) {
  LockWait wait;
  wait.limit = std::chrono::seconds(seconds);
  wait.onLongWait = [seconds, &err](const std::string& path) {
    const std::string unit = seconds == 1 ? " second" : " seconds";
    PrintMessage(path + " is locked by another program; waiting up to " + std::to_string(seconds) + unit +
                     " for it to be free.",
                 err);
    err.flush();
    return true;
  };
  return wait;
}

}  // namespace orlenda::cli
