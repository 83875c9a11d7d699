// The program folder: its file names on both systems; where it is found differs.
#include "platform/program_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

#ifndef _WIN32
#include <sys/stat.h>

#include <cstdlib>

#include "support/temp_dir.h"
#endif

namespace {

#ifdef _WIN32
TEST(ProgramFolderOnWindows, PathsNameTheThreeFilesInTheFolder) {
  const ProgramPaths paths = PathsIn("C:\\DUDODE\\");
  EXPECT_EQ(paths.exeDir, "C:\\DUDODE");
  EXPECT_EQ(paths.bookPath, "C:\\DUDODE\\CallDir.csv");
  EXPECT_EQ(paths.columnIniPath, "C:\\DUDODE\\DUDODE.ini");
  EXPECT_EQ(paths.portIniPath, "C:\\DUDODE\\VIZAZED.ini");
}

TEST(ProgramFolderOnWindows, IsTheExecutablesOwnFolder) {
  ASSERT_TRUE(SetUpProgramFolder());
  EXPECT_TRUE(std::filesystem::exists(g_exeDir + "\\platform_tests.exe")) << g_exeDir;
  EXPECT_EQ(g_bookPath, g_exeDir + "\\CallDir.csv");
}
#else

// Sets environment variables for one test and puts them back afterwards.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old, had_ = true;
    value ? setenv(name, value, 1) : unsetenv(name);
  }
  ~ScopedEnv() { had_ ? setenv(name_, old_.c_str(), 1) : unsetenv(name_); }

 private:
  const char* name_;
  std::string old_;
  bool had_ = false;
};

TEST(ProgramFolderOnPosix, PathsNameTheThreeFilesInTheFolder) {
  const ProgramPaths paths = PathsIn("/data/DUDODE/");
  EXPECT_EQ(paths.exeDir, "/data/DUDODE");
  EXPECT_EQ(paths.bookPath, "/data/DUDODE/CallDir.csv");
  EXPECT_EQ(paths.columnIniPath, "/data/DUDODE/DUDODE.ini");
  EXPECT_EQ(paths.portIniPath, "/data/DUDODE/VIZAZED.ini");
}

TEST(ProgramFolderOnPosix, DudodeHomeWinsAndIsCreatedPrivate) {
  TempDir dir;
  const std::string home = dir.File("a/b/home");
  ScopedEnv env("DUDODE_HOME", home.c_str());
  ASSERT_TRUE(SetUpProgramFolder());
  EXPECT_EQ(g_exeDir, home);
  EXPECT_EQ(g_bookPath, home + "/CallDir.csv");
  struct stat info {};
  ASSERT_EQ(stat(home.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0700u);
}

TEST(ProgramFolderOnPosix, FallsBackToTheUsersDataFolder) {
  TempDir dir;
  ScopedEnv noHome("DUDODE_HOME", nullptr);
  ScopedEnv data("XDG_DATA_HOME", dir.path().c_str());
  ASSERT_TRUE(SetUpProgramFolder());
  EXPECT_EQ(g_exeDir, dir.File("DUDODE"));

  ScopedEnv noData("XDG_DATA_HOME", nullptr);
  ScopedEnv home("HOME", dir.path().c_str());
  ASSERT_TRUE(SetUpProgramFolder());
  EXPECT_EQ(g_columnIniPath, dir.File(".local/share/DUDODE/DUDODE.ini"));
}

TEST(ProgramFolderOnPosix, FailsWhenTheFolderCannotBeMade) {
  TempDir dir;
  dir.Write("file", "x");
  ScopedEnv env("DUDODE_HOME", dir.File("file/inside").c_str());
  EXPECT_FALSE(SetUpProgramFolder());
}

#endif

}  // namespace
