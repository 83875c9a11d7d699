// The emulator's end of a pseudo-terminal: the computer opens the other end as its
// serial port. The emulator keeps that end open itself too, so a client can come and go
// without the line hanging up.
#pragma once

#include <csignal>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

class PseudoTerminal {
 public:
  // Null, with `error` set, when no pseudo-terminal can be had.
  static std::unique_ptr<PseudoTerminal> Create(std::string& error);
  ~PseudoTerminal();
  PseudoTerminal(const PseudoTerminal&) = delete;
  PseudoTerminal& operator=(const PseudoTerminal&) = delete;

  // The device a client opens, e.g. /dev/pts/3.
  const std::string& devicePath() const { return devicePath_; }

  enum class ReadResult { kBytes, kIdle, kFailed };
  // Waits up to `timeoutMs` for bytes from the computer and appends them to `bytes`.
  // kIdle also when a signal cut the wait short.
  ReadResult Read(std::vector<std::uint8_t>& bytes, int timeoutMs);

  // Sends `bytes` no faster than `baud` allows (8N1, ten bits a byte; 0 sends at once).
  // Stops early once `stop` is set. Bytes nobody reads for a second are lost, as on a wire.
  void Write(std::span<const std::uint8_t> bytes, int baud, const volatile std::sig_atomic_t& stop);

 private:
  PseudoTerminal(int master, int slave, std::string devicePath);
  bool WriteNow(std::span<const std::uint8_t> bytes);

  int master_;
  int slave_;  // held open so the line stays up between clients
  std::string devicePath_;
};
