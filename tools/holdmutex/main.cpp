// holdmutex NAME: holds the named mutex NAME until it is killed. It plays a program that
// holds its mutex (VIZAZED's "VIZAZED_RUNNING") in tests and in the demo.
#include <chrono>
#include <cstdio>
#include <thread>

#include "platform/named_mutex.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: holdmutex NAME\n", stderr);
    return 2;
  }
  const auto mutex = NamedMutex::Create(argv[1]);
  if (!mutex) {
    std::fprintf(stderr, "holdmutex: cannot take %s\n", argv[1]);
    return 1;
  }
  std::printf("holding %s\n", argv[1]);  // the line a test waits for
  std::fflush(stdout);
  // The default action of SIGTERM and SIGINT ends the process; the system lets go of the name.
  for (;;) std::this_thread::sleep_for(std::chrono::hours(1));
}
