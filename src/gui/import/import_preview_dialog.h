// The import's preview: what each record of the chosen files would become, before anything
// changes. The user unticks records, mends the texts of those that need attention, and
// chooses what an update does; OK applies, Cancel changes nothing.
#pragma once

#include <QDialog>

class ImportPlan;
class ImportPreviewModel;
class QLabel;
class QRadioButton;
class QTableView;

class ImportPreviewDialog final : public QDialog {
  Q_OBJECT

 public:
  // Works on `plan`, which outlives the dialog; the caller applies it after OK.
  ImportPreviewDialog(ImportPlan& plan, QWidget* parent = nullptr);

  QTableView& table() const { return *table_; }

 private:
  void ShowCounts();

  ImportPlan& plan_;
  ImportPreviewModel* model_;
  QTableView* table_;
  QLabel* counts_;
  QRadioButton* keepEntries_;
  QRadioButton* takeFields_;
};
