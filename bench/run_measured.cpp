// Runs a program, waits for it, and prints its wall time and peak memory on one line:
//   <milliseconds> <peak resident kilobytes> <exit status>
// A program that has not ended after TIMEOUT seconds is killed and reported with exit status "timeout".
//
// Usage: run_measured TIMEOUT PROGRAM [ARGUMENT...]

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: run_measured TIMEOUT PROGRAM [ARGUMENT...]\n");
    return 2;
  }
  const double timeout = std::atof(argv[1]);
  const auto start = std::chrono::steady_clock::now();
  const pid_t child = ::fork();
  if (child == 0) {
    ::execvp(argv[2], argv + 2);
    std::perror(argv[2]);
    ::_exit(127);
  }
  int status = 0;
  rusage usage{};
  bool timedOut = false;
  while (::wait4(child, &status, WNOHANG, &usage) == 0) {
    if (std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() > timeout) {
      ::kill(child, SIGKILL);
      ::wait4(child, &status, 0, &usage);
      timedOut = true;
      break;
    }
    std::this_thread::sleep_for(std::chrono::microseconds(200));
  }
  const double milliseconds =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  if (timedOut) {
    std::printf("%.1f %ld timeout\n", milliseconds, usage.ru_maxrss);
    return 1;
  }
  const int exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  std::printf("%.1f %ld %d\n", milliseconds, usage.ru_maxrss, exitStatus);
  return exitStatus == 0 ? 0 : 1;
}
