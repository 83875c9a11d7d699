#include "gui/import/import_preview_model.h"

#include <QBrush>
#include <QColor>
#include <QFont>

#include "gui/common/qt_text.h"
#include "import/import_plan.h"
#include "platform/cp932.h"

namespace {

constexpr const char* kDerivedMark = " (推定)";
constexpr const char* kDerivedHint = "氏名から推定した読みです。確かめてください。";
constexpr const char* kUnheldHint = "この文字は電話帳に登録できません。書き換えてください。";

// Rows that need attention stand out; the field to mend the most.
const QColor kAttentionRow(255, 244, 214);
const QColor kAttentionField(255, 214, 153);
const QColor kSkippedText(128, 128, 128);
const QColor kDerivedText(0, 90, 170);

const std::string* UnheldTextOf(const ImportRecord& record, EntryField field) {
  for (const UnheldText& unheld : record.unheld) {
    if (unheld.field == field) return &unheld.utf8;
  }
  return nullptr;
}

}  // namespace

ImportPreviewModel::ImportPreviewModel(ImportPlan& plan, QObject* parent)
    : QAbstractTableModel(parent), plan_(plan) {}

EntryField ImportPreviewModel::FieldOfColumn(int column) {
  return kEntryFields[static_cast<std::size_t>(column - kFirstFieldColumn)];
}

int ImportPreviewModel::ColumnOf(EntryField field) {
  return kFirstFieldColumn + static_cast<int>(field);
}

int ImportPreviewModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(plan_.rows().size());
}

int ImportPreviewModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kFirstFieldColumn + static_cast<int>(kEntryFields.size());
}

QVariant ImportPreviewModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical) return section + 1;
  if (section == kTickColumn) return QStringLiteral("取込");
  if (section == kStatusColumn) return QStringLiteral("状態");
  return FromUtf8(FieldLabel(FieldOfColumn(section)));
}

QVariant ImportPreviewModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const PlanRow& row = plan_.rows()[static_cast<std::size_t>(index.row())];
  const bool skipped = row.status == RowStatus::Skipped;
  if (role == Qt::BackgroundRole && row.status == RowStatus::NeedsAttention) {
    const bool isField =
        index.column() >= kFirstFieldColumn && FieldOfColumn(index.column()) == row.attentionField;
    return QBrush(isField ? kAttentionField : kAttentionRow);
  }
  if (role == Qt::ForegroundRole && skipped) return QBrush(kSkippedText);
  if (index.column() == kTickColumn) {
    if (role == Qt::CheckStateRole) return row.ticked && !skipped ? Qt::Checked : Qt::Unchecked;
    if (role == Qt::AccessibleTextRole) return QStringLiteral("取込");
    return {};
  }
  if (index.column() == kStatusColumn) {
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole) return FromUtf8(StatusText(row));
    return {};
  }
  return FieldData(index.row(), FieldOfColumn(index.column()), role);
}

QVariant ImportPreviewModel::FieldData(int rowIndex, EntryField field, int role) const {
  const ImportRecord& record = plan_.rows()[static_cast<std::size_t>(rowIndex)].record;
  const std::string* unheld = UnheldTextOf(record, field);
  const bool derived = field == EntryField::NameKana && record.readingDerived;
  switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole: {
      QString text = unheld != nullptr ? FromUtf8(*unheld) : FromCp932(FieldOf(record.form, field));
      if (derived && role == Qt::DisplayRole) text += FromUtf8(kDerivedMark);
      return text;
    }
    case Qt::ToolTipRole:
      if (unheld != nullptr) return FromUtf8(kUnheldHint);
      if (derived) return FromUtf8(kDerivedHint);
      return {};
    case Qt::ForegroundRole:
      if (unheld != nullptr) return QBrush(Qt::red);
      if (derived) return QBrush(kDerivedText);
      return {};
    case Qt::FontRole:
      if (derived) {
        QFont font;
        font.setItalic(true);
        return font;
      }
      return {};
    default:
      return {};
  }
}

Qt::ItemFlags ImportPreviewModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  const PlanRow& row = plan_.rows()[static_cast<std::size_t>(index.row())];
  if (index.column() == kTickColumn && row.status != RowStatus::Skipped) {
    flags |= Qt::ItemIsUserCheckable;
  }
  if (index.column() >= kFirstFieldColumn && plan_.IsEditable(index.row())) {
    flags |= Qt::ItemIsEditable;
  }
  return flags;
}

bool ImportPreviewModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || !(flags(index) & (Qt::ItemIsUserCheckable | Qt::ItemIsEditable))) {
    return false;
  }
  if (index.column() == kTickColumn && role == Qt::CheckStateRole) {
    plan_.SetTicked(index.row(), value.value<Qt::CheckState>() == Qt::Checked);
  } else if (index.column() >= kFirstFieldColumn && role == Qt::EditRole) {
    // A text code page 932 cannot hold wholly is not taken: nothing is ever cut.
    const cp932::Conversion text = cp932::FromUtf8(value.toString().toStdString());
    if (!text.ok) return false;
    plan_.EditField(index.row(), FieldOfColumn(index.column()), text.text);
  } else {
    return false;
  }
  PlanChanged();  // a tick or an edit can change other rows (duplicates, free slots)
  return true;
}

void ImportPreviewModel::PlanChanged() {
  if (rowCount() > 0) {
    Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
  }
  Q_EMIT countsChanged();
}
