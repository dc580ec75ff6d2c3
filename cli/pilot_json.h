#pragma once

#include <ostream>

#include "pilot/pilot_record.h"

namespace orlenda::cli {

// Writes every field of the record under its own name, texts as UTF-8, with the display texts of the
// enumerations (null where a value has no item), then the campaign as the career model reads it: its
// layout, every slot that holds a record and the battles. Laid out and escaped as every JSON answer of
// ours (cli/json_writer.h).
void WritePilotJson(const PilotRecord& record, std::ostream& out);

}  // namespace orlenda::cli
