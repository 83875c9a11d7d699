// screenshots: renders the main window with a generated Japanese book to PNG files, as a
// person would see it: the whole book, a selected row, a sorted column and a kana row.
//   screenshots OUTDIR
#include <QApplication>
#include <QDir>
#include <QHeaderView>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <cstdio>
#include <memory>

#include "messages/prompter.h"
#include "book/adapter_library.h"
#include "book/calldir_library.h"
#include "book_generator.h"
#include "calldir/calldir.h"
#include "gui/main_window/dudode_app.h"
#include "gui/list/book_list_view.h"
#include "gui/kana_tree/kana_tree.h"
#include "gui/main_window/main_frame.h"
#include "platform/named_mutex.h"

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
  GenerateBook(*book, BookShape{.count = 300, .seed = 7, .deletedPercent = 0, .adapterEntries = 20});
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
  app.ExitInstance();
  return ok ? 0 : 1;
}
