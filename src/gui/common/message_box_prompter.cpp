#include "gui/common/message_box_prompter.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QVBoxLayout>

namespace {

QMessageBox::Icon BoxIcon(PromptIcon icon) {
  switch (icon) {
    case PromptIcon::None: return QMessageBox::NoIcon;
    case PromptIcon::Information: return QMessageBox::Information;
    case PromptIcon::Warning: return QMessageBox::Warning;
    case PromptIcon::Error: return QMessageBox::Critical;
    case PromptIcon::Question: return QMessageBox::Question;
  }
  return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons BoxButtons(PromptButtons buttons) {
  switch (buttons) {
    case PromptButtons::Ok: return QMessageBox::Ok;
    case PromptButtons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case PromptButtons::YesNo:
    case PromptButtons::YesNoDefaultNo: return QMessageBox::Yes | QMessageBox::No;
  }
  return QMessageBox::Ok;
}

PromptAnswer AnswerOf(int button) {
  switch (button) {
    case QMessageBox::Cancel: return PromptAnswer::Cancel;
    case QMessageBox::Yes: return PromptAnswer::Yes;
    case QMessageBox::No: return PromptAnswer::No;
    default: return PromptAnswer::Ok;
  }
}

}  // namespace

QWidget* MessageBoxPrompter::OwnerWindow(PromptOwner owner) const {
  switch (owner.kind) {
    case PromptOwner::Kind::MainWindow: return mainWindow_;
    case PromptOwner::Kind::None: return nullptr;
    case PromptOwner::Kind::Window:
      return static_cast<QWidget*>(const_cast<void*>(owner.window));
  }
  return mainWindow_;
}

PromptAnswer MessageBoxPrompter::Ask(const std::string& text, const std::string& caption,
                                     PromptIcon icon, PromptButtons buttons, PromptOwner owner) {
  QMessageBox box(BoxIcon(icon), QString::fromStdString(caption), QString::fromStdString(text),
                  BoxButtons(buttons), OwnerWindow(owner));
  box.setObjectName("messageBox");
  box.setAccessibleName(QString::fromStdString(caption));
  box.setAccessibleDescription(QString::fromStdString(text));
  if (buttons == PromptButtons::YesNoDefaultNo) box.setDefaultButton(QMessageBox::No);
  // The wait cursor of a long operation must not hide that a question waits for the user.
  const bool busy = QApplication::overrideCursor() != nullptr;
  if (busy) QApplication::setOverrideCursor(Qt::ArrowCursor);
  const int answer = box.exec();
  if (busy) QApplication::restoreOverrideCursor();
  return AnswerOf(answer);
}

// A small window with the text and no buttons. It is shown and painted at once: the wait it
// explains blocks the event loop.
void MessageBoxPrompter::ShowNote(const std::string& text) {
  note_ = std::make_unique<QWidget>(mainWindow_, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  note_->setObjectName("waitNote");
  note_->setWindowTitle(QString::fromUtf8(kAppTitle));
  auto* label = new QLabel(QString::fromStdString(text), note_.get());
  label->setObjectName("waitNoteText");
  auto* layout = new QVBoxLayout(note_.get());
  layout->setContentsMargins(24, 16, 24, 16);
  layout->addWidget(label);
  note_->setCursor(Qt::WaitCursor);
  note_->show();
  note_->raise();
  QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void MessageBoxPrompter::HideNote() {
  note_.reset();
}

void MessageBoxPrompter::SetBusy(bool busy) {
  if (busy) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    QApplication::restoreOverrideCursor();
  }
}
