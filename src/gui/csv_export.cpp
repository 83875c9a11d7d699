#include "gui/csv_export.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>

#include "book/csv_export.h"
#include "gui/app_context.h"
#include "platform/program_folder.h"

void ExportBookAsCsv(AppContext& context, QWidget* mainWindow) {
  QFileDialog dialog(mainWindow);
  dialog.setObjectName("csvSaveDialog");
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  // The program's own overwrite question follows; the dialog must not ask first. Qt's own
  // dialog matches the filter regardless of case (*.CSV too), as the system's would.
  dialog.setOptions(QFileDialog::DontConfirmOverwrite | QFileDialog::DontUseNativeDialog);
  dialog.setNameFilter(QString::fromUtf8("CSV ﾌｧｲﾙ (*.csv)"));
  dialog.setDefaultSuffix("csv");
  dialog.setDirectory(QFile::decodeName(g_exeDir.c_str()));
  dialog.selectFile(QString::fromUtf8(kCsvProposedName));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  const QString path = QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
  ExportCsv(context.access.book, QFile::encodeName(path).toStdString(), context.access.prompter);
}
