#pragma once

#include <ostream>

#include "cli/json_writer.h"
#include "pilot/pilot_record.h"

namespace orlenda::cli {

// Writes every field of the record under its own name, texts as UTF-8, with the display texts of the
// enumerations (null where a value has no item), then the campaign as the career model reads it: its
// layout, every slot that holds a record and the battles. Laid out and escaped as every JSON answer of
// ours (cli/json_writer.h).
void WritePilotJson(const PilotRecord& record, std::ostream& out);

// A mission record's members under the names of its fields, as the dump and the diff write them.
void WriteMissionEntryMembers(const MissionEntry& e, JsonWriter& json);

}  // namespace orlenda::cli
