#include "command_handler.h"

#include "adapter_messages.h"

namespace {

using zefp1::Command;
using zefp1::Status;

std::string CommandName(std::uint8_t code) {
  switch (static_cast<Command>(code)) {
    case Command::kReadCounter:
      return "READ_COUNTER";
    case Command::kReadAll:
      return "READ_ALL";
    case Command::kRegister:
      return "REGISTER";
    case Command::kDelete:
      return "DELETE";
  }
  constexpr char kHex[] = "0123456789ABCDEF";
  return std::string("0x") + kHex[code >> 4] + kHex[code & 0x0F];
}

std::string StatusName(Status status) {
  switch (status) {
    case Status::kOk:
      return "OK";
    case Status::kFull:
      return "FULL";
    case Status::kBusy:
      return "BUSY";
    case Status::kInvalidCommand:
      return "INVALID_COMMAND";
    case Status::kInvalidData:
      return "INVALID_DATA";
  }
  return "?";
}

// Line noise: one byte in the middle of the frame comes out wrong.
void Garble(std::vector<std::uint8_t>& bytes) {
  bytes[bytes.size() / 2] ^= 0xFF;
}

}  // namespace

CommandHandler::CommandHandler(AdapterMemory& memory, FaultPlan faults, std::FILE* log)
    : memory_(memory), faults_(faults), random_(faults.seed), log_(log) {}

void CommandHandler::MaybeStartBurst() {
  if (faults_.burstPercent == 0 || faults_.drop + faults_.busy + faults_.garble > 0) return;
  if (std::uniform_int_distribution<int>(0, 99)(random_) >= faults_.burstPercent) return;
  const int length = std::uniform_int_distribution<int>(1, 4)(random_);
  int* const kinds[] = {&faults_.drop, &faults_.busy, &faults_.garble};
  *kinds[std::uniform_int_distribution<int>(0, 2)(random_)] = length;
}

std::vector<std::uint8_t> CommandHandler::Handle(const zefp1::Frame& command) {
  if (zefp1::IsReplyCode(command.code)) return {};  // our own words echoed, not a command
  MaybeStartBurst();
  if (faults_.drop > 0) {
    --faults_.drop;
    Log(command.code, "DROPPED", 0);
    return {};
  }
  const bool busy = faults_.busy > 0;
  if (busy) --faults_.busy;
  Answer answer = busy ? Answer{Status::kBusy, {}} : Serve(command);
  auto bytes = zefp1::EncodeFrame(
      {command.sequence, static_cast<std::uint8_t>(answer.status), std::move(answer.payload)});
  std::string outcome = StatusName(answer.status);
  if (faults_.garble > 0) {
    --faults_.garble;
    Garble(bytes);
    outcome += " GARBLED";
  }
  Log(command.code, outcome, bytes.size());
  return bytes;
}

CommandHandler::Answer CommandHandler::Serve(const zefp1::Frame& command) {
  switch (static_cast<Command>(command.code)) {
    case Command::kReadCounter:
      if (!command.payload.empty()) return {Status::kInvalidData, {}};
      return OkWithCounter();
    case Command::kReadAll:
      if (!command.payload.empty()) return {Status::kInvalidData, {}};
      return {Status::kOk, zefp1::EncodeEntryList({memory_.counter(), memory_.records()})};
    case Command::kRegister:
      return ServeRegister(command.payload);
    case Command::kDelete:
      return ServeDelete(command.payload);
  }
  return {Status::kInvalidCommand, {}};
}

CommandHandler::Answer CommandHandler::ServeRegister(const std::vector<std::uint8_t>& payload) {
  const auto record = zefp1::DecodeRecord(payload);
  if (!record) return {Status::kInvalidData, {}};
  if (!memory_.Register(*record)) return {Status::kFull, {}};
  return OkWithCounter();
}

CommandHandler::Answer CommandHandler::ServeDelete(const std::vector<std::uint8_t>& payload) {
  const auto number = zefp1::DecodeNumber(payload);
  if (!number) return {Status::kInvalidData, {}};
  memory_.Delete(*number);
  return OkWithCounter();
}

CommandHandler::Answer CommandHandler::OkWithCounter() const {
  return {Status::kOk, zefp1::EncodeCounter(memory_.counter())};
}

void CommandHandler::Log(std::uint8_t command, const std::string& outcome, std::size_t replyBytes) {
  if (log_ == nullptr) return;
  std::fprintf(log_, "%s %s %zu\n", CommandName(command).c_str(), outcome.c_str(), replyBytes);
  std::fflush(log_);
}
