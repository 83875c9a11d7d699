// A phone-book list for tests: its rows show the book indexes the test puts in `rows`.
#pragma once

#include <vector>

#include "gui/book_list_view.h"

class FakeBookListView : public BookListView {
 public:
  std::vector<int> rows;  // the book index each row shows
  bool selected = false;
  int refreshCount = 0;

  void RefreshList() override { ++refreshCount; }
  bool HasSelectedRow() const override { return selected; }
  int RowCount() const override { return static_cast<int>(rows.size()); }
  int EntryIndexOfRow(int row) const override {
    return row >= 0 && row < RowCount() ? rows[static_cast<std::size_t>(row)] : -1;
  }
};
