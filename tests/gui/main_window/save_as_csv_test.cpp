// The export command through its real save dialog.
#include "gui/main_window/save_as_csv.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "book/book_storage.h"
#include "book/csv_export.h"
#include "gui/main_window/app_context.h"
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
    user_ = std::make_unique<TempDir>();
    qputenv("HOME", QByteArray::fromStdString(user_->path().string()));
    qunsetenv("XDG_CONFIG_HOME");
    user_->Write("notes.csv", "");  // a folder with something to list
    dir_ = std::make_unique<TempDir>();
    book_ = std::make_unique<PhoneBook>();
    Put(*book_, MakeEntry("0312345678", "", "A"));
    prompter_ = RecordingPrompter{};
    context_ = std::make_unique<AppContext>(
        AppContext{BookAccess{*book_, callDir_, prompter_, dir_->File("CallDir.csv")}, adapter_,
                   PathsIn(dir_->path().string())});
  }

  // The dialog opens in the user's documents (the home folder when there are none), not in
  // the hidden program folder.
  void dialogProposesTheFileInTheDocumentsAndAddsTheSuffix() {
    const QString documents = QString::fromStdString(user_->File("Documents"));
    const SeenDialog atHome = RunExport(*context_, [](QFileDialog& d) { d.reject(); });
    QCOMPARE(atHome.folder, QString::fromStdString(user_->path().string()));
    QVERIFY(QDir().mkpath(documents));
    for (const char* name : {"a.csv", "b.CSV", "c.txt"}) user_->Write(std::string("Documents/") + name, "");
    const SeenDialog seen = RunExport(*context_, SaveAs("book"));
    QCOMPARE(seen.nameFilters, QStringList{QString::fromUtf8("CSV ﾌｧｲﾙ (*.csv)")});
    QCOMPARE(seen.defaultSuffix, QString("csv"));
    QVERIFY(!seen.confirmsOverwrite);
    QCOMPARE(seen.folder, documents);
    QCOMPARE(seen.proposedName, QString("DUDODE.CSV"));
    QCOMPARE(seen.listedFiles, (QStringList{"a.csv", "b.CSV"}));
    QCOMPARE(QString::fromStdString(user_->Read("Documents/book.csv")),
             QString("0312345678,A,,,,,,,,1,0,0,,0\r\n"));
    QVERIFY(prompter_.messages.empty());
  }

  // Choosing the book itself is refused and the dialog comes back for another name.
  void theBookFileIsRefusedAndTheDialogComesBack() {
    dir_->Write("CallDir.csv", "the book");
    const QString book = QString::fromStdString(dir_->File("CallDir.csv"));
    bool cameBack = false;
    RunExport(*context_, [&](QFileDialog& dialog) {
      QTimer::singleShot(0, [&] {
        auto* again = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        cameBack = again != nullptr;
        if (again != nullptr) again->reject();
      });
      SaveAs(book)(dialog);
    });
    QVERIFY(cameBack);
    QCOMPARE(prompter_.Texts(), std::vector<std::string>{kCsvProgramFileMessage});
    QCOMPARE(dir_->Read("CallDir.csv"), std::string("the book"));
  }

  void cancellingTheDialogWritesNothing() {
    RunExport(*context_, [](QFileDialog& dialog) { dialog.reject(); });
    QVERIFY(prompter_.messages.empty());
    QCOMPARE(dir_->Names(), std::vector<std::string>{});
  }

 private:
  std::unique_ptr<TempDir> user_;  // the user's home
  std::unique_ptr<TempDir> dir_;   // the program folder
  std::unique_ptr<PhoneBook> book_;
  FakeCallDir callDir_;
  FakeAdapter adapter_;
  RecordingPrompter prompter_;
  std::unique_ptr<AppContext> context_;
};

QTEST_MAIN(CsvExportTest)
#include "save_as_csv_test.moc"
