#include "gui/kana_tree/kana_tree.h"

#include <QHeaderView>
#include <QIcon>

#include "app/session.h"
#include "gui/list/book_list.h"
#include "gui/common/qt_text.h"
#include "index/kana_filter.h"
#include "index/kana_table.h"
#include "platform/text_bytes.h"

namespace {

// Each node keeps its text as code page 932 bytes, which is what the kana filter takes.
constexpr int kFilterTextRole = Qt::UserRole;
constexpr int kPlainKanaPerRow = 5;

}  // namespace

CTreeV::CTreeV(Session& session, BookListView& list, QWidget* parent)
    : QTreeWidget(parent), session_(session), list_(list) {
  setObjectName("kanaTree");
  setAccessibleName(QStringLiteral("かな索引"));
  setHeaderHidden(true);
  setColumnCount(1);
  setRootIsDecorated(true);
  setIconSize(QSize(16, 16));
  setIndentation(14);  // so the kana nodes fit the 100-pixel pane
  // A closed book, open when its node is selected.
  bookIcon_.addFile(QStringLiteral(":/icons/book-closed.svg"), QSize(16, 16), QIcon::Normal);
  bookIcon_.addFile(QStringLiteral(":/icons/book-open.svg"), QSize(16, 16), QIcon::Selected);
  Build();
  connect(this, &QTreeWidget::currentItemChanged, this,
          [this](QTreeWidgetItem* current) { OnCurrentItemChanged(current); });
}

void CTreeV::Build() {
  QTreeWidgetItem* root = AddNode(nullptr, kKanaRootText.data());
  for (int row = 0; row < kKanaRowCount; ++row) {
    QTreeWidgetItem* rowNode = AddNode(root, KanaRowNames[static_cast<std::size_t>(row)]);
    const auto& rowSlots = KanaRowTable[static_cast<std::size_t>(row)];
    for (int slot = 0; slot < kPlainKanaPerRow; ++slot) {
      const char* kana = rowSlots[static_cast<std::size_t>(slot)];
      if (IsKanaFiller(kana) || kana[0] == '\0' || kana[0] == ' ') break;
      AddNode(rowNode, kana);
    }
  }
  root->setExpanded(true);
}

QTreeWidgetItem* CTreeV::AddNode(QTreeWidgetItem* parent, const char* cp932Text) {
  auto* node = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
  node->setText(0, FromCp932(cp932Text));
  node->setData(0, kFilterTextRole, QByteArray(cp932Text));
  node->setIcon(0, bookIcon_);
  return node;
}

void CTreeV::SelectRoot() {
  setCurrentItem(topLevelItem(0));
}

void CTreeV::OnCurrentItemChanged(QTreeWidgetItem* current) {
  if (current == nullptr) return;  // only while the tree is being torn down
  const QByteArray text = current->data(0, kFilterTextRole).toByteArray();
  text_bytes::FillField(session_.kanaFilter,
                        std::string_view(text.constData(), static_cast<std::size_t>(text.size())));
  list_.RefreshList();
}
