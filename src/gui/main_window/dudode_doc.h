// CDudOdeDoc: the document of the main window. It holds no data (the book is the one
// PhoneBook, saved through the Save command), is never modified, and its title is always
// "- 電話帳", whatever name it is offered.
#pragma once

#include <QString>

class CDudOdeDoc {
 public:
  static QString FixedTitle() { return QStringLiteral("- 電話帳"); }

  void SetTitle(const QString& /*offered*/) { title_ = FixedTitle(); }
  const QString& Title() const { return title_; }
  bool IsModified() const { return false; }

 private:
  QString title_ = FixedTitle();
};
