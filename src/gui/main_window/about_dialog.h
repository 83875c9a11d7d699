// The About box: the program's icon, its name and version, and OK.
#pragma once

#include <QDialog>

class AboutDialog final : public QDialog {
  Q_OBJECT

 public:
  explicit AboutDialog(QWidget* parent = nullptr);
};
