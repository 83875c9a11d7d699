// The entry edit dialog "電話帳編集画面": registers a new entry or changes an existing one,
// in the book and, when wanted, in the adapter; it also carries the delete of the list's
// current entry. What an opening shows is decided from the request its opener hands it
// (editor/entry_opening.h).
#pragma once

#include <QDialog>
#include <string>

#include "editor/entry_flows.h"
#include "editor/entry_opening.h"

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

  // Opens the dialog modally on what `request` asks for; an opening that uses the list's
  // row-chosen flag up clears it. Returns when the entry was saved or the user cancelled;
  // the result means nothing to callers.
  int DoModal(const OpenRequest& request);

  // The delete command (menu and context menu) and the Delete key: asks, then deletes the
  // entry the list's current row shows. Does nothing when no row is selected.
  void DeleteCurrentEntry();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildControls();
  void ConnectControls();
  void OnInitDialog(const EntryOpening& opening);
  void ShowForm(const EntryForm& form);
  void RememberPhoneAtFocus();
  void OnPhoneEdited();
  void SaveEntry();
  EntryForm ReadForm() const;
  EntryFlowContext Flow();
  void ShowRefusedField(EntryField field);

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
  std::string phoneAtFocus_;   // the phone field's text (code page 932) when it last gained the focus
};

// The request of the list's current row: its entry when the user picked the row (Enter, a
// click, a double-click), else a new entry.
OpenRequest RequestForCurrentRow(const BookListView& list);

// The list's double-click, after its button-down chose the row: a dialog of its own on the
// current row, gone when it closes.
void EditEntryInOwnDialog(AppContext& app, BookListView& list, QWidget* parent);
