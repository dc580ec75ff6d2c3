#pragma once

// The generic messages of a file that cannot be created or opened, as every window and the command
// line word them. `path` is as the caller shows it (escaped at its edge).

#include <string>

namespace orlenda {

std::string CannotCreateFileMessage(const std::string& path);  // "Cannot create file %s"
std::string CannotOpenFileMessage(const std::string& path);    // "Cannot open file %s"
// "Cannot create file %s (reason)": the system's reason after it, when there is one.
std::string CannotCreateFileMessage(const std::string& path, const std::string& reason);
// "Cannot open file %s (reason)", likewise.
std::string CannotOpenFileMessage(const std::string& path, const std::string& reason);

}  // namespace orlenda
