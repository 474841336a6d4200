#include "mainwin/qt/aboutbox.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include "mainwin/qt/actionicons.h"

namespace mainwin::qt {

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("AboutBox"));
  setWindowTitle(QStringLiteral("バージョン情報"));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setFixedSize(298, 178);

  Panel1 = new QWidget(this);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Panel1->setGeometry(8, 8, 282, 122);
  Panel1->setAutoFillBackground(true);
  QPalette navy = Panel1->palette();
  navy.setColor(QPalette::Window, QColor(0, 0, 128));
  navy.setColor(QPalette::WindowText, Qt::white);
  Panel1->setPalette(navy);

  ProgramIcon = new QLabel(Panel1);
  ProgramIcon->setGeometry(14, 14, 32, 32);
  ProgramIcon->setPixmap(ProgramIconPixmap(32));

  ProductName = new QLabel(QStringLiteral("ソラメtext"), Panel1);
  ProductName->setGeometry(64, 14, 200, 32);
  QFont big = ProductName->font();
  big.setPixelSize(22);
  big.setBold(true);
  ProductName->setFont(big);

  VersionLabel = new QLabel(QStringLiteral("ver"), Panel1);
  VersionLabel->setGeometry(64, 60, 30, 18);
  Version = new QLabel(QStringLiteral(SORAMETEXT_VERSION), Panel1);
  Version->setGeometry(98, 60, 80, 18);
  DateLabel = new QLabel(QStringLiteral("2010/1/24"), Panel1);
  DateLabel->setGeometry(64, 86, 120, 18);

  OKButton = new QPushButton(QStringLiteral("OK"), this);
  OKButton->setGeometry(109, 140, 80, 28);
  OKButton->setDefault(true);
  connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
}

void TAboutBox::Run(QWidget* parent) {
  TAboutBox box(parent);
  if (QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen()) {
    const QRect avail = screen->availableGeometry();
    box.move(avail.center() - QPoint(box.width() / 2, box.height() / 2));
  }
  box.exec();
}

}  // namespace mainwin::qt
