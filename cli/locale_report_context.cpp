#include "cli/locale_report_context.h"

#include <clocale>
#include <ctime>

namespace orlenda::cli {
namespace {

std::string TodayShortDate() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  if (::localtime_r(&now, &local) == nullptr) return {};
  char text[64] = {};
  const std::size_t length = std::strftime(text, sizeof text, "%x", &local);
  return std::string(text, length);
}

}  // namespace

ReportContext ReportContextFromLocale() {
  ReportContext context;
  const std::lconv* numeric = std::localeconv();
  if (numeric != nullptr && numeric->decimal_point != nullptr && *numeric->decimal_point != '\0')
    context.decimalSeparator = numeric->decimal_point;
  context.today = TodayShortDate();
  return context;
}

}  // namespace orlenda::cli
