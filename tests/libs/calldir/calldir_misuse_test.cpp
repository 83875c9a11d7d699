// Misuse is harmless: every call in every state returns, null pointers and counts or
// indexes outside the book fail with a number, and the file stays as it was.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "calldir/calldir.h"
#include "book/book_storage.h"
#include "libs/calldir/calldir_test_support.h"

namespace {

using namespace calldir_test;

class CallDirMisuse : public ::testing::Test {
 protected:
  void SetUp() override {
    CallDirClose();
    RunInChild([&](ChildReport& r) {
      Program writer(path);
      r.Check(writer.LoadBook(), "load");
      for (const BookEntry& e : MakeBook(1, 5)) writer.Append(e);
      r.Check(writer.HandOverBook(), "write");
    });
    original = ReadBytes(path);
  }
  void TearDown() override { CallDirClose(); }

  void ExpectFileUnchanged(const std::string& what) {
    EXPECT_EQ(ReadBytes(path), original) << what;
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"CallDir.csv"}) << what;
  }

  TempDir folder;
  const std::string path = folder.File("CallDir.csv");
  std::string original;
  std::vector<BookEntry> array = std::vector<BookEntry>(BOOK_CAPACITY);
};

// In a process whose library has never opened anything: GoogleTest's "threadsafe" death
// test style runs the statement in a newly started copy of this program.
// It leaves by exit(), past the fixture's destructor, so it removes its own folder.
void CallsOfANewProcess(const std::string& path, std::vector<BookEntry>& array,
                        const std::string& folder, const std::string& original) {
  bool ok = true;
  const auto check = [&](bool good, const char* what) {
    if (!good) std::fprintf(stderr, "failed: %s\n", what);
    ok = ok && good;
  };
  check(CallDirLastError() == 0, "no failure yet");
  check(CallDirCount() == 0, "count");
  check(CallDirRead(array.data()) == 0, "read");
  check(CallDirLastError() == LIBERR_BOOK_UNREADABLE, "read's number");
  check(CallDirWrite(array.data(), 1) == 0, "write");
  check(CallDirLastError() == LIBERR_BOOK_SAVE_FAILED, "write's number");
  check(CallDirDelete(array.data(), 0) == 0, "delete");
  check(CallDirLastError() == LIBERR_BOOK_SAVE_FAILED, "delete's number");
  // No book was ever given to it: it must not replace the user's with an empty one.
  check(CallDirSave(path.c_str(), 0) == 0, "save");
  check(CallDirLastError() == LIBERR_BOOK_SAVE_FAILED, "save's number");
  CallDirClose();
  CallDirClose();
  check(ReadBytes(path) == original, "the book file unchanged");
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
  std::exit(ok ? 0 : 1);
}

TEST_F(CallDirMisuse, EveryCallBeforeAnyOpenFailsWithANumber) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(CallsOfANewProcess(path, array, folder.path().string(), original),
              ::testing::ExitedWithCode(0), "");
  ExpectFileUnchanged("calls before an open");
}

TEST_F(CallDirMisuse, NullPointersFail) {
  EXPECT_EQ(CallDirOpen(nullptr), 0);
  EXPECT_EQ(CallDirLastError(), LIBERR_BOOK_CANNOT_OPEN);
  EXPECT_EQ(CallDirOpen(""), 0);
  EXPECT_EQ(CallDirLastError(), LIBERR_BOOK_CANNOT_OPEN);
  ASSERT_NE(CallDirOpen(path.c_str()), 0);
  EXPECT_EQ(CallDirRead(nullptr), 0);
  EXPECT_EQ(CallDirLastError(), LIBERR_BOOK_UNREADABLE);
  EXPECT_EQ(CallDirWrite(nullptr, 1), 0);
  EXPECT_EQ(CallDirLastError(), LIBERR_BOOK_SAVE_FAILED);
  EXPECT_EQ(CallDirWrite(nullptr, 0), 0);
  EXPECT_EQ(CallDirDelete(nullptr, 0), 0);
  EXPECT_EQ(CallDirLastError(), LIBERR_BOOK_SAVE_FAILED);
  CallDirClose();
  EXPECT_EQ(CallDirSave(nullptr, 5), 0);
  EXPECT_EQ(CallDirLastError(), LIBERR_BOOK_SAVE_FAILED);
  EXPECT_EQ(CallDirSave("", 5), 0);
  ExpectFileUnchanged("null pointers");
}

TEST_F(CallDirMisuse, CountsOutsideTheBookFail) {
  ASSERT_NE(CallDirOpen(path.c_str()), 0);
  ASSERT_EQ(CallDirCount(), 5);
  ASSERT_NE(CallDirRead(array.data()), 0);
  for (const int count : {-1, BOOK_CAPACITY + 1, -2147483647 - 1, 2147483647}) {
    EXPECT_EQ(CallDirWrite(array.data(), count), 0) << count;
    EXPECT_EQ(CallDirLastError(), LIBERR_BOOK_SAVE_FAILED);
    EXPECT_EQ(CallDirSave(path.c_str(), count), 0) << count;
    EXPECT_EQ(CallDirLastError(), LIBERR_BOOK_SAVE_FAILED);
  }
  // Save stores the program's book only: a count that is not the program's fails.
  EXPECT_EQ(CallDirSave(path.c_str(), 4), 0);
  EXPECT_EQ(CallDirSave(path.c_str(), 6), 0);
  CallDirClose();
  ExpectFileUnchanged("bad counts");
  EXPECT_NE(CallDirSave(path.c_str(), 5), 0) << "the right count still saves";
}

TEST_F(CallDirMisuse, IndexesOutsideTheBookFail) {
  Program program(path);
  ASSERT_TRUE(program.LoadBook());
  CallDirOpen(path.c_str());
  for (const int index : {-1, 5, 6, BOOK_CAPACITY, -2147483647 - 1}) {
    EXPECT_EQ(CallDirDelete(program.book.data(), index), 0) << index;
    EXPECT_EQ(CallDirLastError(), LIBERR_BOOK_SAVE_FAILED);
  }
  CallDirClose();
  ExpectFileUnchanged("bad indexes");
  EXPECT_TRUE(program.MarkDeleted(4)) << "a good index still deletes";
}

TEST_F(CallDirMisuse, AfterACloseOnlyTheSaveWorks) {
  Program program(path);
  ASSERT_TRUE(program.LoadBook());  // ends with a close
  EXPECT_EQ(CallDirCount(), 0);
  EXPECT_EQ(CallDirRead(array.data()), 0);
  EXPECT_EQ(CallDirLastError(), LIBERR_BOOK_UNREADABLE);
  EXPECT_EQ(CallDirWrite(program.book.data(), program.book.entryCount()), 0);
  EXPECT_EQ(CallDirLastError(), LIBERR_BOOK_SAVE_FAILED);
  EXPECT_EQ(CallDirDelete(program.book.data(), 0), 0);
  EXPECT_EQ(CallDirLastError(), LIBERR_BOOK_SAVE_FAILED);
  CallDirClose();
  ExpectFileUnchanged("calls after a close");
  EXPECT_TRUE(program.SaveCommand());
}

TEST_F(CallDirMisuse, OpenTwiceAndCloseTwice) {
  ASSERT_NE(CallDirOpen(path.c_str()), 0);
  EXPECT_NE(CallDirOpen(path.c_str()), 0) << "the same book again: fine";
  EXPECT_EQ(CallDirCount(), 5);
  // Another book while one is open: refused, and the open one stays usable.
  const std::string other = folder.File("Other.csv");
  EXPECT_EQ(CallDirOpen(other.c_str()), 0);
  EXPECT_EQ(CallDirLastError(), LIBERR_BOOK_ALREADY_OPEN);
  EXPECT_EQ(CallDirCount(), 5);
  ASSERT_NE(CallDirRead(array.data()), 0);
  EXPECT_NE(CallDirRead(array.data()), 0) << "reading twice";
  CallDirClose();
  CallDirClose();
  EXPECT_EQ(CallDirCount(), 0);
  ExpectFileUnchanged("open and close twice");
}

TEST_F(CallDirMisuse, AFailedCallLeavesTheBookUsable) {
  Program program(path);
  ASSERT_TRUE(program.LoadBook());
  CallDirOpen(path.c_str());
  EXPECT_EQ(CallDirWrite(program.book.data(), -3), 0);
  EXPECT_EQ(CallDirDelete(program.book.data(), 99), 0);
  CallDirClose();
  program.Append(MakeEntry(2, 0));
  ASSERT_TRUE(program.HandOverBook());
  ExpectBook(program.Live(), FreshStart(path).book, "after failures, a good write");
}

}  // namespace
