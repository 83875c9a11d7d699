// The preview's rows: one per record of the import plan, with its tick box, its status and
// reason, and its ten texts. Texts of a row that needs attention can be edited; every change
// goes to the plan, which checks the rows again.
#pragma once

#include <QAbstractTableModel>

#include "editor/entry_form.h"

class ImportPlan;

class ImportPreviewModel final : public QAbstractTableModel {
  Q_OBJECT

 public:
  // Column 0 is the tick box, column 1 the status; the ten texts follow in the dialog's order.
  static constexpr int kTickColumn = 0;
  static constexpr int kStatusColumn = 1;
  static constexpr int kFirstFieldColumn = 2;

  explicit ImportPreviewModel(ImportPlan& plan, QObject* parent = nullptr);

  // The entry field column `column` shows; only for field columns.
  static EntryField FieldOfColumn(int column);
  static int ColumnOf(EntryField field);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;

  // Tells the views that the plan changed outside the model (the update choice).
  void PlanChanged();

 Q_SIGNALS:
  void countsChanged();

 private:
  QVariant FieldData(int row, EntryField field, int role) const;

  ImportPlan& plan_;
};
