// The adapter's own list: at most `capacity` entries in the order they were first
// registered, a change counter that moves on every change, and, when asked, a state file
// that keeps the list across runs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "adapter_messages.h"

class AdapterMemory {
 public:
  // `statePath` empty: the list lives only as long as the emulator.
  AdapterMemory(std::size_t capacity, std::string statePath);

  // Reads the state file, creating it when missing. False, with `error` set, when the
  // file cannot be read or holds a line the adapter would not accept.
  bool LoadState(std::string& error);

  // Stores `record`, or updates the entry with its number. False when that needs a new
  // slot and every slot is taken.
  bool Register(const zefp1::Record& record);

  // Removes `number`; a number the adapter does not hold is no failure.
  void Delete(const std::string& number);

  std::uint32_t counter() const { return counter_; }
  const std::vector<zefp1::Record>& records() const { return records_; }

 private:
  void Changed();

  std::size_t capacity_;
  std::string statePath_;
  std::vector<zefp1::Record> records_;
  // Starts at a random value, so a list cached from an earlier run never passes for this one.
  std::uint32_t counter_;
};
