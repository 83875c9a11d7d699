// CTreeV: the kana index in the main window's left pane. The root stands for the whole
// book, under it one node per kana row and under each row its plain kana; selecting a node
// narrows the phone-book list to the readings it stands for.
#pragma once

#include <QIcon>
#include <QTreeWidget>

class BookListView;
struct Session;

class CTreeV final : public QTreeWidget {
  Q_OBJECT

 public:
  // A selection writes its text into the session's kana filter and refreshes `list`.
  CTreeV(Session& session, BookListView& list, QWidget* parent = nullptr);

  // Selects the root, so that the kana filter lists the whole book from the start.
  void SelectRoot();

 private:
  void Build();
  QTreeWidgetItem* AddNode(QTreeWidgetItem* parent, const char* cp932Text);
  void OnCurrentItemChanged(QTreeWidgetItem* current);

  Session& session_;
  BookListView& list_;
  QIcon bookIcon_;
};
