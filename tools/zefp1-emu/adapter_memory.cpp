#include "adapter_memory.h"

#include <algorithm>
#include <cstdio>
#include <random>

#include "state_file.h"

AdapterMemory::AdapterMemory(std::size_t capacity, std::string statePath)
    : capacity_(capacity), statePath_(std::move(statePath)), counter_(std::random_device{}()) {}

bool AdapterMemory::LoadState(std::string& error) {
  if (statePath_.empty()) return true;
  auto records = ReadStateFile(statePath_, error);
  if (!records) return false;
  if (records->size() > capacity_) {
    error = statePath_ + ": holds more entries than the capacity";
    return false;
  }
  records_ = std::move(*records);
  return WriteStateFile(statePath_, records_, error);  // creates a missing file
}

bool AdapterMemory::Register(const zefp1::Record& record) {
  const auto held = std::find_if(records_.begin(), records_.end(),
                                 [&](const zefp1::Record& r) { return r.number == record.number; });
  if (held != records_.end()) {
    *held = record;
  } else if (records_.size() < capacity_) {
    records_.push_back(record);
  } else {
    return false;
  }
  Changed();
  return true;
}

void AdapterMemory::Delete(const std::string& number) {
  const auto removed =
      std::erase_if(records_, [&](const zefp1::Record& r) { return r.number == number; });
  if (removed > 0) Changed();
}

void AdapterMemory::Changed() {
  ++counter_;
  std::string error;
  if (!statePath_.empty() && !WriteStateFile(statePath_, records_, error)) {
    std::fprintf(stderr, "zefp1-emu: cannot keep the state: %s\n", error.c_str());
  }
}
