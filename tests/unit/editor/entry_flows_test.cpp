#include "editor/entry_flows.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "book/book_storage.h"
#include "platform/text_bytes.h"
#include "support/book_builder.h"
#include "support/fake_adapter.h"
#include "support/fake_calldir.h"
#include "support/recording_prompter.h"
#include "support/sjis.h"

namespace {

using text_bytes::FieldText;
using Texts = std::vector<std::string>;

constexpr auto kYes = PromptAnswer::Yes;
constexpr auto kNo = PromptAnswer::No;

class EntryFlowsTest : public ::testing::Test {
 protected:
  PhoneBook book;
  FakeCallDir callDir;
  RecordingPrompter prompter;
  FakeAdapter adapter;
  BookAccess access{book, callDir, prompter, "/books/CallDir.csv"};
  int refreshes = 0;
  int lastSaved = -2;  // the entry the last refresh was to put in sight
  std::size_t messagesAtRefresh = 0;
  EntryFlowContext flow{access, adapter, true, [this](int savedEntry) {
                          lastSaved = savedEntry;
                          ++refreshes;
                          messagesAtRefresh = prompter.messages.size();
                        },
                        {}};
  int dialog = 0;

  static EntryForm Form(const std::string& number, bool adapterWanted) {
    EntryForm form;
    form.number = number;
    form.nameKana = Sjis("やまだ");
    form.name = Sjis("山田");
    form.registeredName = Sjis("ﾔﾏﾀﾞ");
    form.adapterWanted = adapterWanted;
    form.callRejected = true;
    form.illumination = 2;
    return form;
  }

  // An entry the adapter holds under `number`.
  int PutInAdapter(const std::string& number) {
    BookEntry entry = MakeEntry(number, Sjis("すずき"), Sjis("鈴木"));
    text_bytes::FillField(entry.adapterWanted, "1");
    entry.inAdapter = 1;
    return Put(book, entry);
  }

  SaveResult Save(const EntryForm& form) { return SaveEntry(flow, form, PromptOwner::Of(&dialog)); }

  void ExpectNothingStored(const std::vector<BookEntry>& before) {
    ASSERT_EQ(book.entryCount(), static_cast<int>(before.size()));
    for (int i = 0; i < book.entryCount(); ++i) {
      EXPECT_EQ(std::memcmp(&book[i], &before[static_cast<std::size_t>(i)], sizeof(BookEntry)), 0);
    }
    EXPECT_EQ(callDir.writtenCount, -1);
    EXPECT_EQ(refreshes, 0);
  }

  std::vector<BookEntry> Snapshot() const { return {&book[0], &book[0] + book.entryCount()}; }
};

TEST_F(EntryFlowsTest, ANewNumberIsRegisteredInTheAdapterAppendedHandedOverAndListed) {
  Put(book, MakeEntry("0311112222"));
  EXPECT_EQ(Save(Form("03-1234-5678", true)), SaveResult::Close);

  ASSERT_EQ(adapter.registered.size(), 1u);
  const AdapterEntry& sent = adapter.registered[0];
  EXPECT_EQ(FieldText(sent.number), "03-1234-5678");
  EXPECT_EQ(FieldText(sent.registeredName), Sjis("ﾔﾏﾀﾞ"));
  EXPECT_EQ(sent.callAccept, 0);
  EXPECT_EQ(sent.illumination, 2);
  ASSERT_EQ(book.entryCount(), 2);
  EXPECT_EQ(FieldText(book[1].number), "03-1234-5678");
  EXPECT_EQ(book[1].inAdapter, 1);
  EXPECT_EQ(callDir.writtenCount, 2);
  EXPECT_EQ(refreshes, 1);
  EXPECT_EQ(lastSaved, 1);  // the new entry is put in sight
  EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(EntryFlowsTest, YesReplacesTheEntryAndTheAdapterDropsTheStoredSpellingOfItsNumber) {
  const int index = PutInAdapter("0312345678");
  book.SetDeleted(index, true);  // a deleted entry comes back
  prompter.answers = {kYes};
  EXPECT_EQ(Save(Form("03-1234-5678", true)), SaveResult::Close);

  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_EQ(prompter.messages[0].text, "更新してもよろしいですか？");
  EXPECT_EQ(prompter.messages[0].buttons, PromptButtons::YesNo);
  EXPECT_EQ(prompter.messages[0].owner.window, &dialog);
  EXPECT_EQ(adapter.calls, (Texts{"Delete", "Register"}));
  EXPECT_EQ(adapter.deletedNumbers, Texts{"0312345678"});
  EXPECT_EQ(book.entryCount(), 1);
  EXPECT_EQ(FieldText(book[index].number), "03-1234-5678");
  EXPECT_EQ(FieldText(book[index].name), Sjis("山田"));
  EXPECT_EQ(book[index].deleted, 0);
  EXPECT_EQ(book[index].inAdapter, 1);
  EXPECT_EQ(callDir.writtenCount, 1);
  EXPECT_EQ(refreshes, 1);
  EXPECT_EQ(lastSaved, index);
}

TEST_F(EntryFlowsTest, AnEntryNotWantedInTheAdapterHasItsTypedNumberDeletedThere) {
  const int index = PutInAdapter("0312345678");
  prompter.answers = {kYes};
  EXPECT_EQ(Save(Form("0312345678", false)), SaveResult::Close);
  EXPECT_EQ(adapter.deletedNumbers, Texts{"0312345678"});  // same bytes: one delete
  EXPECT_TRUE(adapter.registered.empty());
  EXPECT_EQ(book[index].inAdapter, 0);
  EXPECT_EQ(FieldText(book[index].callAccept), "1");
}

TEST_F(EntryFlowsTest, NoToTheUpdateQuestionChangesNothingButStillHandsOverAndRefreshes) {
  PutInAdapter("0312345678");
  const auto before = Snapshot();
  prompter.answers = {kNo};
  EXPECT_EQ(Save(Form("03-1234-5678", true)), SaveResult::Close);
  EXPECT_TRUE(adapter.calls.empty());
  EXPECT_EQ(std::memcmp(&book[0], &before[0], sizeof(BookEntry)), 0);
  EXPECT_EQ(callDir.writtenCount, 1);
  EXPECT_EQ(refreshes, 1);
  EXPECT_EQ(lastSaved, -1);  // nothing was saved
}

TEST_F(EntryFlowsTest, AnAdapterFailureShowsItsMessageAndLeavesTheBookAndTheDialogAsTheyWere) {
  struct FailureCase {
    const char* what;
    const char* failingCall;
    bool replace;
    bool wanted;
  };
  const FailureCase cases[] = {
      {"register a new entry", "Register", false, true},
      {"delete the typed number", "Delete", false, false},
      {"delete the stored spelling", "Delete", true, true},
  };
  for (const FailureCase& c : cases) {
    SCOPED_TRACE(c.what);
    book = PhoneBook();
    prompter = {};
    adapter = {};
    adapter.failures[c.failingCall] = 5;
    if (c.replace) PutInAdapter("0312345678");
    const auto before = Snapshot();
    EXPECT_EQ(Save(Form(c.replace ? "03-1234-5678" : "0398765432", c.wanted)),
              SaveResult::StayOpen);
    EXPECT_EQ(prompter.Texts().back(), "電話帳の登録件数が５０件を超えています。");
    ExpectNothingStored(before);
  }
}

TEST_F(EntryFlowsTest, WhileTheAdapterIsNotUsableNoAdapterCallIsMadeAndInAdapterIsZero) {
  const int index = PutInAdapter("0312345678");
  flow.adapterEnabled = false;
  prompter.answers = {kYes};
  EXPECT_EQ(Save(Form("03-1234-5678", true)), SaveResult::Close);
  EXPECT_TRUE(adapter.calls.empty());
  EXPECT_EQ(book[index].inAdapter, 0);
  EXPECT_EQ(FieldText(book[index].adapterWanted), "1");
}

TEST_F(EntryFlowsTest, AFullBookRefusesANewNumberBeforeTheAdapterButStillTakesAReplacement) {
  for (int i = 0; i < BOOK_CAPACITY - 1; ++i) Put(book, MakeEntry("09" + std::to_string(i)));
  // The entry that fills the book is stored, then the user is told.
  EXPECT_EQ(Save(Form("0311112222", true)), SaveResult::Close);
  EXPECT_EQ(book.entryCount(), BOOK_CAPACITY);
  EXPECT_EQ(prompter.Texts(), Texts{"登録件数が1万件です。これ以上は登録できません。"});
  EXPECT_EQ(callDir.writtenCount, BOOK_CAPACITY);

  prompter = {};
  adapter = {};
  callDir.writtenCount = -1;
  refreshes = 0;
  const auto before = Snapshot();
  EXPECT_EQ(Save(Form("0333334444", true)), SaveResult::StayOpen);
  EXPECT_EQ(prompter.Texts(), Texts{"登録件数が1万件です。これ以上は登録できません。"});
  EXPECT_TRUE(adapter.calls.empty());
  ExpectNothingStored(before);

  prompter.answers = {kYes};
  EXPECT_EQ(Save(Form("03-1111-2222", false)), SaveResult::Close);
  EXPECT_EQ(FieldText(book[BOOK_CAPACITY - 1].number), "03-1111-2222");
}

TEST_F(EntryFlowsTest, AFailedHandOverIsReportedAndTheSaveStillCompletes) {
  callDir.failures["Write"] = 17;
  EXPECT_EQ(Save(Form("0312345678", false)), SaveResult::Close);
  EXPECT_EQ(prompter.Texts(), Texts{"ファイルの保存に失敗しました。"});
  EXPECT_EQ(book.entryCount(), 1);
  EXPECT_EQ(refreshes, 1);
}

TEST_F(EntryFlowsTest, DeleteOfARowWithoutAnEntryOnlySaysSo) {
  DeleteEntry(flow, -1);
  EXPECT_EQ(prompter.Texts(), Texts{"電話帳にはの番号は見当たりません。"});
  EXPECT_TRUE(callDir.calls.empty());
  EXPECT_EQ(refreshes, 0);
}

TEST_F(EntryFlowsTest, DeleteAsksThenMarksTheEntryAndAsksAboutTheAdapterOnlyForAnEntryWantedThere) {
  struct DeleteCase {
    bool wanted;
    std::deque<PromptAnswer> answers;
    Texts adapterCalls;
    int inAdapterAfter;
    int deletedAfter;
  };
  const DeleteCase cases[] = {
      {true, {kNo}, {}, 1, 0},  // nothing changes, nothing is refreshed
      {false, {kYes}, {}, 1, 1},
      {true, {kYes, kYes}, {"Delete"}, 0, 1},
      {true, {kYes, kNo}, {}, 1, 1},
  };
  for (const DeleteCase& c : cases) {
    book = PhoneBook();
    prompter = {};
    adapter = {};
    callDir = {};
    refreshes = 0;
    Put(book, MakeEntry("0311112222"));
    const int index = PutInAdapter("03-1234");
    book.SetAdapterWanted(index, c.wanted);
    flow.adapterEnabled = false;  // the adapter question does not depend on it
    prompter.answers = c.answers;
    DeleteEntry(flow, index);
    EXPECT_EQ(prompter.messages.size(), c.answers.size());
    EXPECT_EQ(prompter.messages[0].text, "電話帳から03-1234の番号を削除してもよろしいですか?");
    if (c.answers.size() > 1) {
      EXPECT_EQ(prompter.messages[1].text,
                "03-1234はZEF-P1に登録されていますが削除してもよろしいですか?");
    }
    EXPECT_EQ(book[index].deleted, c.deletedAfter);
    EXPECT_EQ(callDir.deletedIndex, c.deletedAfter ? index : -1);
    EXPECT_EQ(adapter.calls, c.adapterCalls);
    EXPECT_EQ(book[index].inAdapter, c.inAdapterAfter);
    EXPECT_EQ(refreshes, c.deletedAfter);
  }
}

TEST_F(EntryFlowsTest, AFailedAdapterDeleteRefreshesTheListBeforeItsMessage) {
  const int index = PutInAdapter("03-1234");
  adapter.failures["Delete"] = 6;
  prompter.answers = {kYes, kYes};
  DeleteEntry(flow, index);
  EXPECT_EQ(adapter.deletedNumbers, Texts{"03-1234"});
  EXPECT_EQ(book[index].deleted, 1);
  EXPECT_EQ(book[index].inAdapter, 1);
  EXPECT_EQ(refreshes, 1);
  EXPECT_EQ(messagesAtRefresh, 2u);
  EXPECT_EQ(prompter.Texts().back(), "ZEF-P1がBUSY状態です。");
}

}  // namespace
