#pragma once

// The one system call that the local dates need: a moment broken down in the user's time zone.

#include <ctime>

namespace orlenda {

// False when the system cannot tell the local time of that moment.
bool BreakDownLocalTime(std::time_t moment, std::tm& local);

}  // namespace orlenda
