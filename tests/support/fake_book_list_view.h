// A BookListView for dialog tests: rows stand for the book indices the test gives, and
// every refresh is counted.
#pragma once

#include <vector>

#include "gui/list/book_list.h"

class FakeBookListView : public BookListView {
 public:
  std::vector<int> rows;  // the book index each row shows
  int selectedRow = -1;
  int currentRow = 0;
  bool rowChosen = false;
  int refreshCount = 0;
  int shownEntry = -1;

  void RefreshList() override { ++refreshCount; }
  void ShowEntry(int entryIndex) override { shownEntry = entryIndex; }
  bool HasSelectedRow() const override { return selectedRow >= 0; }
  int RowCount() const override { return static_cast<int>(rows.size()); }
  int EntryIndexOfRow(int row) const override {
    return row >= 0 && row < RowCount() ? rows[static_cast<std::size_t>(row)] : -1;
  }
  int CurrentRow() const override { return currentRow; }
  bool RowChosen() const override { return rowChosen; }
  void SetRowChosen(bool chosen) override { rowChosen = chosen; }
};
