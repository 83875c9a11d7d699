#include "messages/library_errors.h"

#include <array>

#include "messages/prompter.h"

namespace {

constexpr std::array<const char*, 17> kMessages = {
    "通信ポートがオープンされていません。",
    "すでに通信ポートがオープンされています。",
    "規定以外の年月日が指定されました。",
    "規定以外の時刻が指定されました。",
    "電話帳の登録件数が５０件を超えています。",
    "ZEF-P1がBUSY状態です。",
    "不正なコマンドがZEF-P1に送られました。",
    "コマンドと一緒に不正なデータが送られました。",
    "すでにタイマーが稼動中です。",
    "タイマー用の親ハンドルがありません。",
    "着信通知を知らせる関数のアドレスが存在しません。",
    "正しくデータを受信できませんでした。",
    "正しくコマンドが送信できませんでした。",
    "電話帳ファイルが既にオープンされています。",
    "電話帳ファイルをオープンすることができません。",
    "電話帳情報がないか、ファイルを読み込めませんでした。",
    "ファイルの保存に失敗しました。",
};

}  // namespace

const char* LibraryErrorMessage(int code) {
  if (code < 1 || code > static_cast<int>(kMessages.size())) return nullptr;
  return kMessages[static_cast<std::size_t>(code - 1)];
}

void ShowLibraryError(Prompter& prompter, int code) {
  if (const char* message = LibraryErrorMessage(code)) prompter.Tell(message);
}
