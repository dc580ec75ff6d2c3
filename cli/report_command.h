#pragma once

#include <CLI/CLI.hpp>
#include <iosfwd>
#include <optional>
#include <string>

#include "pilot/pilot_record.h"

namespace orlenda::cli {

// The report of a loaded pilot on `out`, with the settings of `ini` (the desktop program's when empty)
// and the listing's From/To when given; kFailure, with the reason on `err`, when a setting fails.
int PrintPilotReport(const PilotRecord& record, const std::string& ini,
                     const std::optional<std::string>& from, const std::optional<std::string>& to,
                     std::ostream& out, std::ostream& err);

// `report [--ini FILE] [--from N] [--to N] PILOT.plt`: the lines of the pilot file view's text window
// after a load of that file.
void AddReportCommand(CLI::App& app, int& exitStatus);

}  // namespace orlenda::cli
