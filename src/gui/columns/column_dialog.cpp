#include "gui/columns/column_dialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

#include "gui/list/book_list.h"
#include "gui/common/dialog_button.h"
#include "gui/common/dialog_message.h"
#include "gui/common/qt_text.h"
#include "platform/text_bytes.h"
#include "listing/column_choice.h"

namespace {

constexpr const char* kAlreadyShown = "既に登録されています。";
constexpr const char* kCannotAdd = "追加できません";
constexpr const char* kCannotRemove = "この項目は、削除できません。";

QString HeadingText(const ColumnDef& column) {
  return FromCp932(text_bytes::FieldText(column.heading));
}

QListWidget* MakeList(const char* objectName, QWidget* parent) {
  auto* list = new QListWidget(parent);
  list->setObjectName(objectName);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  return list;
}

}  // namespace

CColumnDlg::CColumnDlg(ListColumns& columns, BookListView& list, Prompter& prompter,
                       QWidget* parent)
    : QDialog(parent), columns_(columns), list_(list), prompter_(prompter), pending_(columns.table) {
  setObjectName("columnDialog");
  setWindowTitle(QStringLiteral("表示項目の設定"));
  BuildControls();
  FillLists();
  // Connected after filling, so the lists' first selection sends no notification.
  connect(availableList_, &QListWidget::currentRowChanged, this,
          &CColumnDlg::OnAvailableSelectionChanged);
  connect(availableList_, &QListWidget::itemDoubleClicked, this,
          &CColumnDlg::OnAvailableDoubleClicked);
  connect(shownList_, &QListWidget::currentRowChanged, this, &CColumnDlg::OnShownSelectionChanged);
  connect(shownList_, &QListWidget::itemDoubleClicked, this, &CColumnDlg::OnRemove);
}

void CColumnDlg::BuildControls() {
  availableList_ = MakeList("availableList", this);
  shownList_ = MakeList("shownList", this);
  auto* availableLabel = new QLabel(QStringLiteral("表示できる項目(&V)"), this);
  availableLabel->setBuddy(availableList_);
  auto* shownLabel = new QLabel(QStringLiteral("表示する項目(&O)"), this);
  shownLabel->setBuddy(shownList_);
  addButton_ = MakeButton(QStringLiteral("追加(&A) ->"), "addButton", this);
  removeButton_ = MakeButton(QStringLiteral("<- 削除(&R)"), "removeButton", this);
  auto* okButton = MakeButton(QStringLiteral("OK"), "okButton", this);
  okButton->setDefault(true);
  auto* cancelButton = MakeButton(QStringLiteral("ｷｬﾝｾﾙ"), "cancelButton", this);
  auto* allButton = MakeButton(QStringLiteral("全て(&H)"), "allButton", this);

  auto* middle = new QVBoxLayout;
  middle->addStretch();
  middle->addWidget(addButton_);
  middle->addWidget(removeButton_);
  middle->addStretch();
  auto* right = new QVBoxLayout;
  right->addWidget(okButton);
  right->addWidget(cancelButton);
  right->addSpacing(20);
  right->addWidget(allButton);
  right->addStretch();
  auto* grid = new QGridLayout(this);
  grid->addWidget(availableLabel, 0, 0);
  grid->addWidget(availableList_, 1, 0);
  grid->addLayout(middle, 1, 1);
  grid->addWidget(shownLabel, 0, 2);
  grid->addWidget(shownList_, 1, 2);
  grid->addLayout(right, 1, 3);

  connect(addButton_, &QPushButton::clicked, this, &CColumnDlg::OnAddClicked);
  connect(removeButton_, &QPushButton::clicked, this, &CColumnDlg::OnRemove);
  connect(allButton, &QPushButton::clicked, this, &CColumnDlg::OnAllColumns);
  connect(okButton, &QPushButton::clicked, this, &CColumnDlg::OnOk);
  connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

void CColumnDlg::FillLists() {
  addButton_->setEnabled(false);
  removeButton_->setEnabled(false);
  for (const ColumnDef& column : DefaultColumns()) availableList_->addItem(HeadingText(column));
  // The list keeps the table's widths in step with its header, so there is nothing to fetch.
  for (int j = 0; j < columns_.count && j < kMaxColumns; ++j) {
    const ColumnDef& column = columns_.table[static_cast<std::size_t>(j)];
    if (column.heading[0] != '\0') shownList_->addItem(HeadingText(column));
  }
  const QString number = HeadingText(DefaultColumns()[0]);
  for (QListWidget* list : {availableList_, shownList_}) {
    const auto found = list->findItems(number, Qt::MatchStartsWith);
    if (!found.isEmpty()) list->setCurrentItem(found.first());
  }
}

std::vector<std::string> CColumnDlg::ShownHeadings() const {
  std::vector<std::string> headings;
  for (int i = 0; i < shownList_->count(); ++i) {
    headings.push_back(ToCp932(shownList_->item(i)->text()));
  }
  return headings;
}

void CColumnDlg::Tell(ColumnRefusal refusal) {
  const char* message = refusal == ColumnRefusal::AlreadyShown ? kAlreadyShown
                        : refusal == ColumnRefusal::CannotAdd  ? kCannotAdd
                                                               : kCannotRemove;
  TellInDialog(prompter_, *this, message);
}

void CColumnDlg::Apply(const ColumnStep& step) {
  if (step.refusal != ColumnRefusal::None) Tell(step.refusal);
  if (step.appends) shownList_->addItem(availableList_->currentItem()->text());
  if (step.addEnabled) addButton_->setEnabled(*step.addEnabled);
}

void CColumnDlg::OnAvailableSelectionChanged() {
  Apply(SelectAvailable(ShownHeadings(), availableList_->currentRow()));
}

void CColumnDlg::OnAvailableDoubleClicked() {
  Apply(AddByDoubleClick(ShownHeadings(), availableList_->currentRow()));
}

void CColumnDlg::OnAddClicked() {
  Apply(AddByButton(ShownHeadings(), availableList_->currentRow()));
}

void CColumnDlg::OnShownSelectionChanged() {
  removeButton_->setEnabled(CanRemoveShown(shownList_->currentRow()));
}

void CColumnDlg::OnRemove() {
  const RemoveStep step = RemoveShown(shownList_->currentRow(), availableList_->currentRow());
  if (step.refusal != ColumnRefusal::None) Tell(step.refusal);
  if (step.removes) {
    // Nothing stays selected, as after any removal, so a second press removes nothing.
    const QSignalBlocker quiet(shownList_);
    delete shownList_->takeItem(shownList_->currentRow());
    shownList_->setCurrentRow(-1);
  }
  addButton_->setEnabled(step.addEnabled);
}

void CColumnDlg::OnAllColumns() {
  {
    const QSignalBlocker quiet(shownList_);
    shownList_->clear();
    for (const ColumnDef& column : DefaultColumns()) shownList_->addItem(HeadingText(column));
  }
  // Only the dialog's copy changes: Cancel must leave the list's columns as they were.
  PrepareAllColumns(pending_, columns_.count);
  addButton_->setEnabled(false);
  removeButton_->setEnabled(false);
}

void CColumnDlg::OnOk() {
  columns_.table = pending_;
  columns_.count = StoreChosenColumns(columns_.table, ShownHeadings());
  list_.RefreshList();
  accept();
}
