#include "cli/option_checks.h"

#include "base/display_text.h"
#include "base/file_bytes.h"
#include "base/path_kind.h"

namespace orlenda::cli {
namespace {

constexpr const char* kEmptyFileName = "the file name is empty";
constexpr const char* kEmptyValue = "the value is empty";

// The one rule for the value of every option, whatever it names: a file, a name, a text or a number.
std::string ValueRefusal(const std::string& text) {
  if (text.empty()) return kEmptyValue;
  if (text.starts_with("--"))
    return "the value \"" + EscapedText(text) +
           "\" begins with \"--\", as an option does; give the option "
           "its value first (a file of that name is ./" +
           EscapedText(text) + ")";
  return {};
}

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

CLI::Validator AcceptedValueCheck(std::function<bool(std::string_view)> accepts, std::string_view what,
                                  std::string typeName) {
  return CLI::Validator(
      [accepts = std::move(accepts), what = std::string(what)](std::string& text) {
        return accepts(text) ? std::string() : NotAValue(text, what);
      },
      std::move(typeName));
}

CLI::Validator DecimalNumberCheck() {
  return AcceptedValueCheck([](std::string_view text) { return ParseDecimalNumber(text).has_value(); },
                            "a decimal number (digits with an optional sign)", "N");
}

void RefuseEmptyValues(CLI::App& app) {
  const CLI::Validator notEmpty([](std::string& text) { return ValueRefusal(text); }, "");
  for (CLI::App* command : app.get_subcommands([](CLI::App*) { return true; }))
    for (CLI::Option* option : command->get_options())
      if (option->nonpositional() && option->get_type_size() != 0) option->check(notEmpty);
}

std::optional<std::string> EmptyValueAfterEquals(const std::vector<std::string>& arguments) {
  for (const std::string& argument : arguments) {
    if (argument == "--") break;  // file names follow
    if (argument.starts_with("--") && argument.size() > 3 && argument.find('=') == argument.size() - 1)
      return argument.substr(0, argument.size() - 1) + ": " + kEmptyValue;
  }
  return std::nullopt;
}

}  // namespace orlenda::cli
