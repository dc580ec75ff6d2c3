#include "base/standard_streams.h"

namespace orlenda {

// On Windows a program started without a standard stream has no handle for it, and the C runtime never
// gives its number to a file opened later: writes to it fail as they are, and nothing needs reserving.
void ReserveClosedStandardStreams() {}

}  // namespace orlenda
