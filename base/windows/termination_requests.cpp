#include "base/termination_requests.h"

#include <windows.h>

namespace orlenda {
namespace {

// Set by the console's handler, which Windows runs on a thread of its own; reset once taken.
HANDLE requestEvent = nullptr;

BOOL WINAPI SetRequestEvent(DWORD) {
  ::SetEvent(requestEvent);
  return TRUE;
}

}  // namespace

TerminationRequests::TerminationRequests() {
  requestEvent = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  if (requestEvent != nullptr && !::SetConsoleCtrlHandler(SetRequestEvent, TRUE)) {
    ::CloseHandle(requestEvent);
    requestEvent = nullptr;
  }
}

TerminationRequests::~TerminationRequests() {
  if (!IsWatching()) return;
  ::SetConsoleCtrlHandler(SetRequestEvent, FALSE);
  ::CloseHandle(requestEvent);
  requestEvent = nullptr;
}

bool TerminationRequests::IsWatching() const { return requestEvent != nullptr; }

std::intptr_t TerminationRequests::ReadyHandle() const {
  return reinterpret_cast<std::intptr_t>(requestEvent);
}

bool TerminationRequests::WaitForRequest(std::chrono::milliseconds limit) const {
  if (requestEvent == nullptr) {
    ::Sleep(static_cast<DWORD>(limit.count()));
    return false;
  }
  return ::WaitForSingleObject(requestEvent, static_cast<DWORD>(limit.count())) == WAIT_OBJECT_0;
}

void TerminationRequests::Acknowledge() { ::ResetEvent(requestEvent); }

}  // namespace orlenda
