#pragma once

// The signals by which POSIX systems end a program that hits a limit: SIGXFSZ for a write past the
// file size limit (ulimit -f), SIGPIPE for a write into a pipe that nobody reads any more.

namespace orlenda {

// Ignores them, so that such a write fails with EFBIG or EPIPE instead and takes the ordinary failure
// path (an append undone, a save reported with its backup, an output error reported). Both programs
// call it first thing. Nothing to do on Windows, which has no such signals.
void TreatLimitSignalsAsFailures();

}  // namespace orlenda
