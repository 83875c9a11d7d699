// The application object: the start of the program (the program folder, the start number,
// the one-copy rule, the adapter, the book, the main window) and its end.
#pragma once

#include <QStringList>
#include <memory>
#include <string>

#include "book/phone_book.h"
#include "gui/main_window/app_context.h"
#include "gui/main_window/dudode_doc.h"

class AdapterLibrary;
class CallDirLibrary;
class CMainFrame;
class MessageBoxPrompter;
class NamedMutex;
class Prompter;

class CDudOdeApp {
 public:
  // `mainWindowPrompter`, when given, is told the main window once it exists, so that the
  // main window owns its message boxes.
  CDudOdeApp(CallDirLibrary& callDir, AdapterLibrary& adapter, Prompter& prompter,
             MessageBoxPrompter* mainWindowPrompter = nullptr);
  ~CDudOdeApp();

  // Runs the start in order. False when the program is to end without a window (another
  // copy runs). `arguments` are the words after the program's name.
  bool InitInstance(const QStringList& arguments);

  // Releases the one-copy lock; the adapter was closed with the main window.
  void ExitInstance();

  CMainFrame* mainFrame() const { return frame_.get(); }
  PhoneBook& book() { return book_; }

  // The caption of the main window.
  static QString MainCaption() { return QStringLiteral("- 電話帳 -"); }

 private:
  PhoneBook book_;
  AppContext context_;
  std::string startNumber_;  // the command line's number (code page 932), used once
  MessageBoxPrompter* mainWindowPrompter_;
  CDudOdeDoc document_;
  std::unique_ptr<NamedMutex> instanceLock_;
  std::unique_ptr<CMainFrame> frame_;
};
