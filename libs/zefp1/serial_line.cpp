#include "serial_line.h"

#include <QByteArray>
#include <algorithm>

namespace zefp1 {

namespace {

int ToMilliseconds(std::chrono::milliseconds timeout) {
  return static_cast<int>(std::max<std::chrono::milliseconds::rep>(timeout.count(), 0));
}

}  // namespace

std::unique_ptr<SerialLine> SerialLine::Open(const std::string& device, int baud,
                                             bool hardwareFlow) {
  std::unique_ptr<SerialLine> line(new SerialLine);
  QSerialPort& port = line->port_;
  port.setPortName(QString::fromLocal8Bit(device.c_str()));
  if (!port.open(QIODevice::ReadWrite)) return nullptr;
  const bool configured =
      port.setBaudRate(baud) && port.setDataBits(QSerialPort::Data8) &&
      port.setParity(QSerialPort::NoParity) && port.setStopBits(QSerialPort::OneStop) &&
      port.setFlowControl(hardwareFlow ? QSerialPort::HardwareControl : QSerialPort::NoFlowControl);
  if (!configured) return nullptr;
  line->DiscardInput();
  return line;
}

bool SerialLine::Send(std::span<const std::uint8_t> bytes, std::chrono::milliseconds timeout) {
  port_.clearError();
  const QByteArray data(reinterpret_cast<const char*>(bytes.data()),
                        static_cast<qsizetype>(bytes.size()));
  if (port_.write(data) != data.size()) return false;
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (port_.bytesToWrite() > 0) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0 || !port_.waitForBytesWritten(ToMilliseconds(left))) return false;
  }
  return true;
}

ReceiveResult SerialLine::Receive(std::vector<std::uint8_t>& bytes,
                                  std::chrono::milliseconds timeout) {
  port_.clearError();
  if (port_.bytesAvailable() == 0 && !port_.waitForReadyRead(ToMilliseconds(timeout))) {
    return port_.error() == QSerialPort::TimeoutError ? ReceiveResult::kTimedOut
                                                      : ReceiveResult::kBroken;
  }
  const QByteArray data = port_.readAll();
  bytes.insert(bytes.end(), data.begin(), data.end());
  return ReceiveResult::kBytes;
}

void SerialLine::DiscardInput() {
  port_.readAll();
  port_.clear(QSerialPort::Input);
}

void SerialLine::DiscardOutput() {
  port_.clear(QSerialPort::Output);
}

}  // namespace zefp1
