#include "messages/library_errors.h"

#include <gtest/gtest.h>

#include "support/recording_prompter.h"

namespace {

TEST(LibraryErrors, EveryNumberFromOneToSeventeenHasItsMessage) {
  EXPECT_STREQ(LibraryErrorMessage(1), "通信ポートがオープンされていません。");
  EXPECT_STREQ(LibraryErrorMessage(5), "電話帳の登録件数が５０件を超えています。");
  EXPECT_STREQ(LibraryErrorMessage(6), "ZEF-P1がBUSY状態です。");
  EXPECT_STREQ(LibraryErrorMessage(15), "電話帳ファイルをオープンすることができません。");
  EXPECT_STREQ(LibraryErrorMessage(17), "ファイルの保存に失敗しました。");
  for (int code = 1; code <= 17; ++code) EXPECT_NE(LibraryErrorMessage(code), nullptr) << code;
}

TEST(LibraryErrors, NumbersOutsideTheTableShowNothing) {
  RecordingPrompter prompter;
  for (int code : {0, 18, -1, 1000}) ShowLibraryError(prompter, code);
  EXPECT_TRUE(prompter.messages.empty());
  ShowLibraryError(prompter, 16);
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_EQ(prompter.messages[0].text, "電話帳情報がないか、ファイルを読み込めませんでした。");
  EXPECT_EQ(prompter.messages[0].caption, "- 電話帳 -");
  EXPECT_EQ(prompter.messages[0].buttons, PromptButtons::Ok);
}

}  // namespace
