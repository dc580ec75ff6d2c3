#include "base/local_date.h"

#include <ctime>

namespace orlenda {

std::string TodayShortDate() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  if (::localtime_s(&local, &now) != 0) return {};
  char text[64] = {};
  const std::size_t length = std::strftime(text, sizeof text, "%x", &local);
  return std::string(text, length);
}

}  // namespace orlenda
