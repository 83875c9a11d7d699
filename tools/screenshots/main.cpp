// screenshots: renders the main window with a generated Japanese book to PNG files, as a
// person would see it: the whole book, a selected row, a sorted column and a kana row; and
// the import's preview of a phone's cards against a book three entries short of full.
//   screenshots OUTDIR
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <cstdio>
#include <memory>

#include "book/adapter_library.h"
#include "book/calldir_library.h"
#include "book_generator.h"
#include "calldir/calldir.h"
#include "gui/import/import_preview_dialog.h"
#include "gui/kana_tree/kana_tree.h"
#include "gui/list/book_list_view.h"
#include "gui/main_window/dudode_app.h"
#include "gui/main_window/main_frame.h"
#include "import/import_files.h"
#include "import/import_plan.h"
#include "import/mecab_reading_deriver.h"
#include "messages/prompter.h"
#include "platform/named_mutex.h"
#include "platform/text_bytes.h"

namespace {

// Answers every message at once, so that nothing waits for a person.
class AnsweringPrompter final : public Prompter {
 public:
  using Prompter::Ask;
  PromptAnswer Ask(const std::string&, const std::string&, PromptIcon, PromptButtons buttons,
                   PromptOwner) override {
    return buttons == PromptButtons::Ok || buttons == PromptButtons::OkCancel ? PromptAnswer::Ok
                                                                              : PromptAnswer::Yes;
  }
  void SetBusy(bool) override {}
};

bool WriteDemoBook(const QString& path) {
  auto book = std::make_unique<PhoneBook>();
  GenerateBook(*book,
               BookShape{.count = 300, .seed = 7, .deletedPercent = 0, .adapterEntries = 20});
  const QByteArray file = path.toLocal8Bit();
  CallDirOpen(file.constData());
  const bool written = CallDirWrite(book->data(), book->entryCount()) != 0;
  CallDirClose();
  return written;
}

bool Save(QWidget& window, const QDir& out, const char* name) {
  QApplication::processEvents();
  const QString path = out.filePath(QString::fromUtf8(name));
  if (!window.grab().save(path)) return false;
  std::printf("%s\n", path.toLocal8Bit().constData());
  return true;
}

// A phone's export: cards with and without readings, a number the book holds, a name with
// a character code page 932 lacks, a foreign number, a card repeated, and more new ones
// than the book has room for.
QByteArray PhoneExport(const std::string& numberInBook) {
  const auto card = [](const std::string& n, const std::string& extra, const std::string& tel) {
    return "BEGIN:VCARD\r\nVERSION:3.0\r\nN:" + n + ";;;\r\n" + extra + "TEL;TYPE=CELL:" + tel +
           "\r\nEND:VCARD\r\n";
  };
  const std::string reading = "X-PHONETIC-LAST-NAME:ヤマダ\r\nX-PHONETIC-FIRST-NAME:タロウ\r\n";
  const std::string text =
      card("山田;太郎", reading + "ADR;TYPE=HOME:;;丸の内1-1;千代田区;東京都;100-0005;\r\n",
           "+81 90-1234-5678") +
      card("中島;みゆき", "EMAIL:miyuki@example.jp\r\n", "080-2222-3333") +
      card("佐藤;一郎", "ORG:株式会社山田商事\r\n", numberInBook) +
      card("髙橋;😀", "X-PHONETIC-LAST-NAME:タカハシ\r\n", "045-111-2222") +
      card("Smith;John", "", "+1 555 010 9999") + card("山田;太郎", reading, "090-1234-5678") +
      card("鈴木;花子", "X-PHONETIC-LAST-NAME:スズキ\r\nNOTE:x\r\n", "(03) 5555.6666") +
      card("小林;幸子", "", "070-4444-5555") + card("渡辺;健太", "", "070-6666-7777");
  return QByteArray::fromStdString(text);
}

bool SaveImportPreview(const QDir& out, const QString& folder) {
  PhoneBook book;
  GenerateBook(book, BookShape{.count = BOOK_CAPACITY - 3, .seed = 7});
  const QString path = QDir(folder).filePath("phone.vcf");
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  int withHyphens = 0;  // a number the card writes the same way
  while (text_bytes::FieldText(book[withHyphens].number).find('-') == std::string_view::npos ||
         book[withHyphens].deleted != 0) {
    ++withHyphens;
  }
  file.write(PhoneExport(std::string(text_bytes::FieldText(book[withHyphens].number))));
  file.close();
  const auto deriver = MecabReadingDeriver::Open();
  FileReading reading = ReadContactsFile(path.toStdString(), deriver.get());
  ImportPlan plan(std::move(reading.records), book);
  ImportPreviewDialog preview(plan);
  preview.resize(1100, 400);
  preview.show();
  return Save(preview, out, "import-preview.png");
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: screenshots OUTDIR\n");
    return 2;
  }
  const QDir out(QString::fromLocal8Bit(argv[1]));
  QTemporaryDir home;
  qputenv("DUDODE_HOME", home.path().toLocal8Bit());
  // The sibling program "runs", so the window starts without an adapter.
  const auto vizazed = NamedMutex::Create("VIZAZED_RUNNING");
  if (!out.mkpath(".") || !WriteDemoBook(home.filePath("CallDir.csv"))) return 1;

  LinkedCallDirLibrary callDir;
  LinkedAdapterLibrary adapter;
  AnsweringPrompter prompter;
  CDudOdeApp app(callDir, adapter, prompter);
  if (!app.InitInstance({})) return 1;
  CMainFrame& frame = *app.mainFrame();
  frame.resize(900, 520);
  bool ok = Save(frame, out, "main-window.png");

  CDudOdeView& list = frame.listView();
  list.setFocus();
  list.selectRow(4);
  ok = ok && Save(frame, out, "row-selected.png");

  list.horizontalHeader()->sectionClicked(3);
  ok = ok && Save(frame, out, "sorted-by-name.png");

  CTreeV& tree = frame.treeView();
  QTreeWidgetItem* kaRow = tree.topLevelItem(0)->child(1);
  kaRow->setExpanded(true);
  tree.setCurrentItem(kaRow);
  ok = ok && Save(frame, out, "kana-row.png");
  ok = ok && SaveImportPreview(out, home.path());
  app.ExitInstance();
  return ok ? 0 : 1;
}
