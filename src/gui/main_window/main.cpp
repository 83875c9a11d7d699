// DUDODE: the phone book for the ZEF-P1 caller-ID adapter.
#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "book/adapter_library.h"
#include "book/calldir_library.h"
#include "gui/main_window/dudode_app.h"
#include "gui/common/message_box_prompter.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("DUDODE"));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/dudode.svg")));
  // The program speaks Japanese, so Qt's own dialogs (files, printing) do too.
  QTranslator qtTexts;
  if (qtTexts.load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
                   QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QApplication::installTranslator(&qtTexts);
  }

  LinkedCallDirLibrary callDir;
  LinkedAdapterLibrary adapter;
  MessageBoxPrompter prompter;
  CDudOdeApp app(callDir, adapter, prompter, &prompter);
  if (!app.InitInstance(QApplication::arguments().mid(1))) return 0;
  const int result = QApplication::exec();
  app.ExitInstance();
  return result;
}
