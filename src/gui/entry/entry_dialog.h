// The entry edit dialog "電話帳編集画面": registers a new entry or changes an existing one,
// in the book and, when wanted, in the adapter; it also carries the delete of the list's
// current entry. What an opening shows is decided by the process-wide requests
// (g_startNumber, g_editByIndex, g_rowChosen with g_currentRow).
#pragma once

#include <QDialog>

#include "editor/entry_form.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
struct AppContext;
class BookListView;

class CEntryDlg : public QDialog {
  Q_OBJECT

 public:
  CEntryDlg(AppContext& app, BookListView& list, QWidget* parent = nullptr);

  // Opens the dialog modally on what the requests ask for, in this order: the start number
  // (looked up, hyphens and separators aside), the entry g_editIndex when g_editByIndex is
  // 1, the entry of list row g_currentRow when g_rowChosen is 1, else a new entry. Each
  // request is used up by the opening that uses it. Returns when the entry was saved or
  // the user cancelled; the result means nothing to callers.
  int DoModal();

  // The delete command (menu and context menu) and the Delete key: asks, then deletes the
  // entry the list's current row shows. Does nothing when no row is selected.
  void DeleteCurrentEntry();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildControls();
  void ConnectControls();
  void OnInitDialog();
  void ResetControls();
  void EnableAdapterControls();
  void FillFromEntry(int index);
  void ShowExisting(int index);
  void RememberPhoneAtFocus();
  void OnPhoneEdited();
  void SaveEntry();
  EntryForm ReadForm() const;

  AppContext& app_;
  BookListView& list_;

  QLineEdit* phone_;           // 1004
  QLineEdit* registeredName_;  // 1010
  QCheckBox* adapterWanted_;   // 1009
  QCheckBox* callRejected_;    // 1008
  QComboBox* illumination_;    // 1017
  QLineEdit* name_;            // 1002
  QLineEdit* nameKana_;        // 1013
  QLineEdit* postalCode_;      // 1006
  QLineEdit* fax_;             // 1007
  QLineEdit* address_;         // 1003
  QLineEdit* company_;         // 1005
  QLineEdit* companyAddress_;  // 1015
  QLineEdit* email_;           // 1011
  QPushButton* update_;        // 1000
  QPushButton* cancel_;        // 2
};

// The shared dialog, made by the main frame before start-up and kept for the whole run.
extern CEntryDlg* g_entryDlg;

// The openers of the shared dialog, for the main frame and the list. Each runs it modally.
void EditNewEntry();          // "新規(&M)" (32781), toolbar "新規" (32782): an empty dialog
void EditChosenEntry();       // context menu "編集" (61470): the current row if one was picked
void EditCurrentRowEntry();   // Enter on a selected row: the current row's entry
void EditStartNumberEntry();  // after start-up: the start number, when one was given

// The list's double-click, after its button-down set g_rowChosen: a dialog of its own on
// the current row, gone when it closes.
void EditEntryInOwnDialog(AppContext& app, BookListView& list, QWidget* parent);
