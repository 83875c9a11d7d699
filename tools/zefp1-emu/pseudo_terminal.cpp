#include "pseudo_terminal.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kStalledWriteMs = 1000;

bool MakeRaw(int fd) {
  termios settings{};
  if (::tcgetattr(fd, &settings) != 0) return false;
  ::cfmakeraw(&settings);
  return ::tcsetattr(fd, TCSANOW, &settings) == 0;
}

}  // namespace

std::unique_ptr<PseudoTerminal> PseudoTerminal::Create(std::string& error) {
  const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
  if (master < 0) {
    error = std::string("posix_openpt: ") + std::strerror(errno);
    return nullptr;
  }
  const char* name =
      ::grantpt(master) == 0 && ::unlockpt(master) == 0 ? ::ptsname(master) : nullptr;
  const int slave = name != nullptr ? ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC) : -1;
  if (slave < 0 || !MakeRaw(slave)) {
    error = std::string("pseudo-terminal set-up: ") + std::strerror(errno);
    if (slave >= 0) ::close(slave);
    ::close(master);
    return nullptr;
  }
  return std::unique_ptr<PseudoTerminal>(new PseudoTerminal(master, slave, name));
}

PseudoTerminal::PseudoTerminal(int master, int slave, std::string devicePath)
    : master_(master), slave_(slave), devicePath_(std::move(devicePath)) {}

PseudoTerminal::~PseudoTerminal() {
  ::close(slave_);
  ::close(master_);
}

PseudoTerminal::ReadResult PseudoTerminal::Read(std::vector<std::uint8_t>& bytes, int timeoutMs) {
  pollfd waiting{master_, POLLIN, 0};
  const int ready = ::poll(&waiting, 1, timeoutMs);
  if (ready < 0) return errno == EINTR ? ReadResult::kIdle : ReadResult::kFailed;
  if (ready == 0) return ReadResult::kIdle;
  std::uint8_t buffer[512];
  const ssize_t count = ::read(master_, buffer, sizeof buffer);
  if (count > 0) {
    bytes.insert(bytes.end(), buffer, buffer + count);
    return ReadResult::kBytes;
  }
  if (count < 0 && (errno == EAGAIN || errno == EINTR)) return ReadResult::kIdle;
  return ReadResult::kFailed;
}

bool PseudoTerminal::WriteNow(std::span<const std::uint8_t> bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(master_, bytes.data(), bytes.size());
    if (written > 0) {
      bytes = bytes.subspan(static_cast<std::size_t>(written));
      continue;
    }
    if (written < 0 && errno == EINTR) continue;
    if (written < 0 && errno != EAGAIN) return false;
    pollfd waiting{master_, POLLOUT, 0};
    if (::poll(&waiting, 1, kStalledWriteMs) <= 0) return false;  // nobody reads: the rest is lost
  }
  return true;
}

void PseudoTerminal::Write(std::span<const std::uint8_t> bytes, int baud,
                           const volatile std::sig_atomic_t& stop) {
  if (baud <= 0) {
    WriteNow(bytes);
    return;
  }
  // Byte i leaves once the line has had time to carry i + 1 bytes.
  const double bytesPerSecond = baud / 10.0;
  const auto start = Clock::now();
  std::size_t sent = 0;
  while (sent < bytes.size() && stop == 0) {
    const std::chrono::duration<double> elapsed = Clock::now() - start;
    const auto due =
        std::min(bytes.size(), static_cast<std::size_t>(elapsed.count() * bytesPerSecond));
    if (due > sent) {
      if (!WriteNow(bytes.subspan(sent, due - sent))) return;
      sent = due;
      continue;
    }
    const std::chrono::duration<double> next((static_cast<double>(sent) + 1) / bytesPerSecond);
    std::this_thread::sleep_for(next - elapsed);
  }
}
