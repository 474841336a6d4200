// TFormSearch: the find dialog.
#include "search/qt/formsearch.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>

#include "codec/qt/qtcp932.h"

namespace search::qt {

using codec::qt::FromCp932;
using codec::qt::ToCp932;

namespace {

constexpr TSearchOptions kBreaksAndSpaces = soIgnoreLineBreaks | soIgnoreSpaces;

}  // namespace

TFormSearch::TFormSearch(QWidget* parent) : QDialog(parent) {
  setObjectName("FormSearch");
  setWindowTitle(QStringLiteral("検索"));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

  auto* textLabel = new QLabel(QStringLiteral("検索する文字列(&T):"), this);
  Edit_Text = new QLineEdit(this);
  Edit_Text->setObjectName("Edit_Text");
  textLabel->setBuddy(Edit_Text);
  auto* historyLabel = new QLabel(QStringLiteral("履歴"), this);
  ListBox_History = new QListWidget(this);
  ListBox_History->setObjectName("ListBox_History");
  historyLabel->setBuddy(ListBox_History);
  connect(ListBox_History, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { Edit_Text->setText(item->text()); });

  auto* direction = new QGroupBox(QStringLiteral(" 検索方向 "), this);
  RadioButton_Backward = new QRadioButton(QStringLiteral("後方(&B)"), direction);
  RadioButton_Forward = new QRadioButton(QStringLiteral("前方(&D)"), direction);
  auto* directionLayout = new QVBoxLayout(direction);
  directionLayout->addWidget(RadioButton_Backward);
  directionLayout->addWidget(RadioButton_Forward);
  RadioButton_Forward->setChecked(true);

  auto* options = new QGroupBox(QStringLiteral(" ｵﾌﾟｼｮﾝ "), this);
  CheckBox_MatchCase = new QCheckBox(QStringLiteral("大/小文字の区別(&C)"), options);
  CheckBox_WholeWord = new QCheckBox(QStringLiteral("単語単位で探す(&W)"), options);
  CheckBox_IgnoreWidth = new QCheckBox(QStringLiteral("全角・半角を区別しない(&Z)"), options);
  CheckBox_IgnoreBreaks = new QCheckBox(QStringLiteral("改行・スペースを無視(&L)"), options);
  auto* optionsLayout = new QVBoxLayout(options);
  for (QCheckBox* box : {CheckBox_MatchCase, CheckBox_WholeWord, CheckBox_IgnoreWidth, CheckBox_IgnoreBreaks})
    optionsLayout->addWidget(box);

  auto* range = new QGroupBox(QStringLiteral("検索範囲"), this);
  auto* rangeLayout = new QVBoxLayout(range);
  range_group_ = new QButtonGroup(this);
  const QString rangeTexts[4] = {QStringLiteral("開いているアイテム"), QStringLiteral("グループ内の全アイテム"),
                                 QStringLiteral("すべてのアイテム"), QStringLiteral("グループ・アイテム名")};
  for (int i = 0; i < 4; ++i) {
    RadioButton_Range[i] = new QRadioButton(rangeTexts[i], range);
    range_group_->addButton(RadioButton_Range[i], i);
    rangeLayout->addWidget(RadioButton_Range[i]);
  }
  RadioButton_Range[srOpenItem]->setChecked(true);

  Button_OK = new QPushButton(QStringLiteral("OK"), this);
  Button_OK->setDefault(true);
  Button_Cancel = new QPushButton(QStringLiteral("キャンセル"), this);
  connect(Button_OK, &QPushButton::clicked, this, &TFormSearch::accept);
  connect(Button_Cancel, &QPushButton::clicked, this, &TFormSearch::reject);

  auto* left = new QVBoxLayout;
  left->addWidget(textLabel);
  left->addWidget(Edit_Text);
  left->addWidget(historyLabel);
  left->addWidget(ListBox_History, 1);
  auto* groups = new QHBoxLayout;
  groups->addWidget(direction);
  groups->addWidget(options);
  groups->addWidget(range);
  left->addLayout(groups);
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(Button_OK);
  buttons->addWidget(Button_Cancel);
  buttons->addStretch(1);
  auto* top = new QHBoxLayout(this);
  top->addLayout(left, 1);
  top->addLayout(buttons);
  ListBox_History->setMinimumHeight(120);
  top->setSizeConstraint(QLayout::SetFixedSize);
}

void TFormSearch::SetValues(const FindDialogValues& values, const std::vector<std::string>& history) {
  Edit_Text->setText(FromCp932(values.Text));
  ListBox_History->clear();
  for (const auto& h : history) ListBox_History->addItem(FromCp932(h));
  const bool backward = (values.Options & soBackward) != 0;
  RadioButton_Backward->setChecked(backward);
  RadioButton_Forward->setChecked(!backward);
  CheckBox_MatchCase->setChecked((values.Options & soMatchCase) != 0);
  CheckBox_WholeWord->setChecked((values.Options & soWholeWord) != 0);
  CheckBox_IgnoreWidth->setChecked((values.Options & soIgnoreWidth) != 0);
  CheckBox_IgnoreBreaks->setChecked((values.Options & kBreaksAndSpaces) == kBreaksAndSpaces);
  const int r = values.SearchRange >= srOpenItem && values.SearchRange <= srNames ? values.SearchRange : srOpenItem;
  RadioButton_Range[r]->setChecked(true);
}

FindDialogValues TFormSearch::Values() const {
  FindDialogValues v;
  v.Text = ToCp932(Edit_Text->text());
  TSearchOptions o = RadioButton_Backward->isChecked() ? soBackward : soForward;
  if (CheckBox_MatchCase->isChecked()) o |= soMatchCase;
  if (CheckBox_WholeWord->isChecked()) o |= soWholeWord;
  if (CheckBox_IgnoreWidth->isChecked()) o |= soIgnoreWidth;
  if (CheckBox_IgnoreBreaks->isChecked()) o |= kBreaksAndSpaces;
  v.Options = o;
  v.SearchRange = range_group_->checkedId() < 0 ? srOpenItem : range_group_->checkedId();
  return v;
}

void TFormSearch::accept() {
  if (Edit_Text->text().isEmpty()) {
    QMessageBox::critical(this, QStringLiteral("KANATA"), QStringLiteral("検索文字を入力してください"));
    Edit_Text->setFocus();
    return;
  }
  QDialog::accept();
}

void TFormSearch::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // Centred on the screen, not on the main window.
  QScreen* s = screen() != nullptr ? screen() : QGuiApplication::primaryScreen();
  if (s != nullptr) {
    QRect frame = frameGeometry();
    frame.moveCenter(s->availableGeometry().center());
    move(frame.topLeft());
  }
  Edit_Text->setFocus();
  Edit_Text->selectAll();
}

bool RunFindDialog(QWidget* parent, FindDialogValues& values, const std::vector<std::string>& history) {
  TFormSearch form(parent);
  form.SetValues(values, history);
  if (form.exec() != QDialog::Accepted) return false;
  values = form.Values();
  return true;
}

}  // namespace search::qt
