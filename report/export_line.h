#pragma once

// The export line: the one-line score summary of a pilot that goes into the main log.

#include <string>
#include <string_view>

#include "pilot/pilot_record.h"
#include "report/report_context.h"
#include "report/summary_block.h"
#include "settings/settings_reader.h"

namespace orlenda {

// Composes the line from IncludeDate, NameSource and ScoreFormat, read from the settings now. Throws
// SettingsError when NameSource or ScoreFormat is not a decimal integer.
std::string ComposeExportLine(const PilotRecord& record, const SettingsReader& settings,
                              const ReportContext& context);

// The name part for a NameSource value: 0 the pilot's name, 1 the file's stem, 2 the stem up to its
// first space or underscore, any other value "John Doe". A CR or LF in the name is written as "?".
std::string ExportNamePart(const PilotRecord& record, int nameSource);

// The score part for a ScoreFormat value (0, 1 or 2); empty for any other value.
std::string ExportScorePart(const ScoreTotals& totals, int scoreFormat);

// The line as marked when the consistency check counted errors.
std::string MarkExportLineWithErrors(std::string_view line);

}  // namespace orlenda
