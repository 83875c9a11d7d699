#include "gui/main_window/dudode_app.h"

#include "messages/prompter.h"
#include "app/startup.h"
#include "book/book_storage.h"
#include "gui/list/book_list_view.h"
#include "gui/entry/entry_dialog.h"
#include "gui/kana_tree/kana_tree.h"
#include "gui/main_window/main_frame.h"
#include "gui/common/message_box_prompter.h"
#include "gui/common/qt_text.h"
#include "platform/named_mutex.h"
#include "platform/program_folder.h"
#include "platform/text_bytes.h"

CDudOdeApp::CDudOdeApp(CallDirLibrary& callDir, AdapterLibrary& adapter, Prompter& prompter,
                       MessageBoxPrompter* mainWindowPrompter)
    : context_{BookAccess{book_, callDir, prompter, {}}, adapter},
      mainWindowPrompter_(mainWindowPrompter) {}

CDudOdeApp::~CDudOdeApp() = default;

bool CDudOdeApp::InitInstance(const QStringList& arguments) {
  SetUpProgramFolder();
  context_.access.bookPath = g_bookPath;
  // Qt has read the command line in the system's encoding; the number is code page 932.
  text_bytes::FillField(g_startNumber, StartNumberFrom(ToCp932(arguments.join(' '))));

  Prompter& prompter = context_.access.prompter;
  instanceLock_ = TakeInstanceLock(prompter);
  if (!instanceLock_) return false;
  g_adapterEnabled = OpenAdapterIfFree(prompter, context_.adapter, g_portIniPath);
  LoadBookAtStart(context_.access, context_.adapter, g_adapterEnabled == 1, g_exeDir);

  document_.SetTitle({});
  frame_ = std::make_unique<CMainFrame>(context_, document_);
  if (mainWindowPrompter_ != nullptr) mainWindowPrompter_->SetMainWindow(frame_.get());
  frame_->listView().OnInitialUpdate();
  frame_->setWindowTitle(MainCaption());
  frame_->show();
  // The tree takes the focus and its root becomes the first selection, so that every later
  // refresh lists the whole book until the user picks another node.
  frame_->treeView().setFocus();
  frame_->treeView().SelectRoot();

  EditStartNumberEntry();
  return true;
}

void CDudOdeApp::ExitInstance() {
  frame_.reset();
  instanceLock_.reset();
}
