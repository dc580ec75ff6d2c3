#include "base/local_date.h"

#include <ctime>

#include "base/local_time.h"

namespace orlenda {
namespace {

// The moment in the user's time zone, written by strftime's format; empty when it cannot be told.
std::string LocalTimeText(std::time_t moment, const char* format) {
  std::tm local{};
  if (!BreakDownLocalTime(moment, local)) return {};
  char text[64] = {};
  const std::size_t length = std::strftime(text, sizeof text, format, &local);
  return std::string(text, length);
}

}  // namespace

std::string TodayShortDate() { return LocalTimeText(std::time(nullptr), "%x"); }

std::string LocalDateTimeText(std::int64_t secondsSinceEpoch) {
  return LocalTimeText(static_cast<std::time_t>(secondsSinceEpoch), "%Y-%m-%d %H:%M");
}

}  // namespace orlenda
