#pragma once

// Today's date as the user writes it.

#include <cstdint>
#include <string>

namespace orlenda {

// The short date of the C library's current locale (strftime's "%x"); empty when the date cannot be
// told.
std::string TodayShortDate();

// A moment (seconds since 1970-01-01 UTC) in the user's time zone, as "2026-12-09 21:14"; empty when it
// cannot be told.
std::string LocalDateTimeText(std::int64_t secondsSinceEpoch);

}  // namespace orlenda
