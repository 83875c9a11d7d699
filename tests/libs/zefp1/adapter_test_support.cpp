#include "libs/zefp1/adapter_test_support.h"

#include <fstream>
#include <stdexcept>

std::unique_ptr<ChildProcess> StartEmulator(const std::string& link,
                                            const std::vector<std::string>& arguments) {
  std::vector<std::string> argv = {ZEFP1_EMU_PATH, "--link", link};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  auto emulator = std::make_unique<ChildProcess>(argv);
  if (emulator->firstLine().empty()) {
    emulator->Kill();
    throw std::runtime_error("the emulator did not come up");
  }
  return emulator;
}

void WriteEmulatorState(const std::string& path, int count) {
  std::ofstream file(path, std::ios::binary);
  for (int i = 0; i < count; ++i) {
    file << "0901234" << 1000 + i << "\t\xB1\xB2\xB3\xB4\xB5\xB6\xB7\xB8\t1\t2\n";
  }
}

AdapterContents ReadAdapter() {
  AdapterContents contents;
  contents.ok = AdapterReadAll(contents.entries.data(), &contents.count);
  return contents;
}
