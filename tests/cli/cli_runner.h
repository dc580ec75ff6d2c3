#pragma once

// Runs the built orlenda3001-cli as a user would, and captures what it prints and its exit status.

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace orlenda::test {

struct CliRun {
  std::string out;      // standard output
  std::string err;      // standard error
  int exitStatus = -1;  // the exit status, or 128 + the signal that ended the program
};

using EnvironmentOverrides = std::vector<std::pair<std::string, std::string>>;

// The program started and still running: Finish waits for it and gives what it printed.
class CliProcess {
 public:
  CliProcess(const std::vector<std::string>& arguments, const EnvironmentOverrides& overrides);
  ~CliProcess();
  CliProcess(const CliProcess&) = delete;
  CliProcess& operator=(const CliProcess&) = delete;

  int pid() const { return pid_; }
  // What it has written on standard error so far.
  std::string ErrSoFar() const;
  CliRun Finish();

 private:
  struct Captures;
  std::unique_ptr<Captures> captures_;
  int pid_ = -1;
};

// Starts the program as RunCli does, without waiting for it.
std::unique_ptr<CliProcess> StartCli(const std::vector<std::string>& arguments,
                                     const EnvironmentOverrides& overrides = {});

// Runs the program with these arguments and waits for it. Its environment is this process's with
// LC_ALL=C, a history folder of the test program's own (cli_runner_defaults.h) and then `overrides` set;
// standard input is empty.
CliRun RunCli(const std::vector<std::string>& arguments, const EnvironmentOverrides& overrides = {});

// The same with standard output going to `stdoutPath` (a device such as /dev/full), or closed when
// it is empty; `out` is then empty.
CliRun RunCliWithStdout(const std::vector<std::string>& arguments, const std::string& stdoutPath);

// The same with standard output a pipe whose reading end is already closed (as `| head -1` leaves it).
CliRun RunCliIntoClosedPipe(const std::vector<std::string>& arguments);

}  // namespace orlenda::test
