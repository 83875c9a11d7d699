// The serial port, with blocking calls that always end by a deadline.
#pragma once

#include <QSerialPort>
#include <chrono>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace zefp1 {

enum class ReceiveResult {
  kBytes,     // bytes arrived (rarely none, after a spurious wake-up)
  kTimedOut,  // nothing arrived in time
  kBroken,    // the port failed: the device is gone or the line hung up
};

class SerialLine {
 public:
  // Opens `device` at `baud` bits per second, 8N1, with RTS/CTS flow control when
  // `hardwareFlow`. Null when the port cannot be opened or set up.
  static std::unique_ptr<SerialLine> Open(const std::string& device, int baud, bool hardwareFlow);

  // False when the bytes could not all be handed to the line within `timeout`.
  bool Send(std::span<const std::uint8_t> bytes, std::chrono::milliseconds timeout);

  // Waits up to `timeout` for bytes and appends what arrived to `bytes`.
  ReceiveResult Receive(std::vector<std::uint8_t>& bytes, std::chrono::milliseconds timeout);

  // Drops whatever has been received and not read: stale replies of an earlier attempt.
  void DiscardInput();

  // Drops whatever was written and has not gone out yet (held back by flow control, say),
  // so that a command given up on is never carried out later.
  void DiscardOutput();

 private:
  SerialLine() = default;
  QSerialPort port_;
};

}  // namespace zefp1
