#include "support/child_process.h"

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>
#include <utility>

extern char** environ;

namespace {

constexpr int kFirstLineLimitMs = 10000;

// The first line `fd` gives within the limit, without its newline; empty at end of file.
std::string ReadFirstLine(int fd) {
  std::string line;
  for (;;) {
    pollfd waiting{fd, POLLIN, 0};
    if (::poll(&waiting, 1, kFirstLineLimitMs) <= 0) return {};
    char c = 0;
    if (::read(fd, &c, 1) != 1) return {};
    if (c == '\n') return line;
    line.push_back(c);
  }
}

int ExitStatus(int status) {
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Starts `argv` with its standard output into a pipe; the process and the pipe's read end.
std::pair<pid_t, int> Spawn(std::vector<std::string>& argv) {
  std::vector<char*> words;
  for (std::string& word : argv) words.push_back(word.data());
  words.push_back(nullptr);

  int output[2];
  if (::pipe(output) != 0) throw std::runtime_error("pipe failed");
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, output[0]);
  pid_t pid = -1;
  const int spawned = posix_spawn(&pid, words[0], &actions, nullptr, words.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  ::close(output[1]);
  if (spawned != 0) {
    ::close(output[0]);
    throw std::runtime_error("cannot start " + argv[0]);
  }
  return {pid, output[0]};
}

}  // namespace

ChildProcess::ChildProcess(std::vector<std::string> argv) {
  const auto [pid, output] = Spawn(argv);
  pid_ = pid;
  firstLine_ = ReadFirstLine(output);
  ::close(output);
}

ChildProcess::~ChildProcess() {
  if (pid_ > 0) Stop();
}

int ChildProcess::Stop() {
  return SignalAndWait(SIGTERM);
}

void ChildProcess::Kill() {
  SignalAndWait(SIGKILL);
}

int ChildProcess::Wait() {
  if (pid_ <= 0) return -1;
  int status = 0;
  ::waitpid(pid_, &status, 0);
  pid_ = -1;
  return ExitStatus(status);
}

int ChildProcess::SignalAndWait(int signal) {
  if (pid_ <= 0) return -1;
  ::kill(pid_, signal);
  return Wait();
}

int RunToEnd(std::vector<std::string> argv, std::string* output) {
  const auto [pid, printed] = Spawn(argv);
  // Read to the end, so the program never blocks on a full pipe.
  char buffer[4096];
  for (ssize_t got; (got = ::read(printed, buffer, sizeof buffer)) > 0;) {
    if (output != nullptr) output->append(buffer, static_cast<std::size_t>(got));
  }
  ::close(printed);
  int status = 0;
  ::waitpid(pid, &status, 0);
  return ExitStatus(status);
}
