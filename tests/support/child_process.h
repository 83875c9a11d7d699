// Helper programs (the adapter emulator, holdmutex) run as child processes by tests and
// benchmarks.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

// A running program whose first line of output has been read. The helpers print a line
// once they are ready (the emulator its device path, holdmutex that it holds the name).
class ChildProcess {
 public:
  // Starts `argv` and waits up to ten seconds for its first line.
  // Throws std::runtime_error when it cannot be started.
  explicit ChildProcess(std::vector<std::string> argv);
  ~ChildProcess();  // stops it if it still runs
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // The first line, without its newline; empty when none came (e.g. the program failed).
  const std::string& firstLine() const { return firstLine_; }

  // Sends SIGTERM and waits; the exit status, or -1 when it did not exit normally.
  int Stop();

  // Sends SIGKILL and waits.
  void Kill();

  // Waits for the program to end by itself; its exit status, or -1 as above.
  int Wait();

 private:
  int SignalAndWait(int signal);

  pid_t pid_ = -1;
  std::string firstLine_;
};

// Runs `argv` to its end with standard output captured into `output` (when not null);
// its exit status, or -1 when it did not exit normally. Throws std::runtime_error when it
// cannot be started.
int RunToEnd(std::vector<std::string> argv, std::string* output = nullptr);
