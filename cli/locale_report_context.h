#pragma once

#include "report/report_context.h"

namespace orlenda::cli {

// The report context of the C locale settings that main takes from the environment: the decimal
// separator of LC_NUMERIC ("." under LC_ALL=C) and today's date in LC_TIME's short form.
ReportContext ReportContextFromLocale();

}  // namespace orlenda::cli
