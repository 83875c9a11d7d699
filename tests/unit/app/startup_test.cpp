// The start and the end of the program without a window: the start number, the port
// settings, the one-copy rule, the adapter decision, the first load, and closing.
#include "app/startup.h"

#include <gtest/gtest.h>

#include "app/closing.h"
#include "book/adapter_merge.h"
#include "messages/library_errors.h"
#include "book/book_storage.h"
#include "platform/named_mutex.h"
#include "platform/private_profile.h"
#include "support/adapter_entry.h"
#include "support/book_builder.h"
#include "support/fake_adapter.h"
#include "support/fake_calldir.h"
#include "support/private_mutex_folder.h"
#include "support/recording_prompter.h"
#include "support/sjis.h"

namespace {

using Texts = std::vector<std::string>;

TEST(StartNumber, IsTheFirstPieceBetweenTheSeparators) {
  const struct {
    std::string commandLine;
    std::string number;
  } cases[] = {
      {"/t=0312345678", "0312345678"},
      {"/T=03-123-456", "03-123-456"},
      {"/t=", ""},
      {"", ""},
      {"/t=,  090 1", "090"},
      // Cut to 23 bytes before it is split, never past the 24-byte buffer.
      {"/t=012345678901234567890123456789", "01234567890123456789"},
      // A double-byte character at the cut is dropped whole.
      {"/t=0123456789012345678" + Sjis("電"), "0123456789012345678"},
      // Full-width digits stay whole: the trail byte of "５" (0x82 0x54) is no "T".
      {"/T=" + Sjis("０３５５"), Sjis("０３５５")},
      {"/t=" + Sjis("５") + " 03", Sjis("５")},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(StartNumberFrom(c.commandLine), c.number) << c.commandLine;
    EXPECT_LT(StartNumberFrom(c.commandLine).size(), kStartNumberSize);
  }
}

TEST(PortSettings, NameThePortInFullWithDefaultsForMissingKeys) {
  TempDir folder;
  const std::string ini = folder.File("VIZAZED.ini");
  EXPECT_EQ(ReadPortSettings(ini).portName, "COM1");  // no file
  EXPECT_EQ(ReadPortSettings(ini).params.extMode, 0);
  EXPECT_EQ(ReadPortSettings(ini).params.baud, 4800);
  ASSERT_TRUE(profile::WriteString(ini, "COMPORT", "ComPort", "12"));
  ASSERT_TRUE(profile::WriteString(ini, "COMPORT", "ExtMode", "1"));
  EXPECT_EQ(ReadPortSettings(ini).portName, "COM12");  // not cut to "COM1"
  EXPECT_EQ(ReadPortSettings(ini).params.extMode, 1);
}

class Start : public ::testing::Test {
 protected:
  PrivateMutexFolder mutexes;
  TempDir folder;
  PhoneBook book;
  FakeCallDir callDir;
  FakeAdapter adapter;
  RecordingPrompter prompter;
  BookAccess access{book, callDir, prompter, "/books/CallDir.csv"};
};

TEST_F(Start, ASecondCopyIsRefusedWhileTheFirstHoldsTheLock) {
  auto first = TakeInstanceLock(prompter);
  ASSERT_NE(first, nullptr);
  EXPECT_TRUE(prompter.messages.empty());
  EXPECT_EQ(TakeInstanceLock(prompter), nullptr);
  EXPECT_EQ(prompter.Texts(), Texts{kAlreadyRunningMessage});
  first.reset();
  EXPECT_NE(TakeInstanceLock(prompter), nullptr);  // the lock goes with its holder
}

TEST_F(Start, TheAdapterIsLeftAloneWhileVizazedRuns) {
  const auto vizazed = NamedMutex::Create(kVizazedMutexName);
  EXPECT_FALSE(OpenAdapterIfFree(prompter, adapter, folder.File("VIZAZED.ini")));
  EXPECT_TRUE(adapter.calls.empty());
  EXPECT_EQ(prompter.Texts(), Texts{kVizazedRunningMessage});
}

TEST_F(Start, APortThatFailsToOpenDisablesTheAdapter) {
  adapter.failures["Open"] = 1;
  EXPECT_FALSE(OpenAdapterIfFree(prompter, adapter, folder.File("VIZAZED.ini")));
  EXPECT_EQ(prompter.Texts(), Texts{kAdapterOpenFailedMessage});
  adapter.failures.clear();
  prompter.messages.clear();
  EXPECT_TRUE(OpenAdapterIfFree(prompter, adapter, folder.File("VIZAZED.ini")));
  EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(Start, TheBookIsMergedWhileItsFileIsOpenOnlyWhenTheAdapterIsUsable) {
  callDir.stored = {MakeEntry("0311112222", Sjis("あ"))};
  adapter.held = {MakeAdapterEntry("0399998888", Sjis("ﾀﾞﾚ"))};
  ASSERT_TRUE(LoadBookAtStart(access, adapter, false, "/books"));
  EXPECT_EQ(book.entryCount(), 1);
  EXPECT_TRUE(adapter.calls.empty());

  PhoneBook merged;
  BookAccess mergedAccess{merged, callDir, prompter, "/books/CallDir.csv"};
  callDir.calls.clear();
  ASSERT_TRUE(LoadBookAtStart(mergedAccess, adapter, true, "/books"));
  EXPECT_EQ(merged.entryCount(), 2);
  EXPECT_EQ(callDir.calls, (Texts{"Open", "Count", "Read", "Open", "Write", "Close", "Close"}));
  EXPECT_EQ(prompter.Texts(), Texts{"現在ZEF-P1には1件分登録されています。"});
  // A note says what the wait for the adapter is for; it is gone before the message comes.
  EXPECT_EQ(prompter.notes, Texts{kReadingAdapterNote});
  EXPECT_FALSE(prompter.noteShowing);
  EXPECT_EQ(prompter.messagesOverANote, 0);
  EXPECT_EQ(prompter.busyDepth, 0);
}

TEST_F(Start, AnUnreadableBookLeavesAnEmptyBookAndSaysWhereTheFileWillBeKept) {
  for (const int error : {15, 16}) {
    callDir.failures["Open"] = error;
    prompter.messages.clear();
    EXPECT_FALSE(LoadBookAtStart(access, adapter, true, "/home/u/DUDODE"));
    EXPECT_EQ(book.entryCount(), 0);
    EXPECT_TRUE(adapter.calls.empty());
    ASSERT_EQ(prompter.messages.size(), 3u);
    EXPECT_EQ(prompter.messages[0].text, LibraryErrorMessage(error));
    EXPECT_EQ(prompter.messages[1].text, kBookLoadFailedMessage);
    EXPECT_EQ(prompter.messages[2].text,
              "読み込めなかった電話帳は、次に保存するときに /home/u/DUDODE に "
              "CallDir.csv.backup-<日時> として残します。");
    EXPECT_EQ(prompter.messages[2].icon, prompter.messages[1].icon);
    EXPECT_EQ(prompter.messages[2].caption, prompter.messages[1].caption);
  }
}

TEST_F(Start, ClosingSavesTheBookAndClosesThePortUnlessVizazedRuns) {
  const struct {
    bool vizazedRuns;
    int saveError;
    PromptAnswer answer;
    bool closes;
    Texts adapterCalls;
  } cases[] = {
      {false, 0, PromptAnswer::Yes, true, {"Close"}},
      {true, 0, PromptAnswer::Yes, true, {}},
      {false, 17, PromptAnswer::Yes, true, {"Close"}},  // quit without saving
      {false, 17, PromptAnswer::No, false, {}},         // stay, the port still open
  };
  for (const auto& c : cases) {
    auto vizazed = c.vizazedRuns ? NamedMutex::Create(kVizazedMutexName) : nullptr;
    callDir.failures.clear();
    if (c.saveError != 0) callDir.failures["Save"] = c.saveError;
    adapter.calls.clear();
    prompter.messages.clear();
    prompter.answers = {PromptAnswer::Ok, c.answer};
    EXPECT_EQ(CloseDown(access, adapter), c.closes);
    EXPECT_EQ(adapter.calls, c.adapterCalls);
    if (c.saveError != 0) {
      ASSERT_EQ(prompter.messages.size(), 2u);
      EXPECT_EQ(prompter.messages[0].text, "ファイルの保存に失敗しました。");
      EXPECT_EQ(prompter.messages[1].text, kQuitUnsavedQuestion);
      EXPECT_EQ(prompter.messages[1].buttons, PromptButtons::YesNoDefaultNo);
    } else {
      EXPECT_TRUE(prompter.messages.empty());
    }
  }
}

}  // namespace
