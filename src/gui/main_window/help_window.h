// The program's own help window: the Japanese help document, built into the program, in a
// text browser with its contents as links. No web browser is needed.
#pragma once

#include <QWidget>

class QTextBrowser;

// "目次（&C）": opens the help at its contents, in the help window of `parent` (made the
// first time, brought to the front afterwards).
void ShowHelpContents(QWidget* parent);

class HelpWindow : public QWidget {
  Q_OBJECT

 public:
  explicit HelpWindow(QWidget* parent);

  // Shows the contents page.
  void ShowContents();

 private:
  QTextBrowser* browser_;
};
