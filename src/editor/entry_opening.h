// What the entry dialog shows when it opens, decided from what the opener asks for: a new
// entry, the entry of a book index (the search), the entry of the list's current row (Enter,
// a double-click, the context menu's "編集"), or a number given on the command line.
#pragma once

#include <string>

#include "book/phone_book.h"
#include "editor/entry_form.h"

struct OpenRequest {
  enum class Kind { NewEntry, StartNumber, BookIndex, ListRow };
  Kind kind = Kind::NewEntry;
  std::string startNumber;  // StartNumber: the number (code page 932) as given
  int entryIndex = -1;      // BookIndex: the entry; ListRow: the entry the row shows, or -1
  bool rowChosen = false;   // ListRow: the list's flag that the user picked a row

  static OpenRequest NewEntry() { return {}; }
  static OpenRequest ForStartNumber(std::string number) {
    return {Kind::StartNumber, std::move(number), -1, false};
  }
  static OpenRequest ForIndex(int entryIndex) { return {Kind::BookIndex, {}, entryIndex, false}; }
  static OpenRequest ForListRow(bool rowChosen, int entryIndex) {
    return {Kind::ListRow, {}, entryIndex, rowChosen};
  }
};

struct EntryOpening {
  EntryForm form;                  // what the controls show
  bool updateCaption = false;      // "更新(&I)"; else "登録(&I)"
  bool adapterControls = false;    // 登録名称, イルミネーション and アダプタへ登録 are enabled
  bool callRejectionEnabled = false;  // 着信拒否 is enabled
  bool clearsRowChosen = false;    // the list's row-chosen flag is used up
};

// The opening `request` asks for on `book`, with the adapter usable or not:
// - a start number: the number as given; when FindEntryByPhone finds it, the entry's other
//   fields and "更新(&I)";
// - a book index: that entry and "更新(&I)"; the row-chosen flag is neither read nor cleared;
// - the list's row: when the row was chosen, the entry it shows (a row that shows none opens
//   as a new entry), "更新(&I)", and the flag used up; else an empty form, the flag kept;
// - a new entry: an empty form, and the flag cleared.
// The adapter's controls follow whether the adapter is usable; call rejection is enabled only
// for a chosen row's entry wanted in the adapter, and later by the user's own click.
EntryOpening DecideOpening(const PhoneBook& book, const OpenRequest& request, bool adapterEnabled);
