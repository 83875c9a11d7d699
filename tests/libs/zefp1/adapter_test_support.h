// What the adapter tests and the benchmark share: the emulator as a child process, a
// prepared emulator state, and the library's records built and read back.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "book/adapter_api.h"
#include "support/child_process.h"

// The emulator serving a new pseudo-terminal linked at `link`, with `arguments` added;
// its firstLine() is the device path. Throws std::runtime_error when it does not come up.
std::unique_ptr<ChildProcess> StartEmulator(const std::string& link,
                                            const std::vector<std::string>& arguments);

// An emulator state file of `count` entries with 11-digit numbers and 8-byte names:
// the benchmark's full adapter.
void WriteEmulatorState(const std::string& path, int count);

AdapterEntry MakeAdapterEntry(std::string_view number, std::string_view name, uint8_t accept = 1,
                              uint8_t illumination = 0);

// What one AdapterReadAll call gave.
struct AdapterContents {
  int ok = 0;
  int32_t count = 0;
  std::array<AdapterEntry, ADAPTER_CAPACITY> entries{};
};
AdapterContents ReadAdapter();
