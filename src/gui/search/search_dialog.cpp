#include "gui/search/search_dialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableView>
#include <QValidator>

#include "gui/main_window/app_context.h"
#include "gui/entry/cp932_field.h"
#include "gui/common/dialog_button.h"
#include "gui/common/dialog_message.h"
#include "gui/search/search_result_list.h"
#include "gui/search/search_input_mode.h"
#include "gui/search/search_result_model.h"
#include "index/search_match.h"

namespace {

constexpr int kResultColumnWidth = 80;  // pixels

}  // namespace

CSearchDlg::CSearchDlg(AppContext& context, int32_t& condition, OpenEntry openEntry,
                       QWidget* parent)
    : QDialog(parent), context_(context), condition_(condition), openEntry_(std::move(openEntry)) {
  setObjectName("searchDialog");
  setWindowTitle(QStringLiteral("電話帳検索"));
  BuildControls();
  // The item index is the condition.
  for (int condition = 0; condition < kSearchConditionCount; ++condition) {
    conditionBox_->addItem(QString::fromUtf8(SearchConditionName(condition)));
  }
  conditionBox_->setCurrentIndex(KnownSearchCondition(condition_));
  // Opening leaves the input mode as the user had it; only a switch of condition sets it.
  LimitCp932Bytes(input_, SearchInputLimit(conditionBox_->currentIndex()));
  ShowResults({});
  // Connected once the box is filled, so filling it is no switch of condition.
  connect(conditionBox_, &QComboBox::currentIndexChanged, this, &CSearchDlg::OnConditionChanged);
}

void CSearchDlg::BuildControls() {
  conditionBox_ = new QComboBox(this);
  conditionBox_->setObjectName("conditionBox");
  input_ = new QLineEdit(this);
  input_->setObjectName("searchInput");
  auto* conditionLabel = new QLabel(QStringLiteral("検索条件(&T)"), this);
  conditionLabel->setBuddy(conditionBox_);
  auto* inputLabel = new QLabel(QStringLiteral("入力条件(&C)"), this);
  inputLabel->setBuddy(input_);
  startButton_ = MakeButton(QStringLiteral("検索開始(&I)"), "startButton", this);
  startButton_->setDefault(true);
  startButton_->setEnabled(false);
  auto* cancelButton = MakeButton(QStringLiteral("ｷｬﾝｾﾙ"), "cancelButton", this);
  editButton_ = MakeButton(QStringLiteral("編集(&W)"), "editButton", this);
  editButton_->setEnabled(false);
  auto* resultList = new SearchResultList(this);
  resultList_ = resultList;
  results_ = new SearchResultModel(this);
  resultList_->setModel(results_);
  resultList_->viewport()->installEventFilter(this);
  // A row reached with the arrow keys is picked as a clicked one is, so that the keyboard
  // alone can open a hit.
  connect(resultList, &SearchResultList::rowPickedByKey, this, &CSearchDlg::PickRow);
  connect(resultList, &SearchResultList::keyPressed, this,
          [this] { editButton_->setEnabled(results_->rowCount() > 0); });

  auto* buttons = new QVBoxLayout;
  buttons->addWidget(startButton_);
  buttons->addWidget(cancelButton);
  buttons->addSpacing(20);
  buttons->addWidget(editButton_);
  buttons->addStretch();
  auto* grid = new QGridLayout(this);
  grid->addWidget(conditionLabel, 0, 0);
  grid->addWidget(inputLabel, 0, 1);
  grid->addWidget(conditionBox_, 1, 0);
  grid->addWidget(input_, 1, 1);
  grid->addWidget(resultList_, 2, 0, 1, 2);
  grid->addLayout(buttons, 0, 2, 3, 1);
  grid->setRowStretch(2, 1);

  connect(input_, &QLineEdit::textChanged, this,
          [this](const QString& text) { startButton_->setEnabled(!text.isEmpty()); });
  connect(startButton_, &QPushButton::clicked, this, &CSearchDlg::OnStart);
  connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
  connect(editButton_, &QPushButton::clicked, this, &CSearchDlg::OnEdit);
}

void CSearchDlg::OnConditionChanged(int condition) {
  input_->clear();
  condition_ = condition;
  ShowResults({});
  ApplySearchInputMode(input_, condition);
  delete input_->validator();  // the earlier condition's limit
  LimitCp932Bytes(input_, SearchInputLimit(condition));
}

void CSearchDlg::OnStart() {
  const int condition = conditionBox_->currentIndex();
  const std::string input = Cp932Text(input_);
  if (const char* message = SearchInputError(condition, input)) {
    TellInDialog(context_.access.prompter, *this, message);
    return;
  }
  ShowResults(FindSearchMatches(context_.access.book, condition, input));
}

// New rows replace the old ones, so the pick made among the old ones is forgotten: the edit
// button must never open an entry the list no longer shows.
void CSearchDlg::ShowResults(const std::vector<int>& indices) {
  results_->SetResults(context_.access.book, indices, conditionBox_->currentIndex());
  for (int column = 0; column < results_->columnCount(); ++column) {
    resultList_->setColumnWidth(column, kResultColumnWidth);
  }
  PickRow(-1);
}

void CSearchDlg::PickRow(int row) {
  // A click beside the rows (-1) leaves nothing for the edit button.
  editButton_->setEnabled(row >= 0);
  pickedCol0_ = results_->CellBytes(row, 0);
  pickedCol1_ = results_->CellBytes(row, 1);
}

void CSearchDlg::OnEdit() {
  if (pickedCol0_.empty()) return;
  const int condition = conditionBox_->currentIndex();
  const auto entries =
      EntriesOfPickedRow(context_.access.book, condition, pickedCol0_, pickedCol1_);
  for (int index : entries) openEntry_(index);
  // A reading search stays open, its rows as they were, for the next entry of the reading.
  if (condition != kSearchByNameKana) reject();
}

bool CSearchDlg::eventFilter(QObject* watched, QEvent* event) {
  if (watched == resultList_->viewport() && event->type() == QEvent::MouseButtonRelease) {
    PickRow(resultList_->indexAt(static_cast<QMouseEvent*>(event)->position().toPoint()).row());
  }
  return QDialog::eventFilter(watched, event);
}

