#include "gui/import/import_contacts.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>
#include <memory>
#include <vector>

#include "book/book_storage.h"
#include "gui/import/import_preview_dialog.h"
#include "gui/list/book_list.h"
#include "gui/main_window/app_context.h"
#include "import/import_files.h"
#include "import/import_plan.h"
#include "import/mecab_reading_deriver.h"
#include "messages/prompter.h"

namespace {

// The files the user picks; none when the dialog is cancelled. The dialog opens in the
// user's documents and offers the program folder, where the kept book files lie, beside.
QStringList PickFiles(const QString& programFolder, QWidget* parent) {
  QFileDialog dialog(parent);
  dialog.setObjectName("importOpenDialog");
  dialog.setWindowTitle(QStringLiteral("ｲﾝﾎﾟｰﾄ"));
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFiles);
  // Qt's own dialog matches the filters regardless of case (*.VCF too).
  dialog.setOptions(QFileDialog::DontUseNativeDialog);
  dialog.setNameFilters({QStringLiteral("連絡先ﾌｧｲﾙ (*.vcf *.csv CallDir.csv.backup-*)"),
                         QStringLiteral("vCard (*.vcf)"), QStringLiteral("CSV ﾌｧｲﾙ (*.csv)"),
                         QStringLiteral("電話帳の控え (CallDir.csv.backup-*)")});
  const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  dialog.setDirectory(QDir(documents).exists() ? documents : QDir::homePath());
  QList<QUrl> places = dialog.sidebarUrls();
  places << QUrl::fromLocalFile(programFolder);
  dialog.setSidebarUrls(places);
  if (dialog.exec() != QDialog::Accepted) return {};
  return dialog.selectedFiles();
}

}  // namespace

void ImportContacts(AppContext& context, BookListView& list, QWidget* parent) {
  BookAccess& access = context.access;
  const QString programFolder =
      QFileInfo(QFile::decodeName(access.bookPath.c_str())).absolutePath();
  const QStringList files = PickFiles(programFolder, parent);
  if (files.isEmpty()) return;

  std::vector<ImportRecord> records;
  {
    BusyScope busy(access.prompter);
    const std::unique_ptr<MecabReadingDeriver> deriver = MecabReadingDeriver::Open();
    for (const QString& file : files) {
      FileReading reading =
          ReadContactsFile(QDir::toNativeSeparators(file).toStdString(), deriver.get());
      if (!reading.refusal.empty()) {
        access.prompter.Tell(reading.refusal);
        continue;
      }
      for (ImportRecord& record : reading.records) records.push_back(std::move(record));
    }
  }
  if (records.empty()) return;

  ImportPlan plan(std::move(records), access.book);
  ImportPreviewDialog preview(plan, parent);
  if (preview.exec() != QDialog::Accepted) return;
  const ImportCounts counts = plan.Apply();
  HandOverBook(access);  // a failed write is reported; the entries stay to be saved later
  list.RefreshList();
  access.prompter.Tell(CountsMessage(counts), PromptIcon::Information);
}
