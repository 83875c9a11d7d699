#include "emulator_process.h"

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <stdexcept>

extern char** environ;

namespace {

constexpr int kStartLimitMs = 10000;

// The first line `fd` gives within the start limit, without its newline.
std::string ReadFirstLine(int fd) {
  std::string line;
  for (;;) {
    pollfd waiting{fd, POLLIN, 0};
    if (::poll(&waiting, 1, kStartLimitMs) <= 0) return {};
    char c = 0;
    if (::read(fd, &c, 1) != 1) return {};
    if (c == '\n') return line;
    line.push_back(c);
  }
}

}  // namespace

ScratchFolder::ScratchFolder() {
  std::string pattern = "/tmp/zefp1-test-XXXXXX";
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

EmulatorProcess::EmulatorProcess(const std::string& emulator, const std::string& link,
                                 const std::vector<std::string>& arguments) {
  std::vector<std::string> words = {emulator, "--link", link};
  words.insert(words.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);

  int output[2];
  if (::pipe(output) != 0) throw std::runtime_error("pipe failed");
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, output[0]);
  const int spawned = posix_spawn(&pid_, emulator.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  ::close(output[1]);
  if (spawned != 0) {
    ::close(output[0]);
    pid_ = -1;
    throw std::runtime_error("cannot start " + emulator);
  }
  devicePath_ = ReadFirstLine(output[0]);
  ::close(output[0]);
  if (devicePath_.empty()) {
    Kill();
    throw std::runtime_error("the emulator did not come up");
  }
}

EmulatorProcess::~EmulatorProcess() {
  if (pid_ > 0) Stop();
}

int EmulatorProcess::Stop() { return SignalAndWait(SIGTERM); }

void EmulatorProcess::Kill() { SignalAndWait(SIGKILL); }

int EmulatorProcess::SignalAndWait(int signal) {
  if (pid_ <= 0) return -1;
  ::kill(pid_, signal);
  int status = 0;
  ::waitpid(pid_, &status, 0);
  pid_ = -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
