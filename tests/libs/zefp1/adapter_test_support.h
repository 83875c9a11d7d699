// What the adapter tests and the benchmark share: the emulator as a child process, a
// prepared emulator state, and what the library reads back.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "zefp1/zefp1.h"
#include "support/child_process.h"

// The emulator serving a new pseudo-terminal linked at `link`, with `arguments` added;
// its firstLine() is the device path. Throws std::runtime_error when it does not come up.
std::unique_ptr<ChildProcess> StartEmulator(const std::string& link,
                                            const std::vector<std::string>& arguments);

// An emulator state file of `count` entries with 11-digit numbers and 8-byte names:
// the benchmark's full adapter.
void WriteEmulatorState(const std::string& path, int count);

// What one AdapterReadAll call gave.
struct AdapterContents {
  int ok = 0;
  int32_t count = 0;
  std::array<AdapterEntry, ADAPTER_CAPACITY> entries{};
};
AdapterContents ReadAdapter();
