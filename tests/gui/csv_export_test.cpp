// The export command through its real save dialog.
#include "gui/csv_export.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "gui/app_context.h"
#include "platform/program_folder.h"
#include "support/book_builder.h"
#include "support/fake_adapter.h"
#include "support/fake_calldir.h"
#include "support/recording_prompter.h"
#include "support/temp_dir.h"

namespace {

// What the save dialog looked like when it opened.
struct SeenDialog {
  QStringList nameFilters;
  QString defaultSuffix;
  bool confirmsOverwrite = true;
  QString folder;
  QString proposedName;
  QStringList listedFiles;
};

// Runs the export; `answer` plays the user in the save dialog.
SeenDialog RunExport(AppContext& context, const std::function<void(QFileDialog&)>& answer) {
  SeenDialog seen;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr) return;
    seen.nameFilters = dialog->nameFilters();
    seen.defaultSuffix = dialog->defaultSuffix();
    seen.confirmsOverwrite = !dialog->testOption(QFileDialog::DontConfirmOverwrite);
    seen.folder = dialog->directory().absolutePath();
    seen.proposedName = dialog->findChild<QLineEdit*>("fileNameEdit")->text();
    auto* model = dialog->findChild<QFileSystemModel*>();
    const QModelIndex root = model->index(seen.folder);
    const bool listed = QTest::qWaitFor([&] { return model->rowCount(root) > 0; });
    for (int row = 0; listed && row < model->rowCount(root); ++row) {
      seen.listedFiles << model->index(row, 0, root).data().toString();
    }
    seen.listedFiles.sort();
    answer(*dialog);
  });
  ExportBookAsCsv(context, nullptr);
  return seen;
}

std::function<void(QFileDialog&)> SaveAs(const QString& name) {
  return [name](QFileDialog& dialog) {
    dialog.findChild<QLineEdit*>("fileNameEdit")->setText(name);
    static_cast<QDialog&>(dialog).accept();  // QFileDialog's own accept, reached publicly
  };
}

}  // namespace

class CsvExportTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void init() {
    dir_ = std::make_unique<TempDir>();
    g_exeDir = dir_->path().string();
    book_ = std::make_unique<PhoneBook>();
    Put(*book_, MakeEntry("0312345678", "", "A"));
    prompter_ = RecordingPrompter{};
    context_ = std::make_unique<AppContext>(
        AppContext{BookAccess{*book_, callDir_, prompter_, dir_->File("CallDir.csv")}, adapter_});
  }

  void dialogProposesTheProgramFileAndAddsTheSuffix() {
    dir_->Write("a.csv", "");
    dir_->Write("b.CSV", "");
    dir_->Write("c.txt", "");
    const SeenDialog seen = RunExport(*context_, SaveAs("book"));
    QCOMPARE(seen.nameFilters, QStringList{QString::fromUtf8("CSV ﾌｧｲﾙ (*.csv)")});
    QCOMPARE(seen.defaultSuffix, QString("csv"));
    QVERIFY(!seen.confirmsOverwrite);
    QCOMPARE(seen.folder, QString::fromStdString(g_exeDir));
    QCOMPARE(seen.proposedName, QString("DUDODE.CSV"));
    QCOMPARE(seen.listedFiles, (QStringList{"a.csv", "b.CSV"}));
    QCOMPARE(QString::fromStdString(dir_->Read("book.csv")),
             QString("0312345678,A,,,,,,,,1,0,0,,0\r\n"));
    QVERIFY(prompter_.messages.empty());
  }

  void cancellingTheDialogWritesNothing() {
    RunExport(*context_, [](QFileDialog& dialog) { dialog.reject(); });
    QVERIFY(prompter_.messages.empty());
    QCOMPARE(dir_->Names(), std::vector<std::string>{});
  }

 private:
  std::unique_ptr<TempDir> dir_;
  std::unique_ptr<PhoneBook> book_;
  FakeCallDir callDir_;
  FakeAdapter adapter_;
  RecordingPrompter prompter_;
  std::unique_ptr<AppContext> context_;
};

QTEST_MAIN(CsvExportTest)
#include "csv_export_test.moc"
