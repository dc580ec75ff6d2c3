#pragma once

// Checks of option values that CLI11 runs while it parses, so that a bad value is a usage error
// (exit status 2) before any file is touched.

#include <CLI/CLI.hpp>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/decimal_number.h"

namespace orlenda::cli {

// --ini: a file that does not exist is allowed (the defaults are then used, with a note); an empty
// name, a folder, a pipe, a device or a file that cannot be read is refused.
CLI::Validator SettingsFileCheck();

// A file to write (--log): any name but an empty one.
CLI::Validator FileNameCheck();

// A check that lets every value through that `accepts` takes, and refuses any other with NotAValue;
// `typeName` stands for the value in the help ("N", "FIRST-LAST").
CLI::Validator AcceptedValueCheck(std::function<bool(std::string_view)> accepts, std::string_view what,
                                  std::string typeName);

// A decimal whole number as ParseDecimalNumber (base/decimal_number.h) reads it: digits with an optional
// sign and nothing else. "017" is seventeen; "0x10" and "" are refused.
CLI::Validator DecimalNumberCheck();

// Makes an empty value, and a value that begins with "--", a usage error for every option of every
// subcommand that takes one: an unset variable in a script must never blank a value or stand for a
// default (`--name ""`), and an option whose value was forgotten must never swallow the next option as
// its value (`--log --ini X.plt`, `--name --rank`). A file whose name begins so is written ./--name.
void RefuseEmptyValues(CLI::App& app);

// The usage error for an option written with nothing after its "=" (`--ini=$INI` with INI unset),
// which would otherwise take the next argument as its value; nothing when there is none. `arguments`
// are in the order given, the program's name left out.
std::optional<std::string> EmptyValueAfterEquals(const std::vector<std::string>& arguments);

}  // namespace orlenda::cli
