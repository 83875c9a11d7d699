// Answers the computer's commands as the adapter does, with the faults a test asks for:
// commands ignored, answered BUSY, or answered with a damaged reply.
#pragma once

#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "adapter_memory.h"
#include "frame_codec.h"
#include "protocol_codes.h"

struct FaultPlan {
  int drop = 0;    // the next commands to ignore
  int busy = 0;    // the next commands (not ignored) to answer BUSY
  int garble = 0;  // the next replies to damage on the line
  // Faults at random for a long run: before each command, with this chance in percent, a
  // burst of one to four faults of one kind starts. The same seed gives the same faults.
  int burstPercent = 0;
  std::uint32_t seed = 1;
};

class CommandHandler {
 public:
  // `log`, when not null, gets one line per command received.
  CommandHandler(AdapterMemory& memory, FaultPlan faults, std::FILE* log);

  // The bytes to send back for `command`; empty when it is to be ignored.
  std::vector<std::uint8_t> Handle(const zefp1::Frame& command);

 private:
  struct Answer {
    zefp1::Status status;
    std::vector<std::uint8_t> payload;
  };
  Answer Serve(const zefp1::Frame& command);
  Answer ServeRegister(const std::vector<std::uint8_t>& payload);
  Answer ServeDelete(const std::vector<std::uint8_t>& payload);
  Answer OkWithCounter() const;
  void Log(std::uint8_t command, const std::string& outcome, std::size_t replyBytes);
  void MaybeStartBurst();

  AdapterMemory& memory_;
  FaultPlan faults_;
  std::mt19937 random_;
  std::FILE* log_;
};
