// What every fuzz target shares: a check that stops the run with a message, the input as
// bytes or text, and a scratch file for the readers that only read from a path.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// A broken promise of the code under test: libFuzzer keeps the input that made it.
#define FUZZ_CHECK(condition)                                                            \
  do {                                                                                   \
    if (!(condition)) {                                                                  \
      std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                      \
    }                                                                                    \
  } while (false)

namespace fuzz {

inline std::string_view AsText(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// The input cut at NUL bytes into at most `count` pieces; the last one keeps the rest.
std::vector<std::string> SplitAtNul(std::string_view input, std::size_t count);

// The path of a file `name` in a folder of this process's own, removed when it ends.
std::string ScratchFile(const std::string& name);

void WriteFile(const std::string& path, std::string_view bytes);

}  // namespace fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
