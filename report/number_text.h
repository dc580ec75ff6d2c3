#pragma once

// How the reports write numbers: integers in plain decimal, percentages with one decimal, and mission
// times as minutes and seconds.

#include <cstdint>
#include <string>
#include <string_view>

namespace orlenda {

// Decimal text with a leading "-" when negative, without padding or grouping.
std::string IntText(std::int64_t value);

// Appends IntText(value) to `text`, for lines built in one buffer.
void AppendIntText(std::string& text, std::int64_t value);

// `hits` over `shots` times 100, rounded to one decimal or to five significant digits, whichever is
// coarser, with halves away from zero, written with exactly one digit after `decimalSeparator`
// (2 of 3 gives "66.7", 1 of 16 "6.3", 12345.67 "12346.0"). The caller makes sure that shots > 0.
std::string PercentageText(std::int32_t hits, std::int32_t shots, std::string_view decimalSeparator);

// How a mission time's seconds are written: as the report's listings write them, without a leading zero
// ("12:5"), or with two digits ("12:05"), as every other text of ours shows a time.
enum class TimeSeconds { kAsListed, kTwoDigits };

// A mission time in seconds as "minutes:seconds". Times below one minute, negative ones included, stay
// whole seconds: 59 gives "0:59", 60 "1:0" or "1:00", -5 "0:-5".
std::string MissionTimeText(std::int32_t seconds, TimeSeconds form);

// Appends MissionTimeText(seconds, form) to `text`.
void AppendMissionTimeText(std::string& text, std::int32_t seconds, TimeSeconds form);

}  // namespace orlenda
