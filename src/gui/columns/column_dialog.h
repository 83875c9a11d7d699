// "表示項目の設定": the user chooses which of the twelve columns the book list shows and in
// which order. Works on a copy of the column table; only OK stores it in the list's columns
// and refreshes the list. The settings file is written at saving and closing. The rules of
// each act are the core's (listing/column_choice.h); the dialog shows their answers.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "listing/column_choice.h"
#include "listing/column_table.h"

class BookListView;
class Prompter;
class QListWidget;
class QPushButton;

class CColumnDlg : public QDialog {
  Q_OBJECT

 public:
  // The main frame's "項目表示設定(&H)" (command 32780) runs it modally on the list's
  // `columns`. The result needs no handling: OK has applied the choice.
  CColumnDlg(ListColumns& columns, BookListView& list, Prompter& prompter,
             QWidget* parent = nullptr);

 private:
  void BuildControls();
  void FillLists();
  void OnAvailableSelectionChanged();
  void OnAvailableDoubleClicked();
  void OnAddClicked();
  void OnShownSelectionChanged();
  void OnRemove();
  void OnAllColumns();
  void OnOk();

  std::vector<std::string> ShownHeadings() const;
  void Apply(const ColumnStep& step);
  void Tell(ColumnRefusal refusal);

  ListColumns& columns_;
  BookListView& list_;
  Prompter& prompter_;
  ColumnTable pending_;  // what OK stores: the list's table, readied for all columns by "全て"
  QListWidget* shownList_ = nullptr;
  QPushButton* addButton_ = nullptr;
  QPushButton* removeButton_ = nullptr;
  QListWidget* availableList_ = nullptr;
};
