#include "adapter_session.h"

#include <thread>

#include "zefp1/zefp1.h"

namespace zefp1 {

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// A reply must start, and keep coming, with no silence longer than this.
constexpr milliseconds kReplyGap{500};
// Sending a command (at most a few dozen bytes) never takes longer.
constexpr milliseconds kSendLimit{1000};
// Attempts of a command whose reply was lost or damaged.
constexpr int kMaxAttempts = 3;
// Attempts of a command the adapter answers BUSY, and the pause between them.
constexpr int kMaxBusyAttempts = 4;
constexpr milliseconds kBusyPause{150};

// Every call ends within this: some slack plus one and a half times the line time of
// the longest read-all reply at `baud` (8N1: ten bits a byte).
milliseconds CallLimit(int baud) {
  const auto bytes = static_cast<long long>(kFrameOverhead + MaxEntryListPayload(ADAPTER_CAPACITY));
  return milliseconds(2000 + bytes * 10 * 1000 * 3 / 2 / baud);
}

int ErrorOfStatus(std::uint8_t status) {
  switch (static_cast<Status>(status)) {
    case Status::kOk:
      return ADAPTER_NO_ERROR;
    case Status::kFull:
      return LIBERR_ADAPTER_FULL;
    case Status::kBusy:
      return LIBERR_ADAPTER_BUSY;
    case Status::kInvalidCommand:
      return LIBERR_INVALID_COMMAND;
    case Status::kInvalidData:
      return LIBERR_INVALID_DATA;
  }
  return LIBERR_RECEIVE_FAILED;  // a status no adapter sends: the reply is not to be trusted
}

}  // namespace

AdapterSession::AdapterSession(std::unique_ptr<SerialLine> line, int baud)
    : line_(std::move(line)),
      decoder_(MaxEntryListPayload(kMaxAnnouncedEntries)),
      callLimit_(CallLimit(baud)) {}

int AdapterSession::ReadAll(std::vector<Record>& records) {
  if (cache_) {
    std::uint32_t counter = 0;
    if (const int error = ReadCounter(counter); error != ADAPTER_NO_ERROR) return error;
    if (counter == cache_->counter) {
      records = cache_->records;
      return ADAPTER_NO_ERROR;
    }
    cache_.reset();
  }
  const Outcome outcome = Exchange(Command::kReadAll, {});
  if (outcome.error != ADAPTER_NO_ERROR) return outcome.error;
  auto list = DecodeEntryList(outcome.payload);
  if (!list || list->records.size() > ADAPTER_CAPACITY) return LIBERR_RECEIVE_FAILED;
  records = list->records;
  cache_ = std::move(list);
  return ADAPTER_NO_ERROR;
}

// Register and delete leave the cache alone: the change they make moves the adapter's
// counter like anyone else's change, and the next read-all sees that.
int AdapterSession::Register(const Record& record) {
  return Exchange(Command::kRegister, EncodeRecord(record)).error;
}

int AdapterSession::Delete(const std::string& number) {
  return Exchange(Command::kDelete, EncodeNumber(number)).error;
}

int AdapterSession::ReadCounter(std::uint32_t& counter) {
  const Outcome outcome = Exchange(Command::kReadCounter, {});
  if (outcome.error != ADAPTER_NO_ERROR) return outcome.error;
  const auto decoded = DecodeCounter(outcome.payload);
  if (!decoded) return LIBERR_RECEIVE_FAILED;
  counter = *decoded;
  return ADAPTER_NO_ERROR;
}

AdapterSession::Outcome AdapterSession::Exchange(Command command,
                                                 const std::vector<std::uint8_t>& payload) {
  Outcome outcome = ExchangeWithRetries(command, payload);
  // A call that reports failure must not have its command go out later, when a line held
  // by flow control frees up.
  if (outcome.error != ADAPTER_NO_ERROR) line_->DiscardOutput();
  return outcome;
}

AdapterSession::Outcome AdapterSession::ExchangeWithRetries(
    Command command, const std::vector<std::uint8_t>& payload) {
  // Retries keep the sequence number: every command is safe to repeat, so a late
  // reply to an earlier attempt answers this one just as well.
  const std::uint8_t sequence = ++sequence_;
  const auto frame = EncodeFrame({sequence, static_cast<std::uint8_t>(command), payload});
  const auto callDeadline = Clock::now() + callLimit_;
  int lostReplies = 0;
  int busyReplies = 0;
  for (;;) {
    line_->DiscardOutput();  // an earlier attempt still waiting to go out would repeat it
    line_->DiscardInput();
    decoder_.Clear();
    if (!line_->Send(frame, kSendLimit)) return {LIBERR_SEND_FAILED, {}};
    Frame reply;
    const Wait wait = AwaitReply(sequence, callDeadline, reply);
    if (wait == Wait::kBroken) return {LIBERR_RECEIVE_FAILED, {}};
    const bool outOfTime = Clock::now() >= callDeadline;
    if (wait == Wait::kTimedOut) {
      if (++lostReplies >= kMaxAttempts || outOfTime) return {LIBERR_RECEIVE_FAILED, {}};
      continue;
    }
    const int error = ErrorOfStatus(reply.code);
    if (error == LIBERR_ADAPTER_BUSY && ++busyReplies < kMaxBusyAttempts && !outOfTime) {
      std::this_thread::sleep_for(kBusyPause);
      continue;
    }
    return {error, std::move(reply.payload)};
  }
}

AdapterSession::Wait AdapterSession::AwaitReply(std::uint8_t sequence,
                                                Clock::time_point callDeadline, Frame& reply) {
  auto deadline = std::min(Clock::now() + kReplyGap, callDeadline);
  std::vector<std::uint8_t> bytes;
  for (;;) {
    while (auto frame = decoder_.Next()) {
      if (frame->sequence == sequence && IsReplyCode(frame->code)) {
        reply = std::move(*frame);
        return Wait::kReply;
      }
    }
    const auto left = std::chrono::duration_cast<milliseconds>(deadline - Clock::now());
    if (left.count() <= 0) return Wait::kTimedOut;
    bytes.clear();
    switch (line_->Receive(bytes, left)) {
      case ReceiveResult::kBroken:
        return Wait::kBroken;
      case ReceiveResult::kTimedOut:
        return Wait::kTimedOut;
      case ReceiveResult::kBytes:
        if (bytes.empty()) break;
        decoder_.Feed(bytes);
        deadline = std::min(Clock::now() + kReplyGap, callDeadline);
        break;
    }
  }
}

}  // namespace zefp1
