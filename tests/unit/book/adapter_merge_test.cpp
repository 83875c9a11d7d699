#include "book/adapter_merge.h"

#include <gtest/gtest.h>

#include "book/book_storage.h"
#include "platform/text_bytes.h"
#include "support/adapter_entry.h"
#include "support/book_builder.h"
#include "support/fake_adapter.h"
#include "support/fake_calldir.h"
#include "support/recording_prompter.h"
#include "support/sjis.h"

namespace {

using Texts = std::vector<std::string>;

class Merge : public ::testing::Test {
 protected:
  PhoneBook book;
  FakeCallDir callDir;
  FakeAdapter adapter;
  RecordingPrompter prompter;
  BookAccess access{book, callDir, prompter, "/books/CallDir.csv"};

  BookEntry Full(std::string_view number) {
    BookEntry entry = MakeEntry(number, Sjis("やまだ"), Sjis("山田"));
    text_bytes::FillField(entry.address, Sjis("東京都"));
    text_bytes::FillField(entry.email, "a@b.jp");
    text_bytes::FillField(entry.fax, "03-1");
    text_bytes::FillField(entry.postalCode, "100-0001");
    text_bytes::FillField(entry.company, "c");
    text_bytes::FillField(entry.companyAddress, "ca");
    return entry;
  }
};

TEST_F(Merge, ReadsThreeTimesAndHandsTheBookOver) {
  adapter.held = {MakeAdapterEntry("0312345678", Sjis("ﾔﾏﾀﾞ"))};
  ASSERT_TRUE(MergeFromAdapter(access, adapter));
  EXPECT_EQ(adapter.calls, (Texts{"ReadAll", "ReadAll", "ReadAll"}));
  EXPECT_EQ(callDir.calls, (Texts{"Open", "Write", "Close"}));
  EXPECT_EQ(callDir.writtenCount, 1);
  EXPECT_EQ(prompter.busyDepth, 0);
  EXPECT_EQ(prompter.busyCalls, 2);
}

TEST_F(Merge, AFailedWriteOfTheBookIsReported) {
  adapter.held = {MakeAdapterEntry("0312345678", Sjis("ﾔﾏﾀﾞ"))};
  callDir.failures["Write"] = 17;
  ASSERT_TRUE(MergeFromAdapter(access, adapter));  // the merge is in memory all the same
  EXPECT_EQ(book.entryCount(), 1);
  EXPECT_EQ(prompter.Texts(),
            (Texts{"現在ZEF-P1には1件分登録されています。", "ファイルの保存に失敗しました。"}));
  EXPECT_EQ(callDir.calls, (Texts{"Open", "Write", "LastError", "Close"}));
}

TEST_F(Merge, CountsASecondSlotForNamesLongerThanEightBytes) {
  adapter.held = {MakeAdapterEntry("1", Sjis("ｱｲｳｴ")), MakeAdapterEntry("2", Sjis("ｱｲｳｴｵｶｷｸｹ")),
                  MakeAdapterEntry("3", Sjis("ｱｲｳｴｵｶｷｸｹｺｻｼ")),
                  MakeAdapterEntry("4", Sjis("ｱｲｳｴｵｶｷｸ"))};
  ASSERT_TRUE(MergeFromAdapter(access, adapter));
  ASSERT_FALSE(prompter.messages.empty());
  EXPECT_EQ(prompter.messages[0].text, "現在ZEF-P1には6件分登録されています。");
}

TEST_F(Merge, AnEmptyAdapterStillReportsAndClearsEveryMark) {
  for (const char* n : {"1", "2"}) {
    BookEntry entry = Full(n);
    text_bytes::FillField(entry.adapterWanted, "1");
    text_bytes::FillField(entry.callAccept, "0");
    text_bytes::FillField(entry.illumination, "3");
    entry.inAdapter = 1;
    Put(book, entry);
  }
  book.SetDeleted(1, true);
  ASSERT_TRUE(MergeFromAdapter(access, adapter));
  EXPECT_EQ(prompter.Texts(), (Texts{"現在ZEF-P1には0件分登録されています。"}));
  for (int i = 0; i < 2; ++i) {
    EXPECT_STREQ(book[i].adapterWanted, "0");
    EXPECT_STREQ(book[i].callAccept, "1");
    EXPECT_EQ(book[i].inAdapter, 0);
    EXPECT_STREQ(book[i].illumination, "3");  // kept
  }
  EXPECT_EQ(book[1].deleted, 1);
}

TEST_F(Merge, MarksTheEntriesTheAdapterHoldsWhateverTheirSeparators) {
  Put(book, Full("03 1234 5678"));
  adapter.held = {MakeAdapterEntry("03-1234-5678", Sjis("ﾔﾏﾀﾞ"), 0, 2)};
  ASSERT_TRUE(MergeFromAdapter(access, adapter));
  EXPECT_EQ(book.entryCount(), 1);
  EXPECT_STREQ(book[0].adapterWanted, "1");
  EXPECT_STREQ(book[0].callAccept, "0");
  EXPECT_STREQ(book[0].illumination, "2");
  EXPECT_EQ(book[0].registeredName, Sjis("ﾔﾏﾀﾞ"));
  EXPECT_EQ(book[0].inAdapter, 1);
  EXPECT_STREQ(book[0].number, "03 1234 5678");  // the book's own spelling stays
  EXPECT_EQ(book[0].name, Sjis("山田"));
}

TEST_F(Merge, ADeletedEntryComesBackWithOnlyItsNumberAndAdapterMarks) {
  Put(book, Full("0311112222"));
  book.SetDeleted(0, true);
  adapter.held = {MakeAdapterEntry("03-1111-2222", Sjis("ｶﾄｳ"), 1, 1)};
  ASSERT_TRUE(MergeFromAdapter(access, adapter));
  const BookEntry& e = book[0];
  EXPECT_EQ(e.deleted, 0);
  EXPECT_STREQ(e.number, "0311112222");
  EXPECT_EQ(e.registeredName, Sjis("ｶﾄｳ"));
  EXPECT_STREQ(e.illumination, "1");
  for (const char* field :
       {e.name, e.nameKana, e.fax, e.address, e.postalCode, e.company, e.companyAddress, e.email}) {
    EXPECT_STREQ(field, "");
  }
}

TEST_F(Merge, UnknownNumbersAreAppendedAndTwentyTwoByteNumbersLoseTheirHyphens) {
  Put(book, Full("1"));
  const std::string long22 = "03-1234-5678-9012-3456";  // 22 bytes
  const std::string long21 = "03-1234-5678-9012-345";   // 21 bytes
  ASSERT_EQ(long22.size(), 22u);
  adapter.held = {MakeAdapterEntry(long22, Sjis("ｱ"), 0, 3), MakeAdapterEntry(long21, Sjis("ｲ"))};
  ASSERT_TRUE(MergeFromAdapter(access, adapter));
  ASSERT_EQ(book.entryCount(), 3);
  EXPECT_STREQ(book[1].number, "031234567890123456");
  EXPECT_STREQ(book[2].number, long21.c_str());
  EXPECT_EQ(book[1].viewSlot, 1);
  EXPECT_EQ(book[2].viewSlot, 2);
  EXPECT_STREQ(book[1].adapterWanted, "1");
  EXPECT_STREQ(book[1].callAccept, "0");
  EXPECT_STREQ(book[1].illumination, "3");
  EXPECT_EQ(book[1].inAdapter, 1);
  EXPECT_STREQ(book[1].name, "");
  EXPECT_EQ(book[1].deleted, 0);
  // Matching ignores the separators either way: a second merge appends nothing.
  ASSERT_TRUE(MergeFromAdapter(access, adapter));
  EXPECT_EQ(book.entryCount(), 3);
}

TEST_F(Merge, AFailedReadChangesNothingAndHandsNothingOver) {
  Put(book, Full("1"));
  book.SetInAdapter(0, true);
  adapter.readsBeforeFailure = 2;  // the third read fails
  adapter.lastError = 12;
  EXPECT_FALSE(MergeFromAdapter(access, adapter));
  EXPECT_EQ(prompter.Texts(), (Texts{"正しくデータを受信できませんでした。"}));
  EXPECT_EQ(book[0].inAdapter, 1);
  EXPECT_TRUE(callDir.calls.empty());
  EXPECT_EQ(prompter.busyDepth, 0);
}

TEST_F(Merge, OnlyTheThirdReadDecides) {
  adapter.held = {MakeAdapterEntry("1", Sjis("ｱ"))};
  adapter.failures["ReadAll"] = 6;  // every read fails: the error is the third one's
  EXPECT_FALSE(MergeFromAdapter(access, adapter));
  EXPECT_EQ(prompter.Texts(), (Texts{"ZEF-P1がBUSY状態です。"}));
}

TEST_F(Merge, AFailureWithoutANumberIsUnexpected) {
  adapter.failures["ReadAll"] = 0;
  EXPECT_FALSE(MergeFromAdapter(access, adapter));
  EXPECT_EQ(prompter.Texts(),
            (Texts{"予期せぬエラーが発生しました。アプリケーションを終了してください。"}));
}

TEST_F(Merge, ACountAboveFiftyIsNeverTrusted) {
  for (int k = 0; k < 50; ++k)
    adapter.held.push_back(MakeAdapterEntry(std::to_string(1000 + k), Sjis("ｱ")));
  adapter.reportedCount = 5000;
  ASSERT_TRUE(MergeFromAdapter(access, adapter));
  EXPECT_EQ(book.entryCount(), 50);
  EXPECT_EQ(prompter.messages[0].text, "現在ZEF-P1には50件分登録されています。");
}

TEST_F(Merge, NeverAppendsPastTheLastSlotAndSaysHowManyWereLeftOut) {
  PutBlankEntries(book, BOOK_CAPACITY - 1);
  const int last = Put(book, Full("0300000000"));  // slot 9,999: the book is now full
  book.SetDeleted(last, true);
  adapter.held = {MakeAdapterEntry("111", Sjis("ｱ")), MakeAdapterEntry("03-0000-0000", Sjis("ｲ")),
                  MakeAdapterEntry("222", Sjis("ｳ"))};
  ASSERT_TRUE(MergeFromAdapter(access, adapter));
  EXPECT_EQ(book.entryCount(), BOOK_CAPACITY);
  EXPECT_EQ(book[BOOK_CAPACITY - 1].deleted, 0);  // the known number is still revived
  EXPECT_EQ(prompter.Texts(),
            (Texts{"現在ZEF-P1には3件分登録されています。",
                   "電話帳が満杯のため、ZEF-P1の2件を電話帳に追加できませんでした。"}));
}

}  // namespace
