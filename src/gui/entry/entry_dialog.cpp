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

#include "editor/entry_flows.h"
#include "gui/main_window/app_context.h"
#include "gui/list/book_list.h"
#include "gui/entry/cp932_field.h"
#include "platform/text_bytes.h"

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

int CEntryDlg::DoModal(const OpenRequest& request) {
  OnInitDialog(DecideOpening(app_.access.book, request, app_.adapterEnabled));
  return exec();
}

void CEntryDlg::OnInitDialog(const EntryOpening& opening) {
  if (opening.clearsRowChosen) list_.SetRowChosen(false);
  ShowForm(opening.form);
  update_->setText(QString::fromUtf8(opening.updateCaption ? kUpdateCaption : kRegisterCaption));
  registeredName_->setEnabled(opening.adapterControls);
  illumination_->setEnabled(opening.adapterControls);
  adapterWanted_->setEnabled(opening.adapterControls);
  callRejected_->setEnabled(opening.callRejectionEnabled);
  phone_->setFocus();
  RememberPhoneAtFocus();
}

// Every opening fills every control: nothing typed survives from the last one.
void CEntryDlg::ShowForm(const EntryForm& form) {
  SetCp932Text(phone_, form.number);
  SetCp932Text(registeredName_, form.registeredName);
  SetCp932Text(name_, form.name);
  SetCp932Text(nameKana_, form.nameKana);
  SetCp932Text(postalCode_, form.postalCode);
  SetCp932Text(fax_, form.fax);
  SetCp932Text(company_, form.company);
  SetCp932Text(email_, form.email);
  SetCp932Text(address_, form.address);
  SetCp932Text(companyAddress_, form.companyAddress);
  adapterWanted_->setChecked(form.adapterWanted);
  callRejected_->setChecked(form.callRejected);
  illumination_->setCurrentIndex(form.illumination);
}

void CEntryDlg::RememberPhoneAtFocus() {
  phoneAtFocus_ = Cp932Text(phone_);
}

// A number the user changed will be registered as a new entry unless the book holds it;
// nothing turns the caption back while the dialog stays open.
void CEntryDlg::OnPhoneEdited() {
  if (Cp932Text(phone_) != phoneAtFocus_) update_->setText(QString::fromUtf8(kRegisterCaption));
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

EntryFlowContext CEntryDlg::Flow() {
  return {app_.access, app_.adapter, app_.adapterEnabled,
          [this](int savedEntry) {
            list_.RefreshList();
            list_.ShowEntry(savedEntry);
          },
          [this](EntryField field) { ShowRefusedField(field); }};
}

// The focus goes to the field a rule refused, with its text selected, so the user types
// over it; moving into the phone field runs its own focus rule, as the user's focus does.
void CEntryDlg::ShowRefusedField(EntryField field) {
  QLineEdit* const edits[] = {phone_, registeredName_, name_,     nameKana_, postalCode_,
                              fax_,   address_,        company_,  companyAddress_, email_};
  QLineEdit* edit = edits[static_cast<std::size_t>(field)];
  edit->setFocus(Qt::OtherFocusReason);
  edit->selectAll();
}

void CEntryDlg::SaveEntry() {
  EntryFlowContext flow = Flow();
  const QWidget* owner = this;
  if (::SaveEntry(flow, ReadForm(), PromptOwner::Of(owner)) == SaveResult::Close) reject();
}

void CEntryDlg::DeleteCurrentEntry() {
  if (!list_.HasSelectedRow()) return;
  EntryFlowContext flow = Flow();
  DeleteEntry(flow, list_.EntryIndexOfRow(list_.CurrentRow()));
}

OpenRequest RequestForCurrentRow(const BookListView& list) {
  return OpenRequest::ForListRow(list.RowChosen(), list.EntryIndexOfRow(list.CurrentRow()));
}

void EditEntryInOwnDialog(AppContext& app, BookListView& list, QWidget* parent) {
  CEntryDlg dialog(app, list, parent);
  dialog.DoModal(RequestForCurrentRow(list));
}
