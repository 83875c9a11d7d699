// The soak's plan: its options, when the book file fails and the port vanishes, and the
// watchdog that ends a run that hangs.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <random>
#include <thread>
#include <vector>

#include "soak/book_file_faults.h"

struct SoakOptions {
  std::uint32_t seed = 1;
  int operations = 2000;
  int entries = 9900;  // in the generated book the program starts with
  int minutes = 10;    // the whole run's limit
};

// Fills `options` from "--seed N --operations N --entries N --minutes N" in any order;
// false on anything else.
bool ParseOptions(int argc, char** argv, SoakOptions& options);

struct FaultSchedule {
  struct Phase {
    int first;
    int last;
    BookFileFault fault;
  };
  std::vector<Phase> phases;
  int portVanishes = 0;  // the operation before which the emulator is killed

  BookFileFault FaultAt(int operation) const;
};

// Four phases of book-file failures, one in each quarter of the run, and the port gone
// somewhere between 75 and 90 percent of it.
FaultSchedule MakeSchedule(int operations, std::mt19937& random);

// Ends the process when the run takes too long as a whole or one operation hangs, saying
// which operation it was in: a hang must fail the soak, not stall it. `onHang` runs first
// (it stops the helper programs, which would outlive the process).
class Watchdog {
 public:
  using Clock = std::chrono::steady_clock;
  Watchdog(std::chrono::minutes total, std::chrono::seconds perOperation,
           std::function<void()> onHang);
  ~Watchdog();
  Watchdog(const Watchdog&) = delete;
  Watchdog& operator=(const Watchdog&) = delete;

  // Operation `operation` starts now.
  void Beat(int operation);

 private:
  void Watch();

  const Clock::time_point end_;
  const std::chrono::seconds perOperation_;
  const std::function<void()> onHang_;
  std::atomic<Clock::time_point> beat_;
  std::atomic<int> operation_{0};
  std::atomic<bool> stop_{false};
  std::thread thread_;
};
