#include "base/local_date.h"

#include <ctime>

namespace orlenda {

std::string TodayShortDate() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  if (::localtime_r(&now, &local) == nullptr) return {};
  char text[64] = {};
  const std::size_t length = std::strftime(text, sizeof text, "%x", &local);
  return std::string(text, length);
}

std::string LocalDateTimeText(std::int64_t secondsSinceEpoch) {
  const auto moment = static_cast<std::time_t>(secondsSinceEpoch);
  std::tm local{};
  if (::localtime_r(&moment, &local) == nullptr) return {};
  char text[64] = {};
  const std::size_t length = std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &local);
  return std::string(text, length);
}

}  // namespace orlenda
