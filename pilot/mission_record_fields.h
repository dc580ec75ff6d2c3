#pragma once

// Every known field of one 48-byte mission record, once, in record order: its name, the offset of its
// first byte within the record and its type, which also tells how many bytes it takes:
//   Int32   a little-endian int32, held in memory by MissionEntry under the field's name
//   Flag    one byte that the load does not read and that every written record sets
// An entry is FIELD(name, offset, type), or FIELD_TIMES_TEN(...) for an int32 that the record holds ten
// times the value kept in memory. Bytes not listed are not interpreted; the comments between the entries
// mark those gaps (first..last byte).
//
// MissionEntry declares its members from this list (pilot/pilot_record.h), pilot/mission_record.h the
// descriptors and the one decoder and encoder of a record; pilot/file_layout_check.cpp checks the list
// while compiling: in record order, no overlap, inside the record.

// clang-format off
#define ORLENDA_MISSION_RECORD_FIELDS(FIELD, FIELD_TIMES_TEN)                  \
  FIELD(MissionTag, 0, Int32)                                                  \
  /* 4..14: 11 bytes of unknown meaning */                                     \
  FIELD(CompletedFlag, 15, Flag)                                               \
  FIELD(PresenceMark, 16, Int32)                                               \
  /* 20..23: 4 bytes of unknown meaning */                                     \
  FIELD(Score, 24, Int32)                                                      \
  FIELD(Time, 28, Int32)                                                       \
  /* 32..39: 8 bytes of unknown meaning */                                     \
  FIELD_TIMES_TEN(Bonus, 40, Int32)                                            \
  /* 44..47: 4 bytes of unknown meaning, to the end of the record */
// clang-format on
