#include "soak/window_driver.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "gui/main_window/dudode_app.h"
#include "gui/list/book_list_view.h"
#include "gui/main_window/main_frame.h"
#include "platform/cp932.h"
#include "platform/text_bytes.h"
#include "support/qt_typing.h"

namespace {

using text_bytes::FieldText;

// Adds outweigh deletes so that the book crosses its 10,000 limit early in the run.
constexpr std::array<int, kOpKinds> kOpWeights = {24, 20, 12, 8, 8, 12, 6, 10};

// Menu commands, as the main frame numbers them.
constexpr int kReadAdapterCommand = 32772;
constexpr int kExportCommand = 32773;
constexpr int kSearchCommand = 32777;
constexpr int kColumnsCommand = 32780;
constexpr int kNewEntryCommand = 32781;
constexpr int kSaveCommand = 32788;

// Types `text` into the dialog's field `name` in place of what it holds.
void TypeInto(QWidget* dialog, const char* name, const QString& text) {
  auto* edit = dialog->findChild<QLineEdit*>(name);
  if (edit == nullptr) return;
  edit->selectAll();
  QTest::keyClick(edit, Qt::Key_Backspace);
  bool latin = true;
  for (const QChar c : text) latin = latin && c.unicode() < 0x80;
  if (latin) {
    QTest::keyClicks(edit, text);
  } else {
    CommitText(edit, text);
  }
}

// A number as the dialog takes it: its digits, with the leading 0 of an area code.
QString InDigits(const QString& number) {
  QString digits;
  for (const QChar c : number) {
    if (c >= '0' && c <= '9') digits += c;
  }
  return digits.startsWith('0') ? digits : "0" + digits;
}

void Click(QWidget* dialog, const char* button) {
  auto* found = dialog->findChild<QPushButton*>(button);
  if (found != nullptr && found->isEnabled()) found->click();
}

// Runs `open`, which shows a modal dialog, and `drive` on that dialog once it shows. When
// no dialog comes up, `drive` is not called.
void WithModal(const std::function<void()>& open, const std::function<void(QWidget*)>& drive) {
  bool handled = false;
  QTimer::singleShot(0, [&] {
    handled = true;
    if (QWidget* dialog = QApplication::activeModalWidget()) drive(dialog);
  });
  open();
  while (!handled) QCoreApplication::processEvents();
}

}  // namespace

WindowDriver::WindowDriver(CDudOdeApp& app, std::mt19937& random, std::filesystem::path exportPath)
    : app_(app), random_(random), text_(random), exportPath_(std::move(exportPath)) {}

CMainFrame& WindowDriver::frame() {
  return *app_.mainFrame();
}
CDudOdeView& WindowDriver::list() {
  return frame().listView();
}
PhoneBook& WindowDriver::book() {
  return app_.book();
}

void WindowDriver::Save() {
  frame().Command(kSaveCommand)->trigger();
}

void WindowDriver::ReadAdapter() {
  frame().Command(kReadAdapterCommand)->trigger();
}

Op WindowDriver::Pick() {
  std::discrete_distribution<int> pick(kOpWeights.begin(), kOpWeights.end());
  return static_cast<Op>(pick(random_));
}

bool WindowDriver::SelectRandomRow() {
  const int rows = list().RowCount();
  if (rows == 0) return false;
  list().setFocus();
  list().selectRow(text_.Below(rows));
  return true;
}

// New texts for the entry dialog; `fresh` for a new entry, else a change of some fields.
void WindowDriver::FillEntry(QWidget* dialog, bool fresh) {
  if (fresh) {
    QString number = text_.Number();
    if (text_.Chance(10) && book().entryCount() > 0) {  // a number the book has: an update
      number = QString::fromLatin1(FieldText(book()[text_.Below(book().entryCount())].number));
    } else if (text_.Chance(4)) {
      number += "AB";  // refused by the dialog's checks
    }
    TypeInto(dialog, "phoneEdit", number);
    TypeInto(dialog, "nameKanaEdit", text_.Kana());
  }
  TypeInto(dialog, "nameEdit", text_.Name());
  if (text_.Chance(50)) TypeInto(dialog, "addressEdit", text_.Address());
  if (text_.Chance(50)) TypeInto(dialog, "registeredNameEdit", text_.RegisteredName());
  auto* wanted = dialog->findChild<QCheckBox*>("adapterWantedCheck");
  if (wanted != nullptr && wanted->isEnabled() && text_.Chance(25)) wanted->click();
  auto* illumination = dialog->findChild<QComboBox*>("illuminationCombo");
  if (illumination != nullptr && text_.Chance(20)) {
    illumination->setCurrentIndex(text_.Below(illumination->count()));
  }
}

// Saves. When the dialog refuses (generated numbers such as "(03)1234/5678" break its
// rules) or a save fails, the user now and then writes the numbers in digits and saves
// again; a dialog still open after that is cancelled.
void WindowDriver::FinishEntryDialog(QWidget* dialog) {
  Click(dialog, "updateButton");
  if (dialog->isVisible() && text_.Chance(50)) {
    for (const char* field : {"phoneEdit", "faxEdit"}) {
      const auto* edit = dialog->findChild<QLineEdit*>(field);
      if (edit != nullptr && !edit->text().isEmpty())
        TypeInto(dialog, field, InDigits(edit->text()));
    }
    Click(dialog, "updateButton");
  }
  if (dialog->isVisible()) Click(dialog, "cancelButton");
}

void WindowDriver::Add() {
  WithModal([this] { frame().Command(kNewEntryCommand)->trigger(); },
            [this](QWidget* dialog) {
              FillEntry(dialog, true);
              FinishEntryDialog(dialog);
            });
}

void WindowDriver::Change() {
  if (!SelectRandomRow()) return;
  WithModal([this] { QTest::keyClick(&list(), Qt::Key_Return); },
            [this](QWidget* dialog) {
              FillEntry(dialog, false);
              FinishEntryDialog(dialog);
            });
}

void WindowDriver::Delete() {
  if (!SelectRandomRow()) return;
  QTest::keyClick(&list(), Qt::Key_Delete);
}

void WindowDriver::Columns() {
  WithModal([this] { frame().Command(kColumnsCommand)->trigger(); },
            [this](QWidget* dialog) {
              auto* available = dialog->findChild<QListWidget*>("availableList");
              auto* shown = dialog->findChild<QListWidget*>("shownList");
              for (int step = text_.Below(4); step >= 0; --step) {
                switch (text_.Below(3)) {
                  case 0:
                    Click(dialog, "allButton");
                    break;
                  case 1:
                    if (available->count() == 0) break;
                    available->setCurrentRow(text_.Below(available->count()));
                    Click(dialog, "addButton");
                    break;
                  default:
                    if (shown->count() == 0) break;
                    shown->setCurrentRow(text_.Below(shown->count()));
                    Click(dialog, "removeButton");
                }
              }
              Click(dialog, text_.Chance(80) ? "okButton" : "cancelButton");
              if (dialog->isVisible()) Click(dialog, "cancelButton");
            });
}

// Searches for the start of a live entry's number, registered name or reading, and now
// and then edits the first entry found.
void WindowDriver::Search() {
  WithModal([this] { frame().Command(kSearchCommand)->trigger(); },
            [this](QWidget* dialog) {
              const int condition = text_.Below(3);
              dialog->findChild<QComboBox*>("conditionBox")->setCurrentIndex(condition);
              const BookEntry& entry = book()[text_.Below(std::max(1, book().entryCount()))];
              const std::string_view field = condition == 0   ? FieldText(entry.number)
                                             : condition == 1 ? FieldText(entry.registeredName)
                                                              : FieldText(entry.nameKana);
              const QString text = QString::fromStdString(cp932::ToUtf8(field).text);
              TypeInto(dialog, "searchInput", text.left(1 + text_.Below(4)));
              Click(dialog, "startButton");
              auto* results = dialog->findChild<QTableView*>("resultList");
              if (results->model()->rowCount() > 0 && text_.Chance(30)) {
                results->selectRow(0);
                WithModal([dialog] { Click(dialog, "editButton"); },
                          [this](QWidget* entryDialog) {
                            FillEntry(entryDialog, false);
                            FinishEntryDialog(entryDialog);
                          });
              }
              Click(dialog, "cancelButton");
            });
}

void WindowDriver::Export() {
  const QString path = QString::fromStdString(exportPath_.string());
  WithModal([this] { frame().Command(kExportCommand)->trigger(); },
            [&path](QWidget* dialog) {
              auto* files = qobject_cast<QFileDialog*>(dialog);
              if (files == nullptr) return;
              files->selectFile(path);
              static_cast<QDialog*>(files)->accept();  // QFileDialog's own accept
            });
}

void WindowDriver::Run(Op op) {
  switch (op) {
    case Op::Add:
      Add();
      break;
    case Op::Change:
      Change();
      break;
    case Op::Delete:
      Delete();
      break;
    case Op::ReadAdapter:
      ReadAdapter();
      break;
    case Op::Columns:
      Columns();
      break;
    case Op::Search:
      Search();
      break;
    case Op::Export:
      Export();
      break;
    case Op::Save:
      Save();
      break;
    case Op::kCount:
      break;
  }
}
