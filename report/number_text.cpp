#include "report/number_text.h"

#include <charconv>
#include <cstdlib>

namespace orlenda {
namespace {

// Percentages are rounded exactly on the fraction hits * 1000 / shots (in tenths of a percent), so
// that a value that lies on a half, such as 1 of 16 = 6.25, always rounds away from zero.
std::int64_t DivideRoundingHalfAway(std::int64_t numerator, std::int64_t denominator) {
  const std::int64_t magnitude = (2 * std::llabs(numerator) + denominator) / (2 * denominator);
  return numerator < 0 ? -magnitude : magnitude;
}

// Five significant digits are coarser than one decimal from 10000 on: the step then grows tenfold
// with every further integer digit.
std::int64_t RoundingStepInTenths(std::int64_t tenthsNumerator, std::int64_t shots) {
  std::int64_t step = 1;
  while (std::llabs(tenthsNumerator) / shots >= 100'000 * step) step *= 10;
  return step;
}

}  // namespace

std::string IntText(std::int64_t value) {
  std::string text;
  AppendIntText(text, value);
  return text;
}

void AppendIntText(std::string& text, std::int64_t value) {
  char digits[24];  // 19 digits and a sign at most
  const std::to_chars_result written = std::to_chars(digits, digits + sizeof digits, value);
  text.append(digits, written.ptr);
}

std::string PercentageText(std::int32_t hits, std::int32_t shots, std::string_view decimalSeparator) {
  const std::int64_t numerator = std::int64_t{hits} * 1000;
  const std::int64_t step = RoundingStepInTenths(numerator, shots);
  const std::int64_t tenths = DivideRoundingHalfAway(numerator, shots * step) * step;
  const std::int64_t magnitude = std::llabs(tenths);
  std::string text = tenths < 0 ? "-" : "";
  text += IntText(magnitude / 10);
  text += decimalSeparator;
  text += IntText(magnitude % 10);
  return text;
}

std::string MissionTimeText(std::int32_t seconds, TimeSeconds form) {
  std::string text;
  AppendMissionTimeText(text, seconds, form);
  return text;
}

void AppendMissionTimeText(std::string& text, std::int32_t seconds, TimeSeconds form) {
  // Whole minutes are taken off only while more than 59 seconds remain, so a time below one minute,
  // negative or not, keeps all its seconds.
  const std::int32_t minutes = seconds > 59 ? seconds / 60 : 0;
  const std::int32_t rest = seconds > 59 ? seconds % 60 : seconds;
  AppendIntText(text, minutes);
  text += ':';
  if (form == TimeSeconds::kTwoDigits && rest >= 0 && rest < 10) text += '0';
  AppendIntText(text, rest);
}

}  // namespace orlenda
