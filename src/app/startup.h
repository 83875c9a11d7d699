// The start of the program without a window: the start number from the command line, the
// one-copy rule, whether the adapter may be used, and the book's first load.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "zefp1/zefp1.h"

class AdapterLibrary;
class NamedMutex;
class Prompter;
struct BookAccess;

inline constexpr const char* kInstanceMutexName = "DUDODE_RUNNING";
inline constexpr const char* kVizazedMutexName = "VIZAZED_RUNNING";
inline constexpr const char* kAlreadyRunningMessage = "既に電話帳アプリケーションは起動しています。";
inline constexpr const char* kVizazedRunningMessage =
    "VIZAZEDが起動中はZEF-P1に対して登録及び削除処理は行えません。";
inline constexpr const char* kAdapterOpenFailedMessage =
    "ZEF-P1の初期化ができませんでした。発番号管理アプリケーションで通信ポートを指定して初期化"
    "してください。";
inline constexpr const char* kBookLoadFailedMessage = "電話帳の取得に失敗しました。";

inline constexpr std::size_t kStartNumberSize = 24;  // bytes, terminator included

// The start number of a command line (code page 932) such as "/t=0312345678" or
// "/T=03-123-456": the line, cut to 23 bytes on a character boundary, split at the
// single-byte characters "/", "t", "=", ",", blank and "T" (never inside a double-byte
// character); the first piece that is not empty, or "" when there is none.
std::string StartNumberFrom(std::string_view commandLine);

// The adapter's port and line settings from VIZAZED.ini, section COMPORT: "ComPort"
// (default 1) names the port "COM<n>" in full, "ExtMode" (default 0) the extended mode.
struct PortSettings {
  std::string portName;
  AdapterParams params;
};
PortSettings ReadPortSettings(const std::string& portIniPath);

// Takes the one-copy lock "DUDODE_RUNNING". When another copy holds it, tells the user and
// returns null: the program must end without a window. Taking the lock is one atomic step,
// so two copies started together cannot both run.
std::unique_ptr<NamedMutex> TakeInstanceLock(Prompter& prompter);

// Decides whether the adapter may be used for the run and opens its port: never while
// VIZAZED runs, and not when the port fails to open (each with its message).
bool OpenAdapterIfFree(Prompter& prompter, AdapterLibrary& adapter, const std::string& portIniPath);

// What start-up tells the user after a book file it could not read: where the library will
// keep that file when the book is next stored.
std::string BookKeptAsideMessage(const std::string& programFolder);

// Loads the book, merging the adapter's entries while the book file is open when the adapter
// is usable. On failure the library's message, then "電話帳の取得に失敗しました。", and when
// the file is there but unreadable, where it will be kept (BookKeptAsideMessage); the book
// stays empty and usable.
bool LoadBookAtStart(BookAccess& access, AdapterLibrary& adapter, bool adapterEnabled,
                     const std::string& programFolder);
