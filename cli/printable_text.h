#pragma once

// Text from the command line or a file name, made safe to print in a message.

#include <string>
#include <string_view>

namespace orlenda::cli {

// The text with every byte that is not part of valid UTF-8, and every control character but the tab,
// written as "\xNN": an argument in another encoding, or one holding terminal escapes, is shown as
// what it is instead of garbling the terminal.
std::string PrintableText(std::string_view text);

}  // namespace orlenda::cli
