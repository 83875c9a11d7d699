#include "gui/main_window/about_dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QVBoxLayout>

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("aboutDialog");
  setWindowTitle(QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
  auto* icon = new QLabel(this);
  icon->setObjectName("aboutIcon");
  icon->setPixmap(QIcon(QStringLiteral(":/icons/dudode.svg")).pixmap(32, 32));
  icon->setAccessibleName(QStringLiteral("DUDODE"));
  auto* version = new QLabel(QStringLiteral("DUDODE Version 1.02"), this);
  version->setObjectName("aboutVersion");
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  buttons->setObjectName("aboutButtons");
  buttons->setCenterButtons(false);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

  auto* row = new QHBoxLayout;
  row->addWidget(icon);
  row->addSpacing(12);
  row->addWidget(version, 1);
  row->addWidget(buttons, 0, Qt::AlignTop);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(row);
  setFixedSize(sizeHint().expandedTo(QSize(326, 90)));  // 217 x 55 dialog units
}
