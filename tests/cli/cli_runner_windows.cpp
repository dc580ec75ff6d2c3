#include <windows.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <utility>

#include "base/utf16.h"
#include "cli_runner.h"
#include "cli_runner_defaults.h"

namespace orlenda::test {
namespace {

std::wstring Wide(const std::string& utf8) {
  const std::u16string utf16 = Utf16FromUtf8(utf8);
  return std::wstring(utf16.begin(), utf16.end());
}

// One argument quoted as CommandLineToArgvW reads it back: backslashes double only before a quote.
std::wstring Quoted(const std::wstring& argument) {
  std::wstring quoted = L"\"";
  std::size_t backslashes = 0;
  for (wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    quoted.push_back(c);
  }
  quoted.append(backslashes * 2, L'\\');
  return quoted + L"\"";
}

// This process's environment with LC_ALL=C and then the overrides set, as a block for CreateProcessW.
std::wstring EnvironmentBlock(const EnvironmentOverrides& overrides) {
  std::vector<std::wstring> entries;
  wchar_t* block = ::GetEnvironmentStringsW();
  for (const wchar_t* entry = block; *entry != L'\0'; entry += wcslen(entry) + 1) entries.emplace_back(entry);
  ::FreeEnvironmentStringsW(block);
  EnvironmentOverrides all = RunnerDefaults();
  all.insert(all.end(), overrides.begin(), overrides.end());
  for (const auto& [name, value] : all) {
    const std::wstring prefix = Wide(name) + L"=";
    std::erase_if(entries, [&prefix](const std::wstring& e) {
      return _wcsnicmp(e.c_str(), prefix.c_str(), prefix.size()) == 0;
    });
    entries.push_back(prefix + Wide(value));
  }
  std::wstring joined;
  for (const std::wstring& entry : entries) joined += entry + L'\0';
  return joined + L'\0';
}

// A file that receives one of the program's output streams; removed with this object.
class CaptureFile {
 public:
  explicit CaptureFile(const char* name) {
    // A fresh name each time, and another one when Wine still holds a file of an earlier run.
    static int created = 0;
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    for (int attempt = 0; attempt < 20 && handle_ == INVALID_HANDLE_VALUE; ++attempt) {
      path_ =
          std::filesystem::temp_directory_path() / ("orlenda-cli-" + std::to_string(::GetCurrentProcessId()) +
                                                    "-" + std::to_string(++created) + "-" + name + ".txt");
      handle_ = ::CreateFileW(path_.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, &inherit,
                              CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    }
    if (handle_ == INVALID_HANDLE_VALUE)
      throw std::runtime_error("cannot create a capture file, error " + std::to_string(::GetLastError()));
  }
  ~CaptureFile() {
    if (handle_ != INVALID_HANDLE_VALUE) ::CloseHandle(handle_);
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
  }
  CaptureFile(const CaptureFile&) = delete;
  CaptureFile& operator=(const CaptureFile&) = delete;

  HANDLE handle() const { return handle_; }
  // What the program has written so far (all of it once it has ended).
  std::string Text() const {
    std::ifstream in(path_, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }

 private:
  std::filesystem::path path_;
  HANDLE handle_ = INVALID_HANDLE_VALUE;
};

constexpr int kStartAttempts = 5;
constexpr DWORD kPauseBetweenStartsMs = 100;

}  // namespace

struct CliProcess::Captures {
  CaptureFile out{"out"};
  CaptureFile err{"err"};
  HANDLE process = nullptr;
};

CliProcess::CliProcess(const std::vector<std::string>& arguments, const EnvironmentOverrides& overrides)
    : captures_(std::make_unique<Captures>()) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE input = ::CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);

  std::wstring commandLine = Quoted(Wide(ORLENDA_CLI_PATH));
  for (const std::string& argument : arguments) commandLine += L" " + Quoted(Wide(argument));
  std::wstring environment = EnvironmentBlock(overrides);

  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = input;
  startup.hStdOutput = captures_->out.handle();
  startup.hStdError = captures_->err.handle();
  PROCESS_INFORMATION process{};
  // Wine now and then refuses a start while another process of the test is starting (seen with two
  // updates started at once on a loaded machine); the start is tried again a few times before the
  // test fails on it.
  BOOL started = FALSE;
  DWORD error = 0;
  for (int attempt = 0; attempt < kStartAttempts && !started; ++attempt) {
    if (attempt > 0) ::Sleep(kPauseBetweenStartsMs);
    started = ::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE,
                               CREATE_UNICODE_ENVIRONMENT | CREATE_NO_WINDOW, environment.data(), nullptr,
                               &startup, &process);
    if (!started) error = ::GetLastError();
  }
  ::CloseHandle(input);
  if (!started)
    throw std::runtime_error("cannot start " + std::string(ORLENDA_CLI_PATH) + ", error " +
                             std::to_string(error));
  ::CloseHandle(process.hThread);
  captures_->process = process.hProcess;
  pid_ = static_cast<int>(process.dwProcessId);
}

CliProcess::~CliProcess() {
  if (captures_->process == nullptr) return;
  ::WaitForSingleObject(captures_->process, INFINITE);
  ::CloseHandle(captures_->process);
}

std::string CliProcess::ErrSoFar() const { return captures_->err.Text(); }

CliRun CliProcess::Finish() {
  ::WaitForSingleObject(captures_->process, INFINITE);
  DWORD status = 0;
  ::GetExitCodeProcess(captures_->process, &status);
  ::CloseHandle(std::exchange(captures_->process, nullptr));
  CliRun run;
  run.exitStatus = static_cast<int>(status);
  run.out = captures_->out.Text();
  run.err = captures_->err.Text();
  return run;
}

std::unique_ptr<CliProcess> StartCli(const std::vector<std::string>& arguments,
                                     const EnvironmentOverrides& overrides) {
  return std::make_unique<CliProcess>(arguments, overrides);
}

CliRun RunCli(const std::vector<std::string>& arguments, const EnvironmentOverrides& overrides) {
  return CliProcess(arguments, overrides).Finish();
}

}  // namespace orlenda::test
