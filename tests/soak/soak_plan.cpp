#include "soak/soak_plan.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "calldir/calldir.h"

namespace {

bool ReadNumber(std::string_view text, long& value) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size() && value >= 0;
}

}  // namespace

bool ParseOptions(int argc, char** argv, SoakOptions& options) {
  if (argc % 2 != 1) return false;  // every option takes a value
  for (int i = 1; i < argc; i += 2) {
    const std::string_view name = argv[i];
    long value = 0;
    if (!ReadNumber(argv[i + 1], value) || value > 0xFFFFFFFFL) return false;
    if (name == "--seed") {
      options.seed = static_cast<std::uint32_t>(value);
    } else if (name == "--operations") {
      options.operations = static_cast<int>(std::min(value, 1000000L));
    } else if (name == "--entries") {
      options.entries = static_cast<int>(std::min<long>(value, BOOK_CAPACITY + 1));
    } else if (name == "--minutes") {
      options.minutes = static_cast<int>(std::min(value, 1000L));
    } else {
      return false;
    }
  }
  return options.operations > 0 && options.entries <= BOOK_CAPACITY && options.minutes > 0;
}

BookFileFault FaultSchedule::FaultAt(int operation) const {
  for (const Phase& phase : phases) {
    if (operation >= phase.first && operation <= phase.last) return phase.fault;
  }
  return BookFileFault::None;
}

FaultSchedule MakeSchedule(int operations, std::mt19937& random) {
  const auto between = [&random](int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
  };
  FaultSchedule schedule;
  const int quarter = operations / 4;
  for (int q = 0; q < 4 && quarter > 2; ++q) {
    const int length = between(std::max(1, quarter / 16), quarter / 3);
    const int first = q * quarter + between(0, quarter - length - 1);
    const auto fault =
        between(0, 1) == 0 ? BookFileFault::UnwritableFolder : BookFileFault::FullDisk;
    schedule.phases.push_back({first, first + length - 1, fault});
  }
  schedule.portVanishes = between(operations * 3 / 4, operations * 9 / 10);
  return schedule;
}

Watchdog::Watchdog(std::chrono::minutes total, std::chrono::seconds perOperation,
                   std::function<void()> onHang)
    : end_(Clock::now() + total),
      perOperation_(perOperation),
      onHang_(std::move(onHang)),
      beat_(Clock::now()) {
  thread_ = std::thread([this] { Watch(); });
}

Watchdog::~Watchdog() {
  stop_ = true;
  thread_.join();
}

void Watchdog::Beat(int operation) {
  operation_ = operation;
  beat_ = Clock::now();
}

void Watchdog::Watch() {
  while (!stop_) {
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    const auto now = Clock::now();
    if (now > end_ || now - beat_.load() > perOperation_) {
      std::fprintf(stderr, "soak: watchdog: %s at operation %d\n",
                   now > end_ ? "the run took too long" : "an operation hung", operation_.load());
      std::fflush(stderr);
      onHang_();
      std::_Exit(3);
    }
  }
}
