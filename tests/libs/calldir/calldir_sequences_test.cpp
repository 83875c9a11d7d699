// The program's five call sequences, made as the program makes them, and what the
// next start (a new process) sees afterwards.
#include <gtest/gtest.h>

#include <random>

#include "calldir/calldir.h"
#include "book/book_storage.h"
#include "libs/calldir/calldir_test_support.h"

namespace {

using namespace calldir_test;

class CallDirSequences : public ::testing::Test {
 protected:
  void SetUp() override { CallDirClose(); }
  void TearDown() override { CallDirClose(); }

  // A book of `count` entries on the disk, written by another process.
  void PrepareBook(int count) {
    RunInChild([&](ChildReport& r) {
      Program writer(path);
      r.Check(writer.LoadBook(), "load the missing book");
      for (const BookEntry& e : MakeBook(1, count)) writer.Append(e);
      r.Check(writer.HandOverBook(), "write the book");
    });
  }

  TempDir folder;
  const std::string path = folder.File("CallDir.csv");
};

TEST_F(CallDirSequences, AFirstStartHasAnEmptyBookAndTheFirstWriteCreatesTheFile) {
  Program program(path);
  ASSERT_TRUE(program.LoadBook());
  EXPECT_EQ(program.book.entryCount(), 0);
  EXPECT_TRUE(folder.Names().empty()) << "opening a missing book creates nothing";
  program.Append(MakeEntry(1, 0));
  program.Append(MakeEntry(1, 1));
  ASSERT_TRUE(program.HandOverBook());
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"CallDir.csv"});
  EXPECT_EQ(ModeOf(path), 0600u);
  const StartResult next = FreshStart(path);
  ASSERT_TRUE(next.opened);
  ExpectBook(program.Live(), next.book, "next start");
}

TEST_F(CallDirSequences, OneStartWithTheMergeWritingWhileTheBookIsOpen) {
  PrepareBook(20);
  // Sequence 1 in a process of its own: open, count, read, then the merge's own open,
  // write and close while the book is still open, and the last close.
  RunInChild([&](ChildReport& r) {
    Program program(path);
    const bool loaded = program.LoadBook([&] {
      r.Check(program.book.entryCount() == 20, "count before the merge");
      r.Check(CallDirOpen(path.c_str()) != 0, "an open while open succeeds");
      program.book.SetInAdapter(3, true);
      program.book.SetRegisteredName(3, "\xb1\xb2");
      program.Append(MakeEntry(2, 20));
      r.Check(CallDirWrite(program.book.data(), program.book.entryCount()) != 0, "merge write");
      CallDirClose();
      r.Check(CallDirCount() == 0, "the merge's close closed the book");
    });
    r.Check(loaded, "start");
    CallDirClose();  // a close when nothing is open does no harm
  });
  std::vector<BookEntry> want = MakeBook(1, 20);
  want[3].inAdapter = 1;
  Set(want[3].registeredName, "\xb1\xb2");
  want.push_back(MakeEntry(2, 20));
  const StartResult next = FreshStart(path);
  ASSERT_TRUE(next.opened);
  EXPECT_EQ(next.count, 21);
  ExpectBook(want, next.book, "after the merge at start");
}

TEST_F(CallDirSequences, AnEditIsOnTheDiskWhenTheWriteReturns) {
  PrepareBook(10);
  Program program(path);
  ASSERT_TRUE(program.LoadBook());
  BookEntry renamed = program.book[4];
  Set(renamed.name, "\x97\xe9\x96\xd8");  // 鈴木
  program.book.ReplaceEntry(4, renamed);
  program.Append(MakeEntry(3, 0));
  ASSERT_TRUE(program.HandOverBook());
  ExpectBook(program.Live(), FreshStart(path).book, "after the edit");
}

TEST_F(CallDirSequences, TheMergeHandOverStoresTheBook) {
  PrepareBook(5);
  Program program(path);
  ASSERT_TRUE(program.LoadBook());
  for (int i = 0; i < program.book.entryCount(); ++i) program.book.SetAdapterWanted(i, false);
  program.Append(MakeEntry(4, 0));
  program.MergeHandOver();
  ExpectBook(program.Live(), FreshStart(path).book, "after the merge");
}

TEST_F(CallDirSequences, DeletedEntriesNeverComeBack) {
  PrepareBook(12);
  Program program(path);
  ASSERT_TRUE(program.LoadBook());
  ASSERT_TRUE(program.MarkDeleted(3));
  ExpectBook(program.Live(), FreshStart(path).book, "after the first delete");
  EXPECT_EQ(FreshStart(path).count, 11);
  // The program's indexes stay its own: entry 11 is still index 11 after 3 went.
  ASSERT_TRUE(program.MarkDeleted(11));
  ASSERT_TRUE(program.MarkDeleted(0));
  ExpectBook(program.Live(), FreshStart(path).book, "after three deletes");
  // Later writes hand the array over with its deleted slots: they stay dropped.
  BookEntry mailed = program.book[5];
  Set(mailed.email, "new@example.jp");
  program.book.ReplaceEntry(5, mailed);
  ASSERT_TRUE(program.HandOverBook());
  program.Append(MakeEntry(5, 0));
  ASSERT_TRUE(program.HandOverBook());
  ASSERT_TRUE(program.SaveCommand());
  const StartResult next = FreshStart(path);
  EXPECT_EQ(next.count, 10);
  ExpectBook(program.Live(), next.book, "after writes and a save");
  for (const BookEntry& e : next.book) {
    EXPECT_NE(text_bytes::FieldText(e.number), "03-1-3");
    EXPECT_NE(text_bytes::FieldText(e.number), "03-1-11");
    EXPECT_NE(text_bytes::FieldText(e.number), "03-1-0");
  }
}

TEST_F(CallDirSequences, TheEntryGivenToDeleteGoesEvenIfTheArrayStillShowsItLive) {
  PrepareBook(4);
  Program program(path);
  ASSERT_TRUE(program.LoadBook());
  CallDirOpen(path.c_str());
  ASSERT_NE(CallDirDelete(program.book.data(), 2), 0);  // slot 2 not marked by the caller
  CallDirClose();
  const StartResult next = FreshStart(path);
  ASSERT_EQ(next.count, 3);
  EXPECT_EQ(text_bytes::FieldText(next.book[2].number), "03-1-3");
}

TEST_F(CallDirSequences, TheSaveCommandStoresTheBookWithoutAnOpen) {
  PrepareBook(6);
  Program program(path);
  ASSERT_TRUE(program.LoadBook());
  ASSERT_TRUE(program.MarkDeleted(1));
  program.Append(MakeEntry(6, 0));
  ASSERT_TRUE(program.HandOverBook());
  // Window close: the save alone, nothing open.
  ASSERT_TRUE(program.SaveCommand());
  ExpectBook(program.Live(), FreshStart(path).book, "after the save");
  // A save right after a start that changed nothing stores the same book again.
  RunInChild([&](ChildReport& r) {
    Program again(path);
    r.Check(again.LoadBook(), "start");
    r.Check(again.SaveCommand(), "save");
  });
  ExpectBook(program.Live(), FreshStart(path).book, "after start and save");
}

TEST_F(CallDirSequences, CountAndReadAfterAWriteShowWhatTheNextStartWillShow) {
  PrepareBook(8);
  Program program(path);
  ASSERT_TRUE(program.LoadBook());
  ASSERT_TRUE(program.MarkDeleted(2));
  program.Append(MakeEntry(7, 0));
  ASSERT_TRUE(program.HandOverBook());
  // In this process, an open after the writes counts and reads the live entries in order.
  ASSERT_NE(CallDirOpen(path.c_str()), 0);
  ASSERT_EQ(CallDirCount(), 8);
  std::vector<BookEntry> read(8);
  ASSERT_NE(CallDirRead(read.data()), 0);
  CallDirClose();
  ExpectBook(program.Live(), read, "read in this process");
  ExpectBook(program.Live(), FreshStart(path).book, "next start");
}

TEST_F(CallDirSequences, TenThousandEntriesOfRandomBytesComeBackUnchanged) {
  std::mt19937 random(7);
  std::uniform_int_distribution<int> byte(1, 255);  // any byte but NUL
  Program program(path);
  ASSERT_TRUE(program.LoadBook());
  const auto fill = [&](auto& field, bool full) {
    const std::size_t width = sizeof field;
    const std::size_t length =
        full ? width - 1 : std::uniform_int_distribution<std::size_t>(0, width - 1)(random);
    std::string text;
    for (std::size_t i = 0; i < length; ++i) text += static_cast<char>(byte(random));
    // Kept whole: a text of width - 1 bytes always fits, even ending in a lead byte.
    Set(field, text);
    ASSERT_EQ(text_bytes::FieldText(field).size(), length);
  };
  for (int i = 0; i < BOOK_CAPACITY; ++i) {
    BookEntry e{};
    const bool full = i % 2 == 0;  // half of them fill every field to the last byte
    fill(e.number, full);
    fill(e.name, full);
    fill(e.address, full);
    fill(e.company, full);
    fill(e.companyAddress, full);
    fill(e.fax, full);
    fill(e.postalCode, full);
    fill(e.nameKana, full);
    fill(e.email, full);
    fill(e.callAccept, full);
    fill(e.adapterWanted, full);
    fill(e.illumination, full);
    fill(e.registeredName, full);
    e.inAdapter = static_cast<int32_t>(random());
    program.Append(e);
  }
  ASSERT_TRUE(program.HandOverBook());
  const StartResult next = FreshStart(path);
  ASSERT_TRUE(next.opened);
  ASSERT_EQ(next.count, BOOK_CAPACITY);
  ExpectBook(program.Live(), next.book, "10,000 random entries");
}

}  // namespace
