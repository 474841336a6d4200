// The About box ("バージョン情報"): program icon, name, version and date on a navy panel.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace mainwin::qt {

class TAboutBox : public QDialog {
  Q_OBJECT

 public:
  explicit TAboutBox(QWidget* parent = nullptr);

  // Shows the box modally, centred on the screen, and releases it afterwards.
  static void Run(QWidget* parent);

  QWidget* Panel1 = nullptr;
  QLabel* ProgramIcon = nullptr;
  QLabel* ProductName = nullptr;
  QLabel* VersionLabel = nullptr;
  QLabel* Version = nullptr;
  QLabel* DateLabel = nullptr;
  QPushButton* OKButton = nullptr;
};

}  // namespace mainwin::qt
