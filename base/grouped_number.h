#pragma once

// A number as players read totals, with thousands grouped by commas: 15490 gives "15,490". The
// question before a save and the charts' axes and notes write totals this way; the reports keep their
// plain digits.

#include <cstdint>
#include <string>

namespace orlenda {

std::string GroupedNumber(std::int64_t value);

}  // namespace orlenda
