#include "report/locale_report_context.h"

#include <clocale>

#include "base/local_date.h"

namespace orlenda {

ReportContext ReportContextFromLocale() {
  ReportContext context;
  const std::lconv* numeric = std::localeconv();
  if (numeric != nullptr && numeric->decimal_point != nullptr && *numeric->decimal_point != '\0')
    context.decimalSeparator = numeric->decimal_point;
  context.today = TodayShortDate();
  return context;
}

}  // namespace orlenda
