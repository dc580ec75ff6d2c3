#pragma once

// Checks of option values that CLI11 runs while it parses, so that a bad value is a usage error
// (exit status 2) before any file is touched.

#include <CLI/CLI.hpp>

#include "base/decimal_number.h"

namespace orlenda::cli {

// --ini: a file that does not exist is allowed (the defaults are then used, with a note); an empty
// name, a folder, a pipe, a device or a file that cannot be read is refused.
CLI::Validator SettingsFileCheck();

// A file to write (--log): any name but an empty one.
CLI::Validator FileNameCheck();

// A decimal whole number as ParseDecimalNumber (base/decimal_number.h) reads it: digits with an optional
// sign and nothing else. "017" is seventeen; "0x10" and "" are refused.
CLI::Validator DecimalNumberCheck();

}  // namespace orlenda::cli
