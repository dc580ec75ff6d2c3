#pragma once

#include <nlohmann/json.hpp>
#include <ostream>

#include "pilot/pilot_record.h"

namespace orlenda::cli {

// Every field of the record under its own name, texts as UTF-8, with the display texts of the
// enumerations (null where a value has no item).
nlohmann::ordered_json PilotRecordToJson(const PilotRecord& record);

// Writes a tree of values laid out as dump(2) lays it out, its strings escaped as every JSON answer of
// ours escapes them (cli/json_writer.h).
void WriteJson(const nlohmann::ordered_json& value, std::ostream& out);

}  // namespace orlenda::cli
