#include "support/lock_holder.h"

#include <chrono>
#include <filesystem>
#include <random>
#include <thread>
#include <utility>
#include <vector>

#ifdef _WIN32
#include <windows.h>

#include "base/utf16.h"
#else
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;
#endif

namespace orlenda::test {
namespace {

#ifdef _WIN32
std::wstring Wide(const std::string& utf8) {
  const std::u16string utf16 = Utf16FromUtf8(utf8);
  return std::wstring(utf16.begin(), utf16.end());
}

std::intptr_t Start(const std::string& program, const std::string& file, const std::string& marker) {
  // Under Wine the build machine's folders are on drive Z:, whatever the current folder's drive.
  const std::string holder = program.starts_with('/') ? "Z:" + program : program;
  std::wstring commandLine = L"\"" + Wide(holder) + L"\" \"" + Wide(file) + L"\" \"" + Wide(marker) + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                        nullptr, &startup, &process))
    return 0;
  ::CloseHandle(process.hThread);
  return reinterpret_cast<std::intptr_t>(process.hProcess);
}

// Whether the program has ended, and then how: its exit status, which frees the process.
bool Ended(std::intptr_t process, int* status = nullptr) {
  const auto handle = reinterpret_cast<HANDLE>(process);
  if (::WaitForSingleObject(handle, 0) != WAIT_OBJECT_0) return false;
  DWORD code = 1;
  ::GetExitCodeProcess(handle, &code);
  if (status != nullptr) *status = static_cast<int>(code);
  ::CloseHandle(handle);
  return true;
}

void EndByForce(std::intptr_t process) {
  const auto handle = reinterpret_cast<HANDLE>(process);
  ::TerminateProcess(handle, 9);
  ::WaitForSingleObject(handle, INFINITE);
  ::CloseHandle(handle);
}
#else
std::intptr_t Start(std::string program, const std::string& file, const std::string& marker) {
  std::vector<char*> arguments{program.data(), const_cast<char*>(file.c_str()),
                               const_cast<char*>(marker.c_str()), nullptr};
  pid_t pid = 0;
  if (::posix_spawn(&pid, program.c_str(), nullptr, nullptr, arguments.data(), environ) != 0) return 0;
  return pid;
}

bool Ended(std::intptr_t process, int* status = nullptr) {
  int waited = 0;
  if (::waitpid(static_cast<pid_t>(process), &waited, WNOHANG) == 0) return false;
  if (status != nullptr) *status = WIFEXITED(waited) ? WEXITSTATUS(waited) : 128;
  return true;
}

void EndByForce(std::intptr_t process) {
  ::kill(static_cast<pid_t>(process), SIGKILL);
  int status = 0;
  ::waitpid(static_cast<pid_t>(process), &status, 0);
}
#endif

// Each step of the handshake may take this long: Wine starts a program slowly on a busy machine.
constexpr auto kStepDeadline = std::chrono::seconds(60);
constexpr auto kPoll = std::chrono::milliseconds(5);

}  // namespace

LockHolder::LockHolder(const std::string& path, Lock lock) {
  marker_ = (std::filesystem::temp_directory_path() /
             ("orlenda-lock-holder-" + std::to_string(std::random_device{}()) + ".txt"))
                .string();
  process_ =
      Start(lock == Lock::kFile ? ORLENDA_LOCK_HOLDER_PATH : ORLENDA_DATABASE_HOLDER_PATH, path, marker_);
  if (process_ == 0) return;
  const auto deadline = std::chrono::steady_clock::now() + kStepDeadline;
  while (!std::filesystem::exists(marker_)) {
    if (Ended(process_)) {
      process_ = 0;  // it could not take the lock
      return;
    }
    if (std::chrono::steady_clock::now() > deadline) {
      EndByForce(std::exchange(process_, 0));
      return;
    }
    std::this_thread::sleep_for(kPoll);
  }
  holding_ = true;  // the marker appears (renamed into place) only once the lock is held
}

LockHolder::~LockHolder() { LetGo(); }

bool LockHolder::LetGo() {
  holding_ = false;
  if (process_ == 0) return false;
  // The removal is the word to let go: tried until it is done, the program's end awaited after it.
  const auto deadline = std::chrono::steady_clock::now() + kStepDeadline;
  std::error_code failed;
  while (std::filesystem::exists(marker_) && !std::filesystem::remove(marker_, failed) &&
         std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(kPoll);
  int status = -1;
  while (!Ended(process_, &status)) {
    if (std::chrono::steady_clock::now() > deadline) {
      EndByForce(std::exchange(process_, 0));
      std::filesystem::remove(marker_, failed);
      return false;
    }
    std::this_thread::sleep_for(kPoll);
  }
  process_ = 0;
  return status == 0;
}

}  // namespace orlenda::test
