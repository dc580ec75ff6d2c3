#pragma once

// The standard streams of a command-line program started with one of them closed.

namespace orlenda {

// Gives each closed standard stream (0, 1, 2) a placeholder that fails every write, so that a file the
// program opens later never takes the number of standard output or error (and receives their text),
// and a write to a closed stream is seen to fail instead of going nowhere.
void ReserveClosedStandardStreams();

}  // namespace orlenda
