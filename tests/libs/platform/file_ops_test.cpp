// The file operations' contract, the same on POSIX and Windows; what only one system has
// (file modes) is in the cases named after it.
#include "platform/file_ops.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/temp_dir.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace {

using file_ops::FileStamp;
using file_ops::InputFile;
using file_ops::KeepResult;
using file_ops::TempFile;

class FileOps : public ::testing::Test {
 protected:
  // Writes `bytes` into a new file at `path` through TempFile, as a save does.
  bool WriteNew(const std::string& path, const std::string& bytes) {
    TempFile file;
    return file.Create(path) == TempFile::CreateResult::Created &&
           file.Write(bytes.data(), bytes.size()) && file.Flush() && file.Close();
  }
  std::string ReadWhole(const std::string& path) {
    InputFile file;
    if (file.Open(path) != InputFile::OpenResult::Opened) return "<not opened>";
    std::string bytes;
    char buffer[3];  // small, so that reading takes several calls
    for (long long got; (got = file.Read(buffer, sizeof buffer)) > 0;) bytes.append(buffer, got);
    return bytes;
  }

  TempDir dir;
  std::string book = dir.File("CallDir.csv");
};

TEST_F(FileOps, ATempFileIsNewAndBecomesTheFileWhenRenamedOverIt) {
  ASSERT_TRUE(WriteNew(book, "old"));
  EXPECT_FALSE(WriteNew(book, "again"));  // never opens an existing file
  TempFile taken;
  EXPECT_EQ(taken.Create(book), TempFile::CreateResult::NameTaken);
  EXPECT_EQ(taken.Create(dir.File("no/such/folder")), TempFile::CreateResult::Failed);

  const std::string temp = dir.File("CallDir.csv.new");
  ASSERT_TRUE(WriteNew(temp, "new book"));
  ASSERT_TRUE(file_ops::RenameOver(temp, book));
  EXPECT_TRUE(file_ops::FlushFolderOf(book));
  EXPECT_EQ(ReadWhole(book), "new book");
  EXPECT_FALSE(file_ops::PathExists(temp));
}

TEST_F(FileOps, ATempFileNotClosedIsRemovedWithItsObject) {
  const std::string temp = dir.File("half.tmp");
  {
    TempFile file;
    ASSERT_EQ(file.Create(temp), TempFile::CreateResult::Created);
    ASSERT_TRUE(file.Write("half", 4));
  }
  EXPECT_FALSE(file_ops::PathExists(temp));
}

TEST_F(FileOps, OpeningTellsAMissingFileFromOneThatCannotBeRead) {
  InputFile missing;
  EXPECT_EQ(missing.Open(dir.File("none.csv")), InputFile::OpenResult::Missing);
  InputFile folder;
  std::filesystem::create_directory(dir.File("folder"));
  EXPECT_EQ(folder.Open(dir.File("folder")), InputFile::OpenResult::Failed);
  ASSERT_TRUE(WriteNew(book, "0123456789"));
  EXPECT_EQ(ReadWhole(book), "0123456789");
}

TEST_F(FileOps, AStampChangesWithEveryNewVersionOfTheFile) {
  const FileStamp none = file_ops::StampOf(book);
  EXPECT_TRUE(none.known);
  EXPECT_FALSE(none.exists);
  ASSERT_TRUE(WriteNew(book, "first"));
  const FileStamp first = file_ops::StampOf(book);
  EXPECT_TRUE(first.known && first.exists);
  EXPECT_EQ(first.size, 5u);
  EXPECT_TRUE(file_ops::SameFile(first, file_ops::StampOf(book)));
  {
    InputFile open;  // closed before the rename: Windows keeps an open file in its place
    ASSERT_EQ(open.Open(book), InputFile::OpenResult::Opened);
    EXPECT_TRUE(file_ops::SameFile(first, open.Stamp()));
  }

  const std::string temp = dir.File("next.tmp");
  ASSERT_TRUE(WriteNew(temp, "first"));  // the same size: only the file's identity differs
  ASSERT_TRUE(file_ops::RenameOver(temp, book));
  EXPECT_FALSE(file_ops::SameFile(first, file_ops::StampOf(book)));
  EXPECT_FALSE(file_ops::SameFile(FileStamp{}, FileStamp{}));  // unknown is never the same
}

TEST_F(FileOps, KeepingABackupNeverReplacesAnother) {
  ASSERT_TRUE(WriteNew(book, "unreadable"));
  const std::string backup = dir.File("CallDir.csv.bad");
  EXPECT_EQ(file_ops::KeepAs(book, backup), KeepResult::Kept);
  EXPECT_EQ(ReadWhole(backup), "unreadable");
  EXPECT_EQ(file_ops::KeepAs(book, backup), KeepResult::NameTaken);
  EXPECT_EQ(file_ops::KeepAs(dir.File("none"), dir.File("none.bad")), KeepResult::Failed);
  EXPECT_TRUE(file_ops::RemoveFile(backup));
  EXPECT_FALSE(file_ops::PathExists(backup));
  EXPECT_FALSE(file_ops::RemoveFile(backup));
}

TEST(FileOpsProcess, ThisProcessExistsAndTheTimeIsReadyForANameTag) {
  EXPECT_TRUE(file_ops::ProcessExists(file_ops::CurrentProcessId()));
  const std::string time = file_ops::LocalTimeText();
  ASSERT_EQ(time.size(), 15u) << time;
  EXPECT_EQ(time[8], '-');
  EXPECT_EQ(time.find_first_not_of("0123456789-"), std::string::npos) << time;
}

#ifndef _WIN32
using FileOpsOnPosix = FileOps;

TEST_F(FileOpsOnPosix, TheFilesAreTheirUsersAlone) {
  ASSERT_TRUE(WriteNew(book, "x"));
  struct stat info {};
  ASSERT_EQ(stat(book.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);
  ASSERT_EQ(chmod(book.c_str(), 0644), 0);
  ASSERT_EQ(file_ops::KeepAs(book, dir.File("kept")), KeepResult::Kept);
  ASSERT_EQ(stat(dir.File("kept").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);
}
#endif

}  // namespace
