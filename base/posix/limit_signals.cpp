#include "base/limit_signals.h"

#include <csignal>
#include <initializer_list>

namespace orlenda {

void TreatLimitSignalsAsFailures() {
  struct sigaction ignore {};
  ignore.sa_handler = SIG_IGN;
  sigemptyset(&ignore.sa_mask);
  for (const int signalNumber : {SIGXFSZ, SIGPIPE}) sigaction(signalNumber, &ignore, nullptr);
}

}  // namespace orlenda
