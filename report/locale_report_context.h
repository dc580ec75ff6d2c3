#pragma once

#include "report/report_context.h"

namespace orlenda {

// The report context of the C locale settings that each program's main takes from the environment: the
// decimal separator of LC_NUMERIC ("." under LC_ALL=C) and today's date in LC_TIME's short form. Both
// front ends take it from here, so that one main log gets one form of the date from either.
ReportContext ReportContextFromLocale();

}  // namespace orlenda
