#include "base/file_messages.h"

namespace orlenda {

std::string CannotCreateFileMessage(const std::string& path) { return "Cannot create file " + path; }

std::string CannotCreateFileMessage(const std::string& path, const std::string& reason) {
  return reason.empty() ? CannotCreateFileMessage(path) : CannotCreateFileMessage(path) + " (" + reason + ")";
}

std::string CannotOpenFileMessage(const std::string& path) { return "Cannot open file " + path; }

std::string CannotOpenFileMessage(const std::string& path, const std::string& reason) {
  return reason.empty() ? CannotOpenFileMessage(path) : CannotOpenFileMessage(path) + " (" + reason + ")";
}

}  // namespace orlenda
