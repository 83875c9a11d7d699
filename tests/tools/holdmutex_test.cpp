// holdmutex holds a named mutex for exactly as long as it lives, and refuses a name
// someone else holds.
#include <unistd.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/named_mutex.h"
#include "support/child_process.h"

namespace {

std::string UniqueName(const char* what) {
  return std::string("HOLDMUTEX_TEST_") + what + "_" + std::to_string(::getpid());
}

TEST(Holdmutex, HoldsTheNameUntilStopped) {
  const std::string name = UniqueName("STOP");
  ChildProcess holder({HOLDMUTEX_PATH, name});
  ASSERT_EQ(holder.firstLine(), "holding " + name);
  EXPECT_TRUE(NamedMutex::IsHeld(name));
  EXPECT_EQ(NamedMutex::Create(name), nullptr);
  holder.Stop();
  EXPECT_FALSE(NamedMutex::IsHeld(name));
}

TEST(Holdmutex, AKilledHolderLetsGo) {
  const std::string name = UniqueName("KILL");
  ChildProcess holder({HOLDMUTEX_PATH, name});
  ASSERT_FALSE(holder.firstLine().empty());
  holder.Kill();
  EXPECT_FALSE(NamedMutex::IsHeld(name));
  EXPECT_NE(NamedMutex::Create(name), nullptr);
}

TEST(Holdmutex, FailsWhenTheNameIsTaken) {
  const std::string name = UniqueName("TAKEN");
  ChildProcess first({HOLDMUTEX_PATH, name});
  ASSERT_FALSE(first.firstLine().empty());
  ChildProcess second({HOLDMUTEX_PATH, name});
  EXPECT_TRUE(second.firstLine().empty());
  EXPECT_NE(second.Wait(), 0);
  EXPECT_TRUE(NamedMutex::IsHeld(name));

  ChildProcess unnamed({HOLDMUTEX_PATH});
  EXPECT_NE(unnamed.Wait(), 0);
}

}  // namespace
