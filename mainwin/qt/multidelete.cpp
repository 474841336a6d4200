#include "mainwin/qt/multidelete.h"

#include <QAction>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "codec/qt/qtcp932.h"

namespace mainwin::qt {

namespace {
constexpr int kWidth = 528;
constexpr int kHeight = 388;

QLabel* Text(QWidget* parent, const QString& text, int x, int y, int w) {
  auto* l = new QLabel(text, parent);
  l->setGeometry(x, y, w, 18);
  return l;
}
}  // namespace

TForm_MultiDelete1::TForm_MultiDelete1(QWidget* owner) : QDialog(owner) {
  setObjectName(QStringLiteral("Form_MultiDelete1"));
  setWindowTitle(QStringLiteral("複数削除モード"));
  setFixedSize(kWidth, kHeight);

  ListBox1 = new QListWidget(this);
  ListBox1->setObjectName(QStringLiteral("ListBox1"));
  ListBox1->setGeometry(8, 8, 230, kHeight - 16);
  ListBox1->setSelectionMode(QAbstractItemView::ExtendedSelection);
  connect(ListBox1, &QListWidget::itemSelectionChanged, this, &TForm_MultiDelete1::UpdateCounter);

  const int x = 250;
  const int w = kWidth - x - 8;
  Text(this, QStringLiteral("削除したい複数項目を選択し"), x, 12, w);
  Text(this, QStringLiteral("ＯＫボタンを押してください"), x, 32, w);
  QLabel* how = Text(this, QStringLiteral("リストボックスにおける複数選択方法"), x, 70, w);
  QFont underlined = how->font();
  underlined.setUnderline(true);
  how->setFont(underlined);
  Text(this, QStringLiteral("Shiftキーを押しながら選択すると連続選択"), x, 92, w);
  Text(this, QStringLiteral("Ctrlキーを押しながら選択すると追加選択"), x, 112, w);
  Text(this, QStringLiteral("現在の選択数"), x, 150, 90);
  Label_Counter = Text(this, QStringLiteral("0"), x + 96, 150, 60);
  Label_Counter->setObjectName(QStringLiteral("Label_Counter"));

  Button_SelectAll = new QPushButton(QStringLiteral("すべて選択"), this);
  Button_SelectAll->setGeometry(x, 180, 110, 26);
  Button_Invert = new QPushButton(QStringLiteral("選択反転"), this);
  Button_Invert->setGeometry(x + 120, 180, 110, 26);
  for (QPushButton* b : {Button_SelectAll, Button_Invert}) b->setAutoDefault(false);
  connect(Button_SelectAll, &QPushButton::clicked, this, &TForm_MultiDelete1::SelectAllEntries);
  connect(Button_Invert, &QPushButton::clicked, this, &TForm_MultiDelete1::InvertSelection);

  Text(this, QStringLiteral("選択項目をすべて削除します"), x, 262, w);
  Text(this, QStringLiteral("よく確認してからＯＫボタンを押してください"), x, 282, w);
  Button_OK = new QPushButton(QStringLiteral("OK"), this);
  Button_OK->setObjectName(QStringLiteral("Button_OK"));
  Button_OK->setGeometry(x, kHeight - 42, 110, 28);
  Button_Cancel = new QPushButton(QStringLiteral("キャンセル"), this);
  Button_Cancel->setObjectName(QStringLiteral("Button_Cancel"));
  Button_Cancel->setGeometry(x + 120, kHeight - 42, 110, 28);
  Button_OK->setDefault(true);
  connect(Button_OK, &QPushButton::clicked, this, &QDialog::accept);
  connect(Button_Cancel, &QPushButton::clicked, this, &QDialog::reject);

  Action_SelectAll = new QAction(QStringLiteral("すべてを選択(&A)"), this);
  Action_SelectAll->setShortcut(QKeySequence(QStringLiteral("Ctrl+A")));
  Action_SelectAll->setShortcutContext(Qt::WindowShortcut);
  connect(Action_SelectAll, &QAction::triggered, this, &TForm_MultiDelete1::SelectAllEntries);
  addAction(Action_SelectAll);
}

void TForm_MultiDelete1::SetNames(const std::vector<std::string>& names) {
  ListBox1->clear();
  for (const std::string& n : names) ListBox1->addItem(codec::qt::FromCp932(n));
  UpdateCounter();
}

std::vector<int> TForm_MultiDelete1::Selected() const {
  std::vector<int> out;
  for (int r = 0; r < ListBox1->count(); ++r)
    if (ListBox1->item(r)->isSelected()) out.push_back(r);
  return out;
}

void TForm_MultiDelete1::SelectAllEntries() {
  ListBox1->selectAll();
  UpdateCounter();
}

void TForm_MultiDelete1::InvertSelection() {
  if (ListBox1->count() == 0) return;
  const QModelIndex first = ListBox1->model()->index(0, 0);
  const QModelIndex last = ListBox1->model()->index(ListBox1->count() - 1, 0);
  ListBox1->selectionModel()->select(QItemSelection(first, last), QItemSelectionModel::Toggle);
  UpdateCounter();
}

void TForm_MultiDelete1::UpdateCounter() { Label_Counter->setText(QString::number(Selected().size())); }

QPoint TForm_MultiDelete1::PlaceFor(const QWidget* owner) {
  const QWidget* window = owner ? owner->window() : nullptr;
  return window ? window->frameGeometry().topLeft() + QPoint(30, 60) : QPoint(30, 60);
}

bool TForm_MultiDelete1::Run(QWidget* owner, const std::vector<std::string>& names, std::vector<int>& selected) {
  TForm_MultiDelete1 dialog(owner);
  dialog.SetNames(names);
  dialog.move(PlaceFor(owner));
  const bool ok = dialog.exec() == QDialog::Accepted;
  selected = dialog.Selected();
  return ok && !selected.empty();
}

}  // namespace mainwin::qt
