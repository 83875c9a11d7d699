#include "gui/main_window/help_window.h"

#include <QShortcut>
#include <QTextBrowser>
#include <QToolBar>
#include <QVBoxLayout>

// The help document lives in the static GUI library, whose resources the linker keeps only
// when asked for them. Outside any namespace, as Q_INIT_RESOURCE declares a global function.
static void LoadHelpDocument() {
  Q_INIT_RESOURCE(help);
}

HelpWindow::HelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Window), browser_(new QTextBrowser(this)) {
  LoadHelpDocument();
  setObjectName("helpWindow");
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QString::fromUtf8("電話帳 ヘルプ"));
  resize(640, 560);

  browser_->setObjectName("helpBrowser");
  browser_->setAccessibleName(QString::fromUtf8("ヘルプの本文"));
  browser_->setOpenLinks(true);
  browser_->setOpenExternalLinks(false);  // the document links only to its own pages

  auto* tools = new QToolBar(this);
  tools->setObjectName("helpToolBar");
  QAction* contents = tools->addAction(QString::fromUtf8("目次"), this, &HelpWindow::ShowContents);
  contents->setObjectName("helpContentsAction");
  QAction* back = tools->addAction(QString::fromUtf8("戻る"), browser_, &QTextBrowser::backward);
  back->setObjectName("helpBackAction");
  back->setEnabled(false);
  QAction* forward = tools->addAction(QString::fromUtf8("進む"), browser_, &QTextBrowser::forward);
  forward->setObjectName("helpForwardAction");
  forward->setEnabled(false);
  connect(browser_, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
  connect(browser_, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);

  // Escape closes the help, as it closes any window of its kind.
  auto* closeByEscape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  connect(closeByEscape, &QShortcut::activated, this, &QWidget::close);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(tools);
  layout->addWidget(browser_);
  ShowContents();
}

void HelpWindow::ShowContents() {
  browser_->setSource(QUrl(QStringLiteral("qrc:/help/index.html")));  // the contents (src/res/help)
}

void ShowHelpContents(QWidget* parent) {
  auto* window = parent != nullptr ? parent->findChild<HelpWindow*>() : nullptr;
  if (window == nullptr) {
    window = new HelpWindow(parent);
  } else {
    window->ShowContents();
  }
  window->show();
  window->raise();
  window->activateWindow();
}
