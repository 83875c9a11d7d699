#include "gui/search/search_result_list.h"

#include <QHeaderView>

SearchResultList::SearchResultList(QWidget* parent) : RowTableView(parent) {
  setObjectName("resultList");
  setAccessibleName(QStringLiteral("検索結果"));
  horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

void SearchResultList::keyPressEvent(QKeyEvent* event) {
  const int before = currentIndex().row();
  RowTableView::keyPressEvent(event);
  if (currentIndex().isValid() && currentIndex().row() != before) {
    Q_EMIT rowPickedByKey(currentIndex().row());
  }
  Q_EMIT keyPressed();
}
