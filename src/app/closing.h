// The book's side of the Save command and of closing the main window, without a window.
#pragma once

class AdapterLibrary;
struct BookAccess;

inline constexpr const char* kQuitUnsavedQuestion =
    "電話帳を保存できませんでした。保存せずに終了しますか？";

// Asks the CallDir library to save the book file; on failure shows the library's message.
bool SaveBook(BookAccess& access);

// Closing, once the columns are written: looks whether VIZAZED runs, saves the book and
// closes the adapter's port unless VIZAZED runs. A failed save shows the library's message
// and asks whether to quit without saving (No by default): false when the user keeps the
// window open, with the port left open so that a later save or close can still work.
bool CloseDown(BookAccess& access, AdapterLibrary& adapter);
