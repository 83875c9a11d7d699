// A writer killed at any moment leaves a whole book: a child process writes two books in
// turn through the library and is killed with SIGKILL at random moments; after each kill
// the file opens and holds exactly one of the two.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <iostream>
#include <random>

#include "calldir/calldir.h"
#include "libs/calldir/calldir_test_support.h"

namespace {

using namespace calldir_test;

constexpr int kKills = 200;

TEST(CallDirCrash, AWriterKilledAtAnyMomentLeavesOneWholeBook) {
  TempDir folder;
  const std::string path = folder.File("CallDir.csv");
  const std::vector<BookEntry> a = MakeBook(1, 50);
  const std::vector<BookEntry> b = MakeBook(2, 60);
  RunInChild([&](ChildReport& r) {
    CallDirOpen(path.c_str());
    r.Check(CallDirWrite(a.data(), 50) != 0, "first book");
  });

  std::mt19937 random(12345);
  std::uniform_int_distribution<int> delayUs(0, 25000);
  int sawA = 0;
  int sawB = 0;
  int leftovers = 0;
  const auto started = std::chrono::steady_clock::now();
  for (int kill = 0; kill < kKills; ++kill) {
    const pid_t writer = fork();
    if (writer == 0) {
      CallDirOpen(path.c_str());
      for (;;) {
        CallDirWrite(a.data(), 50);
        CallDirWrite(b.data(), 60);
      }
    }
    ASSERT_GT(writer, 0);
    usleep(static_cast<useconds_t>(delayUs(random)));
    ::kill(writer, SIGKILL);
    int status = 0;
    waitpid(writer, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));

    // A killed store may leave its temporary file behind: private, like the book.
    for (const std::string& name : folder.Names()) {
      if (name == "CallDir.csv") continue;
      ASSERT_NE(name.find("CallDir.csv.tmp-"), std::string::npos) << name;
      EXPECT_EQ(ModeOf(folder.File(name)), 0600u) << name;
      ++leftovers;
    }
    const StartResult start = FreshStart(path);
    ASSERT_TRUE(start.opened) << "kill " << kill << ": error " << start.error;
    if (start.count == 50) {
      ExpectBook(a, start.book, "book A");
      ++sawA;
    } else {
      ASSERT_EQ(start.count, 60) << "kill " << kill;
      ExpectBook(b, start.book, "book B");
      ++sawB;
    }
    if (::testing::Test::HasFatalFailure()) return;
  }
  const auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started);
  std::cout << kKills << " kills in " << seconds.count() << " s: book A " << sawA << " times, B "
            << sawB << " times, " << leftovers << " temporary files left by killed writers\n";
  // The kills fell at different points of the loop, not all before its first write.
  EXPECT_GT(sawA, 0);
  EXPECT_GT(sawB, 0);
  // The start after a kill removed the dead writers' temporary files.
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"CallDir.csv"});
}

}  // namespace
