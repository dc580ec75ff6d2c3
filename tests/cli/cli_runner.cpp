#include "cli_runner.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "cli_runner_defaults.h"
#include "support/file_contents.h"

extern char** environ;

namespace orlenda::test {
namespace {

// A file that receives one of the program's output streams; removed with this object.
class CaptureFile {
 public:
  CaptureFile() {
    path_ = (std::filesystem::temp_directory_path() / "orlenda-cli-XXXXXX").string();
    const int fd = ::mkstemp(path_.data());
    if (fd < 0) throw std::runtime_error("cannot create a capture file");
    ::close(fd);
  }
  ~CaptureFile() { ::unlink(path_.c_str()); }
  CaptureFile(const CaptureFile&) = delete;
  CaptureFile& operator=(const CaptureFile&) = delete;

  const std::string& path() const { return path_; }
  std::string Text() const { return test::ReadBytes(path_); }

 private:
  std::string path_;
};

std::vector<std::string> Environment(const EnvironmentOverrides& overrides) {
  std::vector<std::string> entries;
  for (char** entry = environ; *entry != nullptr; ++entry) entries.emplace_back(*entry);
  EnvironmentOverrides all = RunnerDefaults();
  all.insert(all.end(), overrides.begin(), overrides.end());
  for (const auto& [name, value] : all) {
    const std::string prefix = name + "=";
    std::erase_if(entries, [&prefix](const std::string& e) { return e.starts_with(prefix); });
    entries.push_back(prefix + value);
  }
  return entries;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
  std::vector<char*> pointers;
  for (std::string& text : texts) pointers.push_back(text.data());
  pointers.push_back(nullptr);
  return pointers;
}

int WaitFor(pid_t child) {
  int status = 0;
  while (::waitpid(child, &status, 0) < 0)
    if (errno != EINTR) throw std::runtime_error("cannot wait for orlenda3001-cli");
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : -1;
}

// Where the program's standard output goes: a capture file, another file or device, or nowhere.
struct StdoutTarget {
  enum class Kind { kCaptured, kFile, kClosed, kDescriptor } kind = Kind::kCaptured;
  std::string path;
  int descriptor = -1;
};

void AddStdoutAction(posix_spawn_file_actions_t& actions, const StdoutTarget& target,
                     const std::string& capturePath) {
  if (target.kind == StdoutTarget::Kind::kClosed) {
    posix_spawn_file_actions_addclose(&actions, STDOUT_FILENO);
    return;
  }
  if (target.kind == StdoutTarget::Kind::kDescriptor) {
    posix_spawn_file_actions_adddup2(&actions, target.descriptor, STDOUT_FILENO);
    return;
  }
  const std::string& path = target.kind == StdoutTarget::Kind::kFile ? target.path : capturePath;
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, path.c_str(), O_WRONLY | O_TRUNC, 0);
}

pid_t Spawn(const std::vector<std::string>& arguments, const EnvironmentOverrides& overrides,
            const StdoutTarget& stdoutTarget, const std::string& capturePath, const std::string& errPath) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  AddStdoutAction(actions, stdoutTarget, capturePath);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errPath.c_str(), O_WRONLY | O_TRUNC, 0);

  std::vector<std::string> argv{ORLENDA_CLI_PATH};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  std::vector<std::string> environment = Environment(overrides);
  std::vector<char*> argvPointers = Pointers(argv);
  std::vector<char*> environmentPointers = Pointers(environment);

  // The program starts as from a shell, with every signal at its default: a test process that ignores
  // SIGXFSZ or SIGPIPE must not hand that on and hide a death.
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  sigset_t defaults;
  sigfillset(&defaults);
  posix_spawnattr_setsigdefault(&attributes, &defaults);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);

  pid_t child = 0;
  const int spawned = ::posix_spawn(&child, argv[0].c_str(), &actions, &attributes, argvPointers.data(),
                                    environmentPointers.data());
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) throw std::runtime_error("cannot start " + argv[0]);
  return child;
}

}  // namespace

struct CliProcess::Captures {
  CaptureFile out;
  CaptureFile err;
};

CliProcess::CliProcess(const std::vector<std::string>& arguments, const EnvironmentOverrides& overrides)
    : captures_(std::make_unique<Captures>()) {
  pid_ = Spawn(arguments, overrides, StdoutTarget{}, captures_->out.path(), captures_->err.path());
}

CliProcess::~CliProcess() {
  if (pid_ > 0) WaitFor(pid_);
}

std::string CliProcess::ErrSoFar() const { return captures_->err.Text(); }

CliRun CliProcess::Finish() {
  CliRun run;
  run.exitStatus = WaitFor(pid_);
  pid_ = -1;
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

CliRun RunCliWithStdout(const std::vector<std::string>& arguments, const std::string& stdoutPath) {
  const CaptureFile err;
  const StdoutTarget target{stdoutPath.empty() ? StdoutTarget::Kind::kClosed : StdoutTarget::Kind::kFile,
                            stdoutPath};
  CliRun run;
  run.exitStatus = WaitFor(Spawn(arguments, {}, target, std::string(), err.path()));
  run.err = err.Text();
  return run;
}

CliRun RunCliIntoClosedPipe(const std::vector<std::string>& arguments) {
  int ends[2] = {-1, -1};
  if (::pipe2(ends, O_CLOEXEC) != 0) throw std::runtime_error("cannot make a pipe");
  ::close(ends[0]);
  const CaptureFile err;
  CliRun run;
  const pid_t child = Spawn(arguments, {}, {StdoutTarget::Kind::kDescriptor, {}, ends[1]}, {}, err.path());
  ::close(ends[1]);
  run.exitStatus = WaitFor(child);
  run.err = err.Text();
  return run;
}

}  // namespace orlenda::test
