// Named mutexes on both systems; the cases that need fork, folders or users are POSIX's.
#include "platform/named_mutex.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#ifndef _WIN32
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "support/temp_dir.h"
#endif

namespace {

// A name no other test run uses at the same time.
std::string UniqueName(const char* base) {
  static const std::string suffix = std::to_string(std::random_device{}());
  return std::string(base) + "_" + suffix;
}

TEST(NamedMutex, ANameThisProcessHoldsIsHeldUntilReleased) {
  const std::string name = UniqueName("TEST_HELD_HERE");
  EXPECT_FALSE(NamedMutex::IsHeld(name));
  auto mine = NamedMutex::Create(name);
  ASSERT_NE(mine, nullptr);
  EXPECT_TRUE(NamedMutex::IsHeld(name));
  EXPECT_EQ(NamedMutex::Create(name), nullptr);
  mine.reset();
  EXPECT_FALSE(NamedMutex::IsHeld(name));
  EXPECT_NE(NamedMutex::Create(name), nullptr);
}

TEST(NamedMutex, NamesAreIndependent) {
  auto first = NamedMutex::Create(UniqueName("FIRST"));
  ASSERT_NE(first, nullptr);
  EXPECT_FALSE(NamedMutex::IsHeld(UniqueName("SECOND")));
}

#ifndef _WIN32

// Starts a child that holds `name` and waits to be killed; returns once it holds it.
pid_t HoldInChild(const std::string& name) {
  int ready[2];
  if (pipe(ready) != 0) return -1;
  const pid_t child = fork();
  if (child == 0) {
    auto mutex = NamedMutex::Create(name);
    const char answer = mutex ? 'y' : 'n';
    (void)!write(ready[1], &answer, 1);
    for (;;) pause();
  }
  char answer = 0;
  (void)!read(ready[0], &answer, 1);
  close(ready[0]);
  close(ready[1]);
  return answer == 'y' ? child : -1;
}

void Kill(pid_t child) {
  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
}

TEST(NamedMutexOnPosix, AnotherProcessSeesTheNameHeldUntilTheHolderDies) {
  const std::string name = UniqueName("TEST_RUNNING");
  EXPECT_FALSE(NamedMutex::IsHeld(name));
  const pid_t holder = HoldInChild(name);
  ASSERT_GT(holder, 0);
  EXPECT_TRUE(NamedMutex::IsHeld(name));
  EXPECT_EQ(NamedMutex::Create(name), nullptr);

  Kill(holder);  // a crash: the name must not stay blocked
  EXPECT_FALSE(NamedMutex::IsHeld(name));
  auto mine = NamedMutex::Create(name);
  ASSERT_NE(mine, nullptr);
  EXPECT_TRUE(NamedMutex::IsHeld(name));
  mine.reset();
  EXPECT_FALSE(NamedMutex::IsHeld(name));
}

TEST(NamedMutexOnPosix, RejectsNamesThatWouldLeaveItsFolder) {
  EXPECT_EQ(NamedMutex::Create("../escape"), nullptr);
  EXPECT_EQ(NamedMutex::Create(""), nullptr);
  EXPECT_FALSE(NamedMutex::IsHeld("a/b"));
}

TEST(NamedMutexOnPosix, NeverUsesARuntimeFolderOthersCanWrite) {
  TempDir open;
  chmod(open.path().c_str(), 0777);
  const char* saved = std::getenv("XDG_RUNTIME_DIR");
  const std::string restore = saved ? saved : "";
  setenv("XDG_RUNTIME_DIR", open.path().c_str(), 1);
  auto mutex = NamedMutex::Create(UniqueName("SHARED_FOLDER"));
  EXPECT_NE(mutex, nullptr);  // taken in the private fallback folder instead
  EXPECT_TRUE(std::filesystem::is_empty(open.path()));
  if (saved)
    setenv("XDG_RUNTIME_DIR", restore.c_str(), 1);
  else
    unsetenv("XDG_RUNTIME_DIR");
}

TEST(NamedMutexOnPosix, AnotherUserCannotBlockTheNamesByTakingTheSharedFolderFirst) {
  // Needs two users: run as root, the test plays the other user itself.
  if (geteuid() != 0) GTEST_SKIP() << "needs root to act as two users";
  constexpr uid_t kNobody = 65534;
  const std::string shared = "/tmp/named-mutexes-" + std::to_string(kNobody);
  if (std::filesystem::exists(shared)) GTEST_SKIP() << shared << " is in use";
  ASSERT_EQ(mkdir(shared.c_str(), 0700), 0);  // root's folder, in nobody's place
  TempDir home;
  ASSERT_EQ(chown(home.path().c_str(), kNobody, kNobody), 0);

  const pid_t child = fork();
  if (child == 0) {
    unsetenv("XDG_RUNTIME_DIR");
    setenv("HOME", home.path().c_str(), 1);
    if (setgid(kNobody) != 0 || setuid(kNobody) != 0) _exit(2);
    auto mutex = NamedMutex::Create("BLOCKED_RUNNING");
    _exit(mutex && NamedMutex::IsHeld("BLOCKED_RUNNING") ? 0 : 1);
  }
  int status = 0;
  waitpid(child, &status, 0);
  std::filesystem::remove_all(shared);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  EXPECT_TRUE(std::filesystem::exists(home.File(".cache/named-mutexes/BLOCKED_RUNNING.mutex")));
}

#endif

}  // namespace
