#include "base/local_time.h"

namespace orlenda {

bool BreakDownLocalTime(std::time_t moment, std::tm& local) { return ::localtime_s(&local, &moment) == 0; }

}  // namespace orlenda
