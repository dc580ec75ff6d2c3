#pragma once

#include <nlohmann/json.hpp>

#include "pilot/pilot_record.h"

namespace orlenda::cli {

// Every field of the record under its own name, texts as UTF-8, with the display texts of the
// enumerations (null where a value has no item).
nlohmann::ordered_json PilotRecordToJson(const PilotRecord& record);

}  // namespace orlenda::cli
