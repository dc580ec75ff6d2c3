#pragma once

// Every known field of the pilot file, once, in file order: its name, the offset of its first byte and
// its type in memory, which also tells how many bytes it takes in the file:
//   PilotNameText, GameNameText   text of kPilotNameSize or kGameNameSize bytes
//   Int32                         a little-endian int32
//   CraftList, RatingList         an int32 for each craft type or rating
//   MissionList                   kMissionSlotCount records of kMissionRecordSize bytes
// The name is the PilotRecord member that holds the field and the name under which the dump and the
// diff show it. An entry is FIELD(name, offset, type), or FIELD_TIMES_TEN(...) for an int32 that the
// file holds ten times the value kept in memory. Bytes not listed are not interpreted; the comments
// between the entries mark those gaps (first..last byte).
//
// PilotRecord declares its members from this list (pilot/pilot_record.h), and pilot/file_layout.h the
// descriptors through which every read and write of the file goes; pilot/file_layout_check.cpp checks
// it while compiling: in file order, no overlap, inside the file.

// clang-format off
#define ORLENDA_PILOT_FILE_FIELDS(FIELD, FIELD_TIMES_TEN)                      \
  FIELD(PilotName, 0, PilotNameText)                                           \
  /* 13..73: 61 bytes of unknown meaning */                                    \
  FIELD(MPJoinGameName, 74, GameNameText)                                      \
  /* 105..105: 1 byte of unknown meaning */                                    \
  FIELD(MPHostGameName, 106, GameNameText)                                     \
  /* 137..153: 17 bytes of unknown meaning */                                  \
  FIELD(ToNextRating, 154, Int32)                                              \
  FIELD(TODScoreA, 158, Int32)                                                 \
  FIELD(AzzScoreA, 162, Int32)                                                 \
  FIELD(SimScoreA, 166, Int32)                                                 \
  /* 170..209: 40 bytes of unknown meaning */                                  \
  FIELD(TODKillsA, 210, CraftList)                                             \
  /* 1134..2257: 1124 bytes of unknown meaning */                              \
  FIELD(AzzKills, 2258, CraftList)                                             \
  /* 3182..4305: 1124 bytes of unknown meaning */                              \
  FIELD(SimKillsA, 4306, CraftList)                                            \
  /* 5230..6353: 1124 bytes of unknown meaning */                              \
  FIELD(TODAssistsA, 6354, CraftList)                                          \
  /* 7278..8401: 1124 bytes of unknown meaning */                              \
  FIELD(AzzAssistsA, 8402, CraftList)                                          \
  /* 9326..10449: 1124 bytes of unknown meaning */                             \
  FIELD(SimAssists, 10450, CraftList)                                          \
  /* 11374..19789: 8416 bytes of unknown meaning */                            \
  FIELD(TODMissileHits, 19790, Int32)                                          \
  /* 19794..19801: 8 bytes of unknown meaning */                               \
  FIELD(TODMissilesFired, 19802, Int32)                                        \
  /* 19806..43813: 24008 bytes of unknown meaning */                           \
  FIELD(LaserHitA, 43814, Int32)                                               \
  /* 43818..43849: 32 bytes of unknown meaning */                              \
  FIELD(MissileCountAB, 43850, Int32)                                          \
  /* 43854..44285: 432 bytes of unknown meaning */                             \
  FIELD(CampaignMissions, 44286, MissionList)                                  \
  FIELD(SimMissions, 56526, MissionList)                                       \
  /* 68766..69277: 512 bytes of unknown meaning */                             \
  FIELD(Rating, 69278, Int32)                                                  \
  FIELD(Rank, 69282, Int32)                                                    \
  FIELD(KalidorStatus, 69286, Int32)                                           \
  /* 69290..70725: 1436 bytes of unknown meaning */                            \
  FIELD(TODScoreB, 70726, Int32)                                               \
  /* 70730..70733: 4 bytes of unknown meaning */                               \
  FIELD_TIMES_TEN(TODBonus, 70734, Int32)                                      \
  FIELD(TODScoreC, 70738, Int32)                                               \
  FIELD(TODScoreD, 70742, Int32)                                               \
  /* 70746..70765: 20 bytes of unknown meaning */                              \
  FIELD(TODKillCount, 70766, Int32)                                            \
  /* 70770..70793: 24 bytes of unknown meaning */                              \
  FIELD(TODKillsB, 70794, CraftList)                                           \
  /* 71718..76937: 5220 bytes of unknown meaning */                            \
  FIELD(TODAssistsB, 76938, CraftList)                                         \
  /* 77862..90349: 12488 bytes of unknown meaning */                           \
  FIELD(TODLaserHit, 90350, Int32)                                             \
  /* 90354..90361: 8 bytes of unknown meaning */                               \
  FIELD(TotalLaserA, 90362, Int32)                                             \
  /* 90366..111309: 20944 bytes of unknown meaning */                          \
  FIELD(SimScoreB, 111310, Int32)                                              \
  /* 111314..111317: 4 bytes of unknown meaning */                             \
  FIELD_TIMES_TEN(SimBonus, 111318, Int32)                                     \
  FIELD(SimScoreC, 111322, Int32)                                              \
  /* 111326..111333: 8 bytes of unknown meaning */                             \
  FIELD(SimScoreD, 111334, Int32)                                              \
  /* 111338..115473: 4136 bytes of unknown meaning */                          \
  FIELD(SimKillsB, 115474, CraftList)                                          \
  /* 116398..130005: 13608 bytes of unknown meaning */                         \
  FIELD(PlayersKilledByRating, 130006, RatingList)                             \
  /* 130106..130989: 884 bytes of unknown meaning */                           \
  FIELD(CraftLosses, 130990, Int32)                                            \
  /* 130994..131001: 8 bytes of unknown meaning */                             \
  FIELD(LossesFromCollisions, 131002, Int32)                                   \
  /* 131006..131013: 8 bytes of unknown meaning */                             \
  FIELD(LossesToStarships, 131014, Int32)                                      \
  /* 131018..131025: 8 bytes of unknown meaning */                             \
  FIELD(LossesToMines, 131026, Int32)                                          \
  /* 131030..131229: 200 bytes of unknown meaning */                           \
  FIELD(KilledByPlayersByRating, 131230, RatingList)                           \
  /* 131330..131377: 48 bytes of unknown meaning */                            \
  FIELD(LossesToNonPlayerCraft, 131378, Int32)                                 \
  /* 131382..131601: 220 bytes of unknown meaning */                           \
  FIELD(AzzScoreB, 131602, Int32)                                              \
  /* 131606..131609: 4 bytes of unknown meaning */                             \
  FIELD_TIMES_TEN(AzzBonus, 131610, Int32)                                     \
  FIELD(AzzScoreC, 131614, Int32)                                              \
  /* 131618..131621: 4 bytes of unknown meaning */                             \
  FIELD(AzzScoreD, 131622, Int32)                                              \
  /* 131626..131645: 20 bytes of unknown meaning */                            \
  FIELD(AzzKillCount, 131646, Int32)                                           \
  /* 131650..139861: 8212 bytes of unknown meaning */                          \
  FIELD(AzzAssistsB, 139862, CraftList)                                        \
  /* 140786..152075: 11290 bytes of unknown meaning, to the end of the file */
// clang-format on
