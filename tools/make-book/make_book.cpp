// make-book: writes a generated book file through the CallDir library.
//   make-book [--count N] [--seed S] [--deleted PERCENT] [--adapter N] PATH
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "calldir/calldir.h"
#include "book_generator.h"

namespace {

int Usage() {
  std::fprintf(stderr,
               "usage: make-book [--count N] [--seed S] [--deleted PERCENT] [--adapter N] PATH\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  BookShape shape;
  std::string path;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == "--count" && hasValue)
      shape.count = std::atoi(argv[++i]);
    else if (arg == "--seed" && hasValue)
      shape.seed = static_cast<uint32_t>(std::strtoul(argv[++i], nullptr, 10));
    else if (arg == "--deleted" && hasValue)
      shape.deletedPercent = std::atoi(argv[++i]);
    else if (arg == "--adapter" && hasValue)
      shape.adapterEntries = std::atoi(argv[++i]);
    else if (!arg.empty() && arg[0] != '-' && path.empty())
      path = arg;
    else
      return Usage();
  }
  if (path.empty() || shape.count < 0 || shape.count > BOOK_CAPACITY) return Usage();

  auto book = std::make_unique<PhoneBook>();
  GenerateBook(*book, shape);
  CallDirOpen(path.c_str());  // a missing or unreadable file is replaced all the same
  const bool written = CallDirWrite(book->data(), book->entryCount()) != 0;
  const int error = CallDirLastError();
  CallDirClose();
  if (!written) {
    std::fprintf(stderr, "make-book: cannot write %s (error %d)\n", path.c_str(), error);
    return 1;
  }
  std::printf("%s: %d entries\n", path.c_str(), book->entryCount());
  return 0;
}
