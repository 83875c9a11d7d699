#include "gui/main_window/dudode_app.h"

#include <utility>

#include "messages/prompter.h"
#include "app/startup.h"
#include "book/book_storage.h"
#include "gui/entry/entry_dialog.h"
#include "gui/list/book_list_view.h"
#include "gui/kana_tree/kana_tree.h"
#include "gui/main_window/main_frame.h"
#include "gui/common/message_box_prompter.h"
#include "gui/common/qt_text.h"
#include "platform/named_mutex.h"
#include "platform/program_folder.h"

CDudOdeApp::CDudOdeApp(CallDirLibrary& callDir, AdapterLibrary& adapter, Prompter& prompter,
                       MessageBoxPrompter* mainWindowPrompter)
    : context_{BookAccess{book_, callDir, prompter, {}}, adapter},
      mainWindowPrompter_(mainWindowPrompter) {}

CDudOdeApp::~CDudOdeApp() = default;

bool CDudOdeApp::InitInstance(const QStringList& arguments) {
  context_.paths = SetUpProgramFolder();
  context_.access.bookPath = context_.paths.bookPath;
  // Qt has read the command line in the system's encoding; the number is code page 932.
  startNumber_ = StartNumberFrom(ToCp932(arguments.join(' ')));

  Prompter& prompter = context_.access.prompter;
  instanceLock_ = TakeInstanceLock(prompter);
  if (!instanceLock_) return false;
  context_.adapterEnabled = OpenAdapterIfFree(prompter, context_.adapter, context_.paths.portIniPath);
  LoadBookAtStart(context_.access, context_.adapter, context_.adapterEnabled, context_.paths.exeDir);

  document_.SetTitle({});
  frame_ = std::make_unique<CMainFrame>(context_, document_);
  if (mainWindowPrompter_ != nullptr) mainWindowPrompter_->SetMainWindow(frame_.get());
  frame_->listView().OnInitialUpdate(context_.paths.columnIniPath);
  frame_->setWindowTitle(MainCaption());
  frame_->show();
  // The tree takes the focus and its root becomes the first selection, so that every later
  // refresh lists the whole book until the user picks another node.
  frame_->treeView().setFocus();
  frame_->treeView().SelectRoot();

  if (!startNumber_.empty()) {
    const std::string number = std::exchange(startNumber_, {});  // used once
    frame_->entryDialog().DoModal(OpenRequest::ForStartNumber(number));
  }
  return true;
}

void CDudOdeApp::ExitInstance() {
  frame_.reset();
  instanceLock_.reset();
}
