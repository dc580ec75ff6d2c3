#pragma once

// Today's date as the user writes it.

#include <string>

namespace orlenda {

// The short date of the C library's current locale (strftime's "%x"); empty when the date cannot be
// told.
std::string TodayShortDate();

}  // namespace orlenda
