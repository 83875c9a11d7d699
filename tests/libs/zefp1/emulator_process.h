// Runs zefp1-emu as a child process for tests and benchmarks, in a scratch folder of
// its own, and stops it again.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

// A fresh folder under /tmp, removed with everything in it.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  std::string Path(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

class EmulatorProcess {
 public:
  // Starts `emulator` with --link `link` and `arguments`, and waits until it has printed
  // its device path. Throws std::runtime_error when it does not come up.
  EmulatorProcess(const std::string& emulator, const std::string& link,
                  const std::vector<std::string>& arguments);
  ~EmulatorProcess();
  EmulatorProcess(const EmulatorProcess&) = delete;
  EmulatorProcess& operator=(const EmulatorProcess&) = delete;

  const std::string& devicePath() const { return devicePath_; }

  // Sends SIGTERM and waits; the emulator's exit status, or -1 when it died otherwise.
  int Stop();

  // Sends SIGKILL and waits.
  void Kill();

 private:
  int SignalAndWait(int signal);

  pid_t pid_ = -1;
  std::string devicePath_;
};
