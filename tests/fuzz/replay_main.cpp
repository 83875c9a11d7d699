// Without libFuzzer: runs a target on every file of the corpus folders named on the command
// line, so that each input once found keeps being checked by the plain test run.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include "fuzz_support.h"

int main(int argc, char** argv) {
  int replayed = 0;
  for (int i = 1; i < argc; ++i) {
    for (const auto& item : std::filesystem::recursive_directory_iterator(argv[i])) {
      if (!item.is_regular_file()) continue;
      std::cout << item.path().string() << std::endl;  // names the input that stops the run
      std::ifstream file(item.path(), std::ios::binary);
      const std::string input{std::istreambuf_iterator<char>(file), {}};
      LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(input.data()), input.size());
      ++replayed;
    }
  }
  std::cout << "replayed " << replayed << " inputs\n";
  return replayed > 0 ? 0 : 1;  // an empty corpus is a mistake, not a pass
}
