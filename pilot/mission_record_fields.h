#pragma once

// Every known field of one 48-byte mission record, once, in record order: its name and the offset of
// its first byte within the record. Each is an entry of its kind:
//   INT32(name, offset)             a little-endian int32, held in memory by MissionEntry's member name
//   INT32_TIMES_TEN(name, offset)   the same, for an int32 that the record holds ten times the value
//                                   kept in memory
//   FLAG(name, offset)              one byte that the load does not read and every written record sets
// Bytes not listed are not interpreted; the comments between the entries mark those gaps
// (first..last byte).
//
// MissionEntry declares its members from this list (pilot/pilot_record.h), pilot/mission_record.h the
// descriptors and the one decoder and encoder of a record; pilot/file_layout_check.cpp checks the list
// while compiling: in record order, no overlap, inside the record.

// clang-format off
#define ORLENDA_MISSION_RECORD_FIELDS(INT32, INT32_TIMES_TEN, FLAG)            \
  INT32(MissionTag, 0)                                                         \
  /* 4..14: 11 bytes of unknown meaning */                                     \
  FLAG(CompletedFlag, 15)                                                      \
  INT32(PresenceMark, 16)                                                      \
  /* 20..23: 4 bytes of unknown meaning */                                     \
  INT32(Score, 24)                                                             \
  INT32(Time, 28)                                                              \
  /* 32..39: 8 bytes of unknown meaning */                                     \
  INT32_TIMES_TEN(Bonus, 40)                                                   \
  /* 44..47: 4 bytes of unknown meaning, to the end of the record */
// clang-format on
