#pragma once

// Today's date as the user writes it.

#include <string>

namespace orlenda {

// The short date of the user's locale (strftime's "%x" of the C library's current locale; on Windows
// the user's short date format); empty when the date cannot be told.
std::string TodayShortDate();

}  // namespace orlenda
