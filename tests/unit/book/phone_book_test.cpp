#include "book/phone_book.h"

#include <gtest/gtest.h>

#include <cstring>
#include <type_traits>
#include <utility>
#include <vector>

#include "book/book_storage.h"
#include "book/phone_match.h"
#include "index/kana_filter.h"
#include "support/book_builder.h"
#include "support/fake_calldir.h"
#include "support/recording_prompter.h"

namespace {

using Calls = std::vector<std::string>;

class PhoneBookTest : public ::testing::Test {
 protected:
  PhoneBook book;
  FakeCallDir callDir;
  RecordingPrompter prompter;
  BookAccess access{book, callDir, prompter, "/books/CallDir.csv"};
};

TEST_F(PhoneBookTest, StartsWithTenThousandZeroSlots) {
  EXPECT_EQ(book.entryCount(), 0);
  const auto* bytes = reinterpret_cast<const unsigned char*>(book.data());
  for (std::size_t i = 0; i < sizeof(BookEntry) * BOOK_CAPACITY; ++i) ASSERT_EQ(bytes[i], 0) << i;
}

TEST_F(PhoneBookTest, LoadReadsEveryEntryAndNumbersTheDisplayList) {
  callDir.stored = {MakeEntry("1"), MakeEntry("2"), MakeEntry("3")};
  callDir.stored[2].viewSlot = 77;
  bool merged = false;
  ASSERT_TRUE(LoadBook(access, [&] {
    merged = true;
    EXPECT_EQ(callDir.calls.back(), "Read");  // the merge runs while the book is open
  }));
  EXPECT_TRUE(merged);
  EXPECT_EQ(book.entryCount(), 3);
  EXPECT_STREQ(book[2].number, "3");
  for (int i = 0; i < 3; ++i) EXPECT_EQ(book[i].viewSlot, i);
  EXPECT_EQ(callDir.calls, (Calls{"Open", "Count", "Read", "Close"}));
  EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(PhoneBookTest, AFailedOpenShowsTheLibrarysMessageAndLeavesTheBookEmpty) {
  callDir.stored = {MakeEntry("1")};
  callDir.failures["Open"] = 15;
  bool merged = false;
  EXPECT_FALSE(LoadBook(access, [&] { merged = true; }));
  EXPECT_FALSE(merged);
  EXPECT_EQ(book.entryCount(), 0);
  EXPECT_EQ(prompter.Texts(), (Calls{"電話帳ファイルをオープンすることができません。"}));
}

TEST_F(PhoneBookTest, ACountBeyondTheBookIsNeverTrusted) {
  callDir.countOverride = 20000;
  ASSERT_TRUE(LoadBook(access));
  EXPECT_EQ(book.entryCount(), BOOK_CAPACITY);
  callDir.countOverride = -5;
  ASSERT_TRUE(LoadBook(access));
  EXPECT_EQ(book.entryCount(), 0);
}

TEST_F(PhoneBookTest, AppendCopiesTheTextsAndNumbersTheSlot) {
  Put(book, MakeEntry("1"));
  BookEntry w = MakeEntry("03-123-456", "\x82\xa0", "name");
  w.viewSlot = 99;
  w.deleted = 1;
  w.inAdapter = 1;
  std::memset(w.email, 'e', sizeof w.email);  // unterminated: cut and terminated
  ASSERT_TRUE(book.AppendEntry(w));
  EXPECT_EQ(book.entryCount(), 2);
  EXPECT_STREQ(book[1].number, "03-123-456");
  EXPECT_EQ(book[1].viewSlot, 1);
  EXPECT_EQ(book[1].deleted, 0);
  EXPECT_EQ(book[1].inAdapter, 1);
  EXPECT_EQ(std::strlen(book[1].email), sizeof w.email - 1);
}

TEST_F(PhoneBookTest, AFullBookRefusesAnAppendAndChangesNothing) {
  PutBlankEntries(book, BOOK_CAPACITY);
  const BookEntry before = book[BOOK_CAPACITY - 1];
  EXPECT_FALSE(book.AppendEntry(MakeEntry("1")));
  EXPECT_EQ(book.entryCount(), BOOK_CAPACITY);
  EXPECT_EQ(std::memcmp(&before, &book[BOOK_CAPACITY - 1], sizeof before), 0);
  EXPECT_STREQ(kBookFullMessage, "登録件数が1万件です。これ以上は登録できません。");
}

TEST_F(PhoneBookTest, ReplaceBringsADeletedEntryBackAndKeepsItsSlot) {
  Put(book, MakeEntry("1"));
  const int index = Put(book, MakeEntry("2", "", "old"));
  book.SetDeleted(index, true);
  book.SetViewSlot(index, 0);
  BookEntry w = MakeEntry("2", "", "new");
  w.inAdapter = 1;
  ASSERT_TRUE(book.ReplaceEntry(index, w));
  EXPECT_STREQ(book[index].name, "new");
  EXPECT_EQ(book[index].deleted, 0);
  EXPECT_EQ(book[index].inAdapter, 1);
  EXPECT_EQ(book[index].viewSlot, 0);
  EXPECT_EQ(book.entryCount(), 2);
  EXPECT_FALSE(book.ReplaceEntry(2, w));
  EXPECT_FALSE(book.ReplaceEntry(-1, w));
}

TEST_F(PhoneBookTest, MarkDeletedKeepsTheSlotAndTellsTheLibrary) {
  Put(book, MakeEntry("1"));
  Put(book, MakeEntry("2"));
  MarkDeleted(access, 1);
  EXPECT_EQ(book[1].deleted, 1);
  EXPECT_STREQ(book[1].number, "2");
  EXPECT_EQ(book.entryCount(), 2);
  EXPECT_EQ(callDir.deletedIndex, 1);
  EXPECT_EQ(callDir.calls, (Calls{"Open", "Delete", "Close"}));
  // A later append does not reuse the slot.
  ASSERT_TRUE(book.AppendEntry(MakeEntry("3")));
  EXPECT_EQ(book.entryCount(), 3);
}

TEST_F(PhoneBookTest, AFailedDeleteShowsTheMessageAndStaysDeletedInMemory) {
  Put(book, MakeEntry("1"));
  callDir.failures["Delete"] = 17;
  MarkDeleted(access, 0);
  EXPECT_EQ(book[0].deleted, 1);
  EXPECT_EQ(prompter.Texts(), (Calls{"ファイルの保存に失敗しました。"}));
  EXPECT_EQ(callDir.calls, (Calls{"Open", "Delete", "LastError", "Close"}));
}

TEST_F(PhoneBookTest, HandOverWritesTheWholeBookDeletedEntriesIncluded) {
  Put(book, MakeEntry("1"));
  book.SetDeleted(Put(book, MakeEntry("2")), true);
  callDir.failures["Open"] = 14;  // the result of the open is not looked at
  EXPECT_TRUE(HandOverBook(access));
  EXPECT_EQ(callDir.writtenCount, 2);
  EXPECT_TRUE(prompter.messages.empty());

  callDir.failures = {{"Write", 17}};
  EXPECT_FALSE(HandOverBook(access));
  EXPECT_EQ(prompter.Texts(), (Calls{"ファイルの保存に失敗しました。"}));
  EXPECT_EQ(book.entryCount(), 2);  // the change stays in memory
}

// The lookups and the kana filter read keys the book keeps beside the entries: every
// primitive that changes a number or a reading must leave them in step.
TEST_F(PhoneBookTest, ThePrimitivesKeepTheKeysInStepAndADirectWriteIsCaught) {
  const std::string ka = "\x82\xa9", sa = "\x82\xb3";  // か, さ
  callDir.stored = {MakeEntry("03-1111", ka), MakeEntry("03-2222", sa)};
  ASSERT_TRUE(LoadBook(access));
  EXPECT_TRUE(book.KeysMatchEntries());
  EXPECT_EQ(FindEntryByPhone(book, "031111"), 0);

  ASSERT_TRUE(book.AppendEntry(MakeEntry("06 3333", sa)));
  ASSERT_TRUE(book.ReplaceEntry(0, MakeEntry("045-4444", sa)));
  book.SetEntry(3, MakeEntry("5555", ka));
  EXPECT_TRUE(book.KeysMatchEntries());
  EXPECT_EQ(FindEntryByPhone(book, "031111"), -1);  // the old number is gone
  EXPECT_EQ(FindSameNumber(book, "0454444"), 0);
  EXPECT_EQ(FindEntryByPhone(book, "063333"), 2);
  EXPECT_EQ(FindSameNumber(book, "5555"), 3);
  EXPECT_EQ(ApplyKanaFilter(book, ka), 1);  // only the entry set last still reads か
  EXPECT_EQ(book[0].viewSlot, 3);
}

// Nothing can write an entry behind the book's back: its entries are read through const
// references, and only its methods change them.
template <typename Book>
concept WritesNumbersDirectly = requires(Book& b) { b[0].number[0] = '0'; };
static_assert(std::is_same_v<decltype(std::declval<PhoneBook&>()[0]), const BookEntry&>);
static_assert(!WritesNumbersDirectly<PhoneBook>);

TEST_F(PhoneBookTest, TheNamedSettersChangeOnlyTheirFieldAndKeepTheKeys) {
  const int i = Put(book, MakeEntry("03-1111", "\x82\xa9"));
  book.SetAdapterWanted(i, true);
  book.SetCallAccepted(i, false);
  book.SetIllumination(i, 3);
  book.SetRegisteredName(i, "\xb6");
  book.SetInAdapter(i, true);
  book.SetDeleted(i, true);
  book.SetViewSlot(i, 7);
  EXPECT_STREQ(book[i].adapterWanted, "1");
  EXPECT_STREQ(book[i].callAccept, "0");
  EXPECT_STREQ(book[i].illumination, "3");
  EXPECT_STREQ(book[i].registeredName, "\xb6");
  EXPECT_EQ(book[i].inAdapter, 1);
  EXPECT_EQ(book[i].deleted, 1);
  EXPECT_EQ(book[i].viewSlot, 7);
  EXPECT_STREQ(book[i].number, "03-1111");
  EXPECT_TRUE(book.KeysMatchEntries());
  book.SetDeleted(i + 1, true);  // past the book: nothing happens
  EXPECT_EQ(book.entryCount(), 1);
}

}  // namespace
