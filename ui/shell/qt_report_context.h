#pragma once

// The report's platform values from the user's locale: the decimal separator and today's date in the
// short date format.

#include "report/report_context.h"

namespace orlenda {

ReportContext CurrentReportContext();

}  // namespace orlenda
