#include "report/mission_range.h"

namespace orlenda {
namespace {

enum class PassResult { kAgain, kInOrder };

// One pass of the tests; each correction but the first starts a new pass, so that the fields are
// read afresh after every change.
PassResult CorrectionPass(MissionRange& range, int missionCount) {
  if (range.To < 0) range.To = 0;
  if (range.From > range.To) {
    range.From = range.To - 1;
    return PassResult::kAgain;
  }
  if (range.From < 0) {
    range.From = 0;
    return PassResult::kAgain;
  }
  if (range.To > missionCount) {
    range.To = missionCount;
    return PassResult::kAgain;
  }
  return PassResult::kInOrder;
}

}  // namespace

void NormaliseMissionRange(MissionRange& range, int missionCount) {
  // At most a handful of passes: To is settled within the first two, From within two more.
  while (CorrectionPass(range, missionCount) == PassResult::kAgain) {
  }
}

}  // namespace orlenda
