// What the dialogs and the report need of the phone-book list, so that they can be built
// and tested without the main window.
#pragma once

class BookListView {
 public:
  virtual ~BookListView() = default;

  // Rebuilds the display list under the current kana filter and refills the list; drops
  // any sorting and selection.
  virtual void RefreshList() = 0;

  // Selects the row of book entry `entryIndex` and scrolls it into sight, as the user's own
  // selection would (the current row follows; the row-chosen flag does not change). Nothing
  // happens when the list does not show the entry.
  virtual void ShowEntry(int entryIndex) = 0;

  // True when a row is selected.
  virtual bool HasSelectedRow() const = 0;

  // The number of rows the list shows.
  virtual int RowCount() const = 0;

  // The book index of the entry that list row `row` shows, or -1 for no such row.
  virtual int EntryIndexOfRow(int row) const = 0;

  // The row the edit dialog and the delete act on: the row the user selected last. It
  // keeps its value across a refill.
  virtual int CurrentRow() const = 0;

  // Whether the user picked a row (a click on a row, Enter, Delete) since the flag was last
  // cleared (a click beside the rows, an opening of the edit dialog that used it).
  virtual bool RowChosen() const = 0;
  virtual void SetRowChosen(bool chosen) = 0;
};
