#pragma once

// What a report needs from the platform, passed in so that the builders stay free of any user
// interface library and tests are deterministic.

#include <string>

namespace orlenda {

struct ReportContext {
  std::string decimalSeparator = ".";  // the user's locale
  std::string today;                   // the current date in the user's short date format
};

}  // namespace orlenda
