#include "gui/entry/entry_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/startup.h"
#include "book/phone_match.h"
#include "editor/edit_request.h"
#include "editor/entry_flows.h"
#include "gui/main_window/app_context.h"
#include "gui/list/book_list.h"
#include "gui/entry/cp932_field.h"
#include "platform/text_bytes.h"
#include "listing/list_state.h"

CEntryDlg* g_entryDlg = nullptr;

namespace {

using text_bytes::FieldText;

const char* const kRegisterCaption = "登録(&I)";
const char* const kUpdateCaption = "更新(&I)";

QLineEdit* MakeEdit(QWidget* parent, const char* objectName, int maxBytes) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(objectName);
  LimitCp932Bytes(edit, maxBytes);
  return edit;
}

QLabel* MakeLabel(QWidget* parent, const char* objectName, const char* text, QWidget* buddy) {
  auto* label = new QLabel(QString::fromUtf8(text), parent);
  label->setObjectName(objectName);
  label->setBuddy(buddy);
  return label;
}

QCheckBox* MakeCheck(QWidget* parent, const char* objectName, const char* text) {
  auto* check = new QCheckBox(QString::fromUtf8(text), parent);
  check->setObjectName(objectName);
  return check;
}

}  // namespace

CEntryDlg::CEntryDlg(AppContext& app, BookListView& list, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      app_(app),
      list_(list) {
  setObjectName("entryDialog");
  setWindowTitle(QString::fromUtf8("電話帳編集画面"));
  QFont dialogFont = font();
  dialogFont.setFamilies({QString::fromUtf8("ＭＳ Ｐゴシック"), "IPAPGothic"});
  dialogFont.setPointSize(9);
  setFont(dialogFont);
  BuildControls();
  ConnectControls();
}

// The arrangement of the original form: the adapter group on top (number and registered
// name at the left, the adapter's settings at the right), a line, then the address part.
void CEntryDlg::BuildControls() {
  using namespace field_limits;
  auto* group = new QGroupBox(QString::fromUtf8("アダプタ登録"), this);
  group->setObjectName("adapterGroup");
  phone_ = MakeEdit(group, "phoneEdit", kNumber);
  registeredName_ = MakeEdit(group, "registeredNameEdit", kRegisteredName);
  adapterWanted_ = MakeCheck(group, "adapterWantedCheck", "アダプタへ登録(&W)");
  callRejected_ = MakeCheck(group, "callRejectedCheck", "着信拒否(&O)");
  illumination_ = new QComboBox(group);
  illumination_->setObjectName("illuminationCombo");
  for (const char* item : kIlluminationItems) {
    illumination_->insertItem(illumination_->count(), QString::fromUtf8(item));
  }

  auto* numbers = new QGridLayout;
  numbers->addWidget(MakeLabel(group, "phoneLabel", "電話番号(&T) ：", phone_), 0, 0);
  numbers->addWidget(phone_, 0, 1);
  numbers->addWidget(MakeLabel(group, "registeredNameLabel", "登録名称(&S) ：", registeredName_), 1,
                     0);
  numbers->addWidget(registeredName_, 1, 1);
  auto* settings = new QVBoxLayout;
  settings->addWidget(adapterWanted_);
  settings->addWidget(callRejected_);
  settings->addWidget(MakeLabel(group, "illuminationLabel", "イルミネーション(&L)", illumination_));
  settings->addWidget(illumination_, 0, Qt::AlignLeft);
  auto* groupLayout = new QHBoxLayout(group);
  groupLayout->addLayout(numbers, 2);
  groupLayout->addSpacing(24);
  groupLayout->addLayout(settings, 1);

  auto* line = new QFrame(this);
  line->setObjectName("separatorLine");
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);

  name_ = MakeEdit(this, "nameEdit", kName);
  nameKana_ = MakeEdit(this, "nameKanaEdit", kNameKana);
  postalCode_ = MakeEdit(this, "postalCodeEdit", kPostalCode);
  postalCode_->setFixedWidth(fontMetrics().horizontalAdvance('0') * 11);
  fax_ = MakeEdit(this, "faxEdit", kFax);
  address_ = MakeEdit(this, "addressEdit", kAddress);
  company_ = MakeEdit(this, "companyEdit", kCompany);
  companyAddress_ = MakeEdit(this, "companyAddressEdit", kCompanyAddress);
  email_ = MakeEdit(this, "emailEdit", kEmail);

  auto* person = new QGridLayout;
  person->addWidget(MakeLabel(this, "nameLabel", "氏名(&N)", name_), 0, 0);
  person->addWidget(name_, 0, 1);
  person->addWidget(MakeLabel(this, "nameKanaLabel", "氏名かな(&R)", nameKana_), 0, 2);
  person->addWidget(nameKana_, 0, 3);
  person->addWidget(MakeLabel(this, "postalCodeLabel", "郵便番号(&U)", postalCode_), 1, 0);
  person->addWidget(postalCode_, 1, 1, Qt::AlignLeft);  // half the name field, as on the form
  person->addWidget(MakeLabel(this, "faxLabel", "FAX番号(&F)", fax_), 1, 2);
  person->addWidget(fax_, 1, 3);
  const struct {
    const char* objectName;
    const char* text;
    QLineEdit* edit;
  } wideRows[] = {{"addressLabel", "住所(&J)", address_},
                  {"companyLabel", "会社名(&C)", company_},
                  {"companyAddressLabel", "会社住所(&K)", companyAddress_},
                  {"emailLabel", "E-mailアドレス(&E)", email_}};
  int row = 2;
  for (const auto& wide : wideRows) {
    person->addWidget(MakeLabel(this, wide.objectName, wide.text, wide.edit), row, 0);
    person->addWidget(wide.edit, row++, 1, 1, 3);
  }

  update_ = new QPushButton(QString::fromUtf8(kUpdateCaption), this);
  update_->setObjectName("updateButton");
  update_->setDefault(true);
  cancel_ = new QPushButton(QString::fromUtf8("キャンセル(&D)"), this);
  cancel_->setObjectName("cancelButton");
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(update_);
  buttons->addWidget(cancel_);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group);
  layout->addWidget(line);
  layout->addLayout(person);
  layout->addLayout(buttons);

  // The form's own order, which is also the tab order.
  const QWidget* const order[] = {phone_,        registeredName_, adapterWanted_, callRejected_,
                                  illumination_, name_,           nameKana_,      postalCode_,
                                  fax_,          address_,        company_,       companyAddress_,
                                  email_,        update_,         cancel_};
  for (std::size_t i = 1; i < std::size(order); ++i) {
    setTabOrder(const_cast<QWidget*>(order[i - 1]), const_cast<QWidget*>(order[i]));
  }
}

void CEntryDlg::ConnectControls() {
  connect(update_, &QPushButton::clicked, this, &CEntryDlg::SaveEntry);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
  // Only the user's click decides; the dialog's own setChecked leaves 1008 alone.
  connect(adapterWanted_, &QCheckBox::clicked, callRejected_, &QWidget::setEnabled);
  // textEdited comes from the user's changes only, never from the dialog's own texts.
  connect(phone_, &QLineEdit::textEdited, this, &CEntryDlg::OnPhoneEdited);
  phone_->installEventFilter(this);
}

bool CEntryDlg::eventFilter(QObject* watched, QEvent* event) {
  if (watched == phone_ && event->type() == QEvent::FocusIn) RememberPhoneAtFocus();
  return QDialog::eventFilter(watched, event);
}

int CEntryDlg::DoModal() {
  OnInitDialog();
  return exec();
}

void CEntryDlg::OnInitDialog() {
  ResetControls();
  const std::string startNumber(FieldText(g_startNumber));
  if (!startNumber.empty()) {
    const int index = FindEntryByPhone(app_.access.book, startNumber);
    if (index != -1) ShowExisting(index);
    SetCp932Text(phone_, startNumber);  // the number as it was given
    text_bytes::FillField(g_startNumber, "");
  }
  EnableAdapterControls();
  if (g_editByIndex == 1) {
    g_editByIndex = 0;
    if (app_.access.book.IsValidIndex(g_editIndex)) ShowExisting(g_editIndex);
  } else if (g_currentRow >= 0 && g_rowChosen == 1) {
    g_rowChosen = 0;
    // The row's own entry; a row that shows none opens the dialog as for a new entry.
    const int index = list_.EntryIndexOfRow(g_currentRow);
    if (app_.access.book.IsValidIndex(index)) {
      ShowExisting(index);
      const bool wanted = FieldText(app_.access.book[index].adapterWanted) == "1";
      callRejected_->setEnabled(wanted && g_adapterEnabled == 1);
    }
  }
  phone_->setFocus();
  RememberPhoneAtFocus();
}

// Every opening starts from an empty form: nothing typed survives from the last one.
void CEntryDlg::ResetControls() {
  for (QLineEdit* edit : findChildren<QLineEdit*>()) SetCp932Text(edit, "");
  adapterWanted_->setChecked(false);
  callRejected_->setChecked(false);
  illumination_->setCurrentIndex(0);
  update_->setText(QString::fromUtf8(kRegisterCaption));
}

void CEntryDlg::EnableAdapterControls() {
  const bool enabled = g_adapterEnabled == 1;
  registeredName_->setEnabled(enabled);
  illumination_->setEnabled(enabled);
  adapterWanted_->setEnabled(enabled);
  callRejected_->setEnabled(false);
}

void CEntryDlg::ShowExisting(int index) {
  update_->setText(QString::fromUtf8(kUpdateCaption));
  FillFromEntry(index);
}

void CEntryDlg::FillFromEntry(int index) {
  const BookEntry& e = app_.access.book[index];
  SetCp932Text(phone_, FieldText(e.number));
  SetCp932Text(registeredName_, FieldText(e.registeredName));
  SetCp932Text(name_, FieldText(e.name));
  SetCp932Text(nameKana_, FieldText(e.nameKana));
  SetCp932Text(postalCode_, FieldText(e.postalCode));
  SetCp932Text(fax_, FieldText(e.fax));
  SetCp932Text(company_, FieldText(e.company));
  SetCp932Text(email_, FieldText(e.email));
  SetCp932Text(address_, FieldText(e.address));
  SetCp932Text(companyAddress_, FieldText(e.companyAddress));
  adapterWanted_->setChecked(FieldText(e.adapterWanted) == "1");
  callRejected_->setChecked(FieldText(e.callAccept) != "1");
  const int pattern = text_bytes::ParseInt(FieldText(e.illumination));
  illumination_->setCurrentIndex(pattern >= 0 && pattern < illumination_->count() ? pattern : 0);
}

void CEntryDlg::RememberPhoneAtFocus() {
  text_bytes::FillField(g_phoneAtFocus, Cp932Text(phone_));
}

// A number the user changed will be registered as a new entry unless the book holds it;
// nothing turns the caption back while the dialog stays open.
void CEntryDlg::OnPhoneEdited() {
  if (Cp932Text(phone_) != FieldText(g_phoneAtFocus)) {
    update_->setText(QString::fromUtf8(kRegisterCaption));
  }
}

EntryForm CEntryDlg::ReadForm() const {
  EntryForm form;
  form.number = Cp932Text(phone_);
  form.registeredName = Cp932Text(registeredName_);
  form.name = Cp932Text(name_);
  form.nameKana = Cp932Text(nameKana_);
  form.postalCode = Cp932Text(postalCode_);
  form.fax = Cp932Text(fax_);
  form.address = Cp932Text(address_);
  form.company = Cp932Text(company_);
  form.companyAddress = Cp932Text(companyAddress_);
  form.email = Cp932Text(email_);
  form.adapterWanted = adapterWanted_->checkState() == Qt::Checked;
  form.callRejected = callRejected_->checkState() == Qt::Checked;
  form.illumination = illumination_->currentIndex();
  return form;
}

void CEntryDlg::SaveEntry() {
  EntryFlowContext flow{app_.access, app_.adapter, g_adapterEnabled == 1,
                        [this] { list_.RefreshList(); }};
  const QWidget* owner = this;
  if (::SaveEntry(flow, ReadForm(), PromptOwner::Of(owner)) == SaveResult::Close) reject();
}

void CEntryDlg::DeleteCurrentEntry() {
  if (!list_.HasSelectedRow()) return;
  EntryFlowContext flow{app_.access, app_.adapter, g_adapterEnabled == 1,
                        [this] { list_.RefreshList(); }};
  DeleteEntry(flow, list_.EntryIndexOfRow(g_currentRow));
}

void EditNewEntry() {
  g_rowChosen = 0;
  g_entryDlg->DoModal();
}

void EditChosenEntry() {
  g_entryDlg->DoModal();
}

void EditCurrentRowEntry() {
  g_rowChosen = 1;
  g_entryDlg->DoModal();
}

void EditStartNumberEntry() {
  if (g_startNumber[0] != '\0') g_entryDlg->DoModal();
}

void EditEntryInOwnDialog(AppContext& app, BookListView& list, QWidget* parent) {
  CEntryDlg dialog(app, list, parent);
  dialog.DoModal();
}
