#include "cli/option_checks.h"

#include "base/display_text.h"
#include "base/file_bytes.h"
#include "base/path_kind.h"

namespace orlenda::cli {
namespace {

constexpr const char* kEmptyFileName = "the file name is empty";

}  // namespace

CLI::Validator SettingsFileCheck() {
  return CLI::Validator(
      [](std::string& path) -> std::string {
        if (path.empty()) return kEmptyFileName;  // an empty variable in a script, not the defaults
        const PathKind kind = KindOf(path);
        if (kind == PathKind::kMissing) return {};
        const std::string shown = EscapedText(path);
        if (IsFolder(path)) return shown + " is a folder, not a settings file";
        if (kind == PathKind::kOther) return shown + " is not a plain file";
        std::string text;
        if (kind == PathKind::kUnexaminable || !ReadWholeFile(path, text)) return "cannot read " + shown;
        return {};
      },
      "FILE");
}

CLI::Validator FileNameCheck() {
  return CLI::Validator([](std::string& path) -> std::string { return path.empty() ? kEmptyFileName : ""; },
                        "FILE");
}

CLI::Validator DecimalNumberCheck() {
  return CLI::Validator(
      [](std::string& text) -> std::string {
        if (ParseDecimalNumber(text)) return {};
        return "\"" + EscapedText(text) + "\" is not a decimal number (digits with an optional sign)";
      },
      "N");
}

}  // namespace orlenda::cli
