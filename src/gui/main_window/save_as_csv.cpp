#include "gui/main_window/save_as_csv.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QStandardPaths>

#include "book/csv_export.h"
#include "gui/main_window/app_context.h"

namespace {

// Where the save dialog opens. On Windows the program folder is the program's own folder,
// beside the executable; elsewhere it is a hidden data folder, so the user's documents.
QString StartFolder([[maybe_unused]] const std::string& programFolder) {
#ifdef Q_OS_WIN
  return QFile::decodeName(programFolder.c_str());
#else
  const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  return QDir(documents).exists() ? documents : QDir::homePath();
#endif
}

}  // namespace

void ExportBookAsCsv(AppContext& context, QWidget* mainWindow) {
  QFileDialog dialog(mainWindow);
  dialog.setObjectName("csvSaveDialog");
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  // The program's own overwrite question follows; the dialog must not ask first. Qt's own
  // dialog matches the filter regardless of case (*.CSV too), as the system's would.
  dialog.setOptions(QFileDialog::DontConfirmOverwrite | QFileDialog::DontUseNativeDialog);
  dialog.setNameFilter(QString::fromUtf8("CSV ﾌｧｲﾙ (*.csv)"));
  dialog.setDefaultSuffix("csv");
  dialog.setDirectory(StartFolder(context.paths.exeDir));
  dialog.selectFile(QString::fromUtf8(kCsvProposedName));
  // A refused name (one of the program's own files) brings the dialog back for another.
  while (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
    const QString path = QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
    if (ExportCsv(context.access.book, QFile::encodeName(path).toStdString(), context.paths.exeDir,
                  context.access.prompter) != CsvExportResult::Refused) {
      return;
    }
  }
}
