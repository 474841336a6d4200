#include "editorsettings/qt/timestampsheet.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

#include "editorsettings/qt/pageutil.h"
#include "store/settings.h"

namespace editorsettings::qt {

TimeStampSheet::TimeStampSheet(TimeStampFormats& stamps, const std::function<DateTime()>& clock, QWidget* parent)
    : QWidget(parent), stamps_(stamps), clock_(clock) {
  auto* g = new QGridLayout(this);
  g->addWidget(new QLabel(QStringLiteral("（参考：デフォルト表示の設定）"), this), 0, 0, 1, 2);
  ListBox_DefTimeStamp = new QListWidget(this);
  ListBox_DefTimeResult = new QListWidget(this);
  for (QListWidget* l : {ListBox_DefTimeStamp, ListBox_DefTimeResult}) {
    l->setSelectionMode(QAbstractItemView::NoSelection);
    l->setFocusPolicy(Qt::NoFocus);
  }
  g->addWidget(ListBox_DefTimeStamp, 1, 0);
  g->addWidget(ListBox_DefTimeResult, 1, 1);

  ListBox_TimeStamp = new QListWidget(this);
  ListBox_TimeResult = new QListWidget(this);
  g->addWidget(ListBox_TimeStamp, 3, 0);
  g->addWidget(ListBox_TimeResult, 3, 1);
  connect(ListBox_TimeStamp, &QListWidget::currentRowChanged, this, &TimeStampSheet::TimeStampSelected);
  connect(ListBox_TimeResult, &QListWidget::currentRowChanged, this, &TimeStampSheet::TimeStampSelected);

  auto* input = new QGridLayout;
  Edit_TimeStamp = new QLineEdit(this);
  Label_TimeResult = new QLabel(this);
  Label_TimeResult->setFrameShape(QFrame::StyledPanel);
  Label_TimeResult->setMinimumHeight(22);
  input->addWidget(new QLabel(QStringLiteral("ここに入力"), this), 0, 0);
  input->addWidget(Edit_TimeStamp, 0, 1);
  input->addWidget(new QLabel(QStringLiteral("表示結果"), this), 1, 0);
  input->addWidget(Label_TimeResult, 1, 1);
  auto* buttons = new QHBoxLayout;
  Button_TimeAdd = new QPushButton(QStringLiteral("追加"), this);
  Button_TimeChange = new QPushButton(QStringLiteral("変更"), this);
  Button_TimeDelete = new QPushButton(QStringLiteral("削除"), this);
  for (QPushButton* p : {Button_TimeAdd, Button_TimeChange, Button_TimeDelete}) {
    p->setAutoDefault(false);
    buttons->addWidget(p);
  }
  buttons->addStretch(1);
  input->addLayout(buttons, 2, 1);
  g->addLayout(input, 4, 0, 1, 2);
  connect(Edit_TimeStamp, &QLineEdit::textChanged, this, [this](const QString& t) {
    Label_TimeResult->setText(t.isEmpty() ? QString() : FromCp932(FormatDateTime(ToCp932(t), clock_())));
    UpdateTimeStampButtons();
  });
  connect(Button_TimeAdd, &QPushButton::clicked, this, [this] {
    if (stamps_.Add(ToCp932(Edit_TimeStamp->text()))) FillTimeStampLists();
  });
  connect(Button_TimeChange, &QPushButton::clicked, this, [this] {
    if (stamps_.Change(ToCp932(Edit_TimeStamp->text()))) FillTimeStampLists();
  });
  connect(Button_TimeDelete, &QPushButton::clicked, this, [this] {
    if (stamps_.Delete()) FillTimeStampLists();
  });
}

void TimeStampSheet::Load() {
  const DateTime now = clock_();
  ListBox_DefTimeStamp->clear();
  ListBox_DefTimeResult->clear();
  for (const std::string& f : store::BuiltInTimeStampFormats()) {
    ListBox_DefTimeStamp->addItem(FromCp932(f));
    ListBox_DefTimeResult->addItem(FromCp932(FormatDateTime(f, now)));
  }
  FillTimeStampLists();
  Edit_TimeStamp->clear();
  UpdateTimeStampButtons();
}

void TimeStampSheet::FillTimeStampLists() {
  const DateTime now = clock_();
  {
    const QSignalBlocker b1(ListBox_TimeStamp), b2(ListBox_TimeResult);
    ListBox_TimeStamp->clear();
    ListBox_TimeResult->clear();
    for (const std::string& f : stamps_.Formats()) {
      ListBox_TimeStamp->addItem(FromCp932(f));
      ListBox_TimeResult->addItem(FromCp932(FormatDateTime(f, now)));
    }
    ListBox_TimeStamp->setCurrentRow(stamps_.Selected());
    ListBox_TimeResult->setCurrentRow(stamps_.Selected());
  }
  UpdateTimeStampButtons();
}

void TimeStampSheet::TimeStampSelected(int row) {
  stamps_.Select(row);
  const QSignalBlocker b1(ListBox_TimeStamp), b2(ListBox_TimeResult);
  ListBox_TimeStamp->setCurrentRow(stamps_.Selected());
  ListBox_TimeResult->setCurrentRow(stamps_.Selected());
  UpdateTimeStampButtons();
}

void TimeStampSheet::UpdateTimeStampButtons() {
  const std::string typed = ToCp932(Edit_TimeStamp->text());
  Button_TimeAdd->setEnabled(stamps_.CanAdd(typed));
  Button_TimeChange->setEnabled(stamps_.CanChange(typed));
  Button_TimeDelete->setEnabled(stamps_.CanDelete());
}

}  // namespace editorsettings::qt
