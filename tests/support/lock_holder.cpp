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

std::intptr_t Start(const std::string& file, const std::string& marker) {
  // Under Wine the build machine's folders are on drive Z:, whatever the current folder's drive.
  const std::string program = ORLENDA_LOCK_HOLDER_PATH;
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

bool Ended(std::intptr_t process) {
  return ::WaitForSingleObject(reinterpret_cast<HANDLE>(process), 0) == WAIT_OBJECT_0;
}

void WaitUntilEnded(std::intptr_t process) {
  ::WaitForSingleObject(reinterpret_cast<HANDLE>(process), INFINITE);
  ::CloseHandle(reinterpret_cast<HANDLE>(process));
}
#else
std::intptr_t Start(const std::string& file, const std::string& marker) {
  std::string program = ORLENDA_LOCK_HOLDER_PATH;
  std::vector<char*> arguments{program.data(), const_cast<char*>(file.c_str()),
                               const_cast<char*>(marker.c_str()), nullptr};
  pid_t pid = 0;
  if (::posix_spawn(&pid, program.c_str(), nullptr, nullptr, arguments.data(), environ) != 0) return 0;
  return pid;
}

bool Ended(std::intptr_t process) {
  int status = 0;
  return ::waitpid(static_cast<pid_t>(process), &status, WNOHANG) != 0;
}

void WaitUntilEnded(std::intptr_t process) {
  int status = 0;
  ::waitpid(static_cast<pid_t>(process), &status, 0);
}
#endif

}  // namespace

LockHolder::LockHolder(const std::string& path) {
  marker_ = (std::filesystem::temp_directory_path() /
             ("orlenda-lock-holder-" + std::to_string(std::random_device{}()) + ".txt"))
                .string();
  process_ = Start(path, marker_);
  if (process_ == 0) return;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (!std::filesystem::exists(marker_)) {
    if (Ended(process_) || std::chrono::steady_clock::now() > deadline) {
      process_ = 0;  // ended, or left to end by itself: nothing to wait for
      return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  holding_ = true;
}

LockHolder::~LockHolder() { LetGo(); }

void LockHolder::LetGo() {
  std::error_code ignored;
  std::filesystem::remove(marker_, ignored);
  if (process_ != 0) WaitUntilEnded(std::exchange(process_, 0));
  holding_ = false;
}

}  // namespace orlenda::test
