// One conversation with the adapter on an open line: commands with their retries and
// timeouts, the reply statuses turned into the library's error numbers, and the cached
// entry list that makes a repeated read-all cost one tiny frame.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "adapter_messages.h"
#include "frame_codec.h"
#include "protocol_codes.h"
#include "serial_line.h"

namespace zefp1 {

class AdapterSession {
 public:
  AdapterSession(std::unique_ptr<SerialLine> line, int baud);

  // Each returns 0 or the error number of the failure (library_error_codes.h).
  int ReadAll(std::vector<Record>& records);
  int Register(const Record& record);
  int Delete(const std::string& number);

 private:
  struct Outcome {
    int error = 0;
    std::vector<std::uint8_t> payload;  // of the OK reply
  };
  enum class Wait { kReply, kTimedOut, kBroken };

  Outcome Exchange(Command command, const std::vector<std::uint8_t>& payload);
  Outcome ExchangeWithRetries(Command command, const std::vector<std::uint8_t>& payload);
  Wait AwaitReply(std::uint8_t sequence, std::chrono::steady_clock::time_point callDeadline,
                  Frame& reply);
  int ReadCounter(std::uint32_t& counter);

  std::unique_ptr<SerialLine> line_;
  FrameDecoder decoder_;
  std::chrono::milliseconds callLimit_;
  std::uint8_t sequence_ = 0;
  std::optional<EntryList> cache_;  // the last full read-all, valid while its counter holds
};

}  // namespace zefp1
