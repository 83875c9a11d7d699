#include "gui/import/import_preview_dialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>
#include <utility>

#include "gui/entry/cp932_field.h"
#include "gui/import/import_preview_model.h"
#include "import/import_plan.h"

namespace {

// Edits a text as the entry dialog's fields do: code page 932 only, within its typing limit
// (a text over the limit can still be shortened).
class FieldDelegate final : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                        const QModelIndex& index) const override {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName("previewFieldEdit");
    edit->setFrame(false);
    LimitCp932Bytes(edit, TypingLimit(ImportPreviewModel::FieldOfColumn(index.column())));
    return edit;
  }

  void setModelData(QWidget* editor, QAbstractItemModel* model,
                    const QModelIndex& index) const override {
    auto* edit = static_cast<QLineEdit*>(editor);
    if (edit->isModified()) model->setData(index, edit->text(), Qt::EditRole);
  }
};

// Widths in pixels that show a typical text whole (the ten fields in the dialog's order).
constexpr std::pair<EntryField, int> kFieldWidths[] = {
    {EntryField::Number, 110},         {EntryField::RegisteredName, 80},
    {EntryField::Name, 110},           {EntryField::NameKana, 170},
    {EntryField::PostalCode, 75},      {EntryField::Fax, 110},
    {EntryField::Address, 220},        {EntryField::Company, 160},
    {EntryField::CompanyAddress, 220}, {EntryField::Email, 180}};

// "新規 3件 / 更新 1件 / 要確認 2件 / スキップ 1件 / 取り込まない 0件"
QString CountsText(const ImportPlan& plan) {
  int counts[4] = {};
  int unticked = 0;
  for (const PlanRow& row : plan.rows()) {
    if (!row.ticked && row.status != RowStatus::Skipped) {
      ++unticked;
    } else {
      ++counts[static_cast<int>(row.status)];
    }
  }
  return QStringLiteral("新規 %1件 / 更新 %2件 / 要確認 %3件 / スキップ %4件 / 取り込まない %5件")
      .arg(counts[0])
      .arg(counts[1])
      .arg(counts[2])
      .arg(counts[3])
      .arg(unticked);
}

}  // namespace

ImportPreviewDialog::ImportPreviewDialog(ImportPlan& plan, QWidget* parent)
    : QDialog(parent), plan_(plan) {
  setObjectName("importPreviewDialog");
  setWindowTitle(QStringLiteral("インポートの確認"));
  resize(900, 480);

  auto* hint = new QLabel(
      QStringLiteral(
          "取り込む連絡先(&L): 要確認の行は色の付いた欄を直すか、チェックを外してください。"),
      this);
  model_ = new ImportPreviewModel(plan_, this);
  table_ = new QTableView(this);
  table_->setObjectName("previewTable");
  table_->setAccessibleName(QStringLiteral("取り込む連絡先"));
  table_->setModel(model_);
  table_->setItemDelegate(new FieldDelegate(table_));
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  // Tab leaves the table for the dialog's other controls; arrows move between cells.
  table_->setTabKeyNavigation(false);
  table_->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed |
                          QAbstractItemView::DoubleClicked);
  table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
  table_->horizontalHeader()->setStretchLastSection(true);
  table_->setColumnWidth(ImportPreviewModel::kTickColumn, 40);
  table_->setColumnWidth(ImportPreviewModel::kStatusColumn, 260);
  for (const auto& [field, width] : kFieldWidths) {
    table_->setColumnWidth(ImportPreviewModel::ColumnOf(field), width);
  }
  hint->setBuddy(table_);

  counts_ = new QLabel(this);
  counts_->setObjectName("previewCounts");

  auto* updateLabel = new QLabel(QStringLiteral("電話帳にある番号:"), this);
  keepEntries_ = new QRadioButton(QStringLiteral("電話帳の登録を残す(&K)"), this);
  keepEntries_->setObjectName("keepEntries");
  takeFields_ = new QRadioButton(
      QStringLiteral(
          "ファイルの空でない項目で書き換える(&W)（番号・登録名称・着信・光・ZEF-P1の設定は残す）"),
      this);
  takeFields_->setObjectName("takeFields");
  keepEntries_->setChecked(plan_.updateChoice() == UpdateChoice::KeepBookEntry);
  takeFields_->setChecked(plan_.updateChoice() == UpdateChoice::TakeRecordFields);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->setObjectName("previewButtons");
  buttons->button(QDialogButtonBox::Ok)->setObjectName("okButton");
  buttons->button(QDialogButtonBox::Cancel)->setObjectName("cancelButton");
  buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("ｷｬﾝｾﾙ"));

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(hint);
  layout->addWidget(table_, 1);
  layout->addWidget(counts_);
  layout->addWidget(updateLabel);
  layout->addWidget(keepEntries_);
  layout->addWidget(takeFields_);
  layout->addWidget(buttons);

  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(model_, &ImportPreviewModel::countsChanged, this, &ImportPreviewDialog::ShowCounts);
  connect(takeFields_, &QRadioButton::toggled, this, [this](bool take) {
    plan_.SetUpdateChoice(take ? UpdateChoice::TakeRecordFields : UpdateChoice::KeepBookEntry);
    model_->PlanChanged();
  });
  ShowCounts();
  table_->setFocus();
  if (model_->rowCount() > 0) table_->setCurrentIndex(model_->index(0, 0));
}

void ImportPreviewDialog::ShowCounts() {
  counts_->setText(CountsText(plan_));
}
