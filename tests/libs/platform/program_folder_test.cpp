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
  bool ready = false;
  const ProgramPaths paths = SetUpProgramFolder(&ready);
  ASSERT_TRUE(ready);
  EXPECT_TRUE(std::filesystem::exists(paths.exeDir + "\\platform_tests.exe")) << paths.exeDir;
  EXPECT_EQ(paths.bookPath, paths.exeDir + "\\CallDir.csv");
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
  bool ready = false;
  const ProgramPaths paths = SetUpProgramFolder(&ready);
  ASSERT_TRUE(ready);
  EXPECT_EQ(paths.exeDir, home);
  EXPECT_EQ(paths.bookPath, home + "/CallDir.csv");
  struct stat info {};
  ASSERT_EQ(stat(home.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0700u);
}

TEST(ProgramFolderOnPosix, FallsBackToTheUsersDataFolder) {
  TempDir dir;
  ScopedEnv noHome("DUDODE_HOME", nullptr);
  ScopedEnv data("XDG_DATA_HOME", dir.path().c_str());
  bool ready = false;
  EXPECT_EQ(SetUpProgramFolder(&ready).exeDir, dir.File("DUDODE"));
  EXPECT_TRUE(ready);

  ScopedEnv noData("XDG_DATA_HOME", nullptr);
  ScopedEnv home("HOME", dir.path().c_str());
  EXPECT_EQ(SetUpProgramFolder(&ready).columnIniPath, dir.File(".local/share/DUDODE/DUDODE.ini"));
  EXPECT_TRUE(ready);
}

TEST(ProgramFolderOnPosix, FailsWhenTheFolderCannotBeMade) {
  TempDir dir;
  dir.Write("file", "x");
  ScopedEnv env("DUDODE_HOME", dir.File("file/inside").c_str());
  bool ready = true;
  SetUpProgramFolder(&ready);
  EXPECT_FALSE(ready);
}

#endif

}  // namespace
