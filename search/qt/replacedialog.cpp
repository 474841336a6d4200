// TReplaceDialog: the replace dialog.
#include "search/qt/replacedialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "codec/qt/qtcp932.h"

namespace search::qt {

using codec::qt::FromCp932;
using codec::qt::ToCp932;

TReplaceDialog::TReplaceDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("ReplaceDialog");
  setWindowTitle(QStringLiteral("置換"));
  setModal(false);
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

  auto* findLabel = new QLabel(QStringLiteral("検索する文字列(&N):"), this);
  Edit_FindText = new QLineEdit(this);
  findLabel->setBuddy(Edit_FindText);
  auto* replaceLabel = new QLabel(QStringLiteral("置換後の文字列(&P):"), this);
  Edit_ReplaceText = new QLineEdit(this);
  replaceLabel->setBuddy(Edit_ReplaceText);

  CheckBox_WholeWord = new QCheckBox(QStringLiteral("単語単位で探す(&W)"), this);
  CheckBox_MatchCase = new QCheckBox(QStringLiteral("大文字と小文字を区別する(&C)"), this);
  auto* direction = new QGroupBox(QStringLiteral("方向"), this);
  RadioButton_Up = new QRadioButton(QStringLiteral("上へ(&U)"), direction);
  RadioButton_Down = new QRadioButton(QStringLiteral("下へ(&D)"), direction);
  RadioButton_Down->setChecked(true);
  auto* directionLayout = new QHBoxLayout(direction);
  directionLayout->addWidget(RadioButton_Up);
  directionLayout->addWidget(RadioButton_Down);

  Button_FindNext = new QPushButton(QStringLiteral("次を検索(&F)"), this);
  Button_FindNext->setDefault(true);
  Button_Replace = new QPushButton(QStringLiteral("置換して次に(&R)"), this);
  Button_ReplaceAll = new QPushButton(QStringLiteral("すべて置換(&A)"), this);
  Button_Close = new QPushButton(QStringLiteral("閉じる"), this);
  connect(Button_FindNext, &QPushButton::clicked, this, [this] { emit buttonPressed(ReplaceButton::FindNext); });
  connect(Button_Replace, &QPushButton::clicked, this, [this] { emit buttonPressed(ReplaceButton::Replace); });
  connect(Button_ReplaceAll, &QPushButton::clicked, this, [this] { emit buttonPressed(ReplaceButton::ReplaceAll); });
  // Closing only hides: the dialog belongs to the main window and keeps its choices.
  connect(Button_Close, &QPushButton::clicked, this, &TReplaceDialog::reject);
  connect(Edit_FindText, &QLineEdit::textChanged, this, [this] { UpdateButtons(); });

  auto* fields = new QGridLayout;
  fields->addWidget(findLabel, 0, 0);
  fields->addWidget(Edit_FindText, 0, 1);
  fields->addWidget(replaceLabel, 1, 0);
  fields->addWidget(Edit_ReplaceText, 1, 1);
  auto* left = new QVBoxLayout;
  left->addLayout(fields);
  left->addWidget(CheckBox_WholeWord);
  left->addWidget(CheckBox_MatchCase);
  left->addWidget(direction);
  left->addStretch(1);
  auto* buttons = new QVBoxLayout;
  for (QPushButton* b : {Button_FindNext, Button_Replace, Button_ReplaceAll, Button_Close}) buttons->addWidget(b);
  buttons->addStretch(1);
  auto* top = new QHBoxLayout(this);
  top->addLayout(left, 1);
  top->addLayout(buttons);
  Edit_FindText->setMinimumWidth(220);
  top->setSizeConstraint(QLayout::SetFixedSize);
  UpdateButtons();
}

void TReplaceDialog::SetTexts(const std::string& findText, const std::string& replaceText) {
  Edit_FindText->setText(FromCp932(findText));
  Edit_ReplaceText->setText(FromCp932(replaceText));
  Edit_FindText->selectAll();
  UpdateButtons();
}

ReplaceDialogValues TReplaceDialog::Values() const {
  ReplaceDialogValues v;
  v.FindText = ToCp932(Edit_FindText->text());
  v.ReplaceText = ToCp932(Edit_ReplaceText->text());
  v.MatchCase = CheckBox_MatchCase->isChecked();
  v.WholeWord = CheckBox_WholeWord->isChecked();
  v.Down = RadioButton_Down->isChecked();
  return v;
}

void TReplaceDialog::UpdateButtons() {
  // Nothing to look for: the three search buttons wait for a text.
  const bool any = !Edit_FindText->text().isEmpty();
  Button_FindNext->setEnabled(any);
  Button_Replace->setEnabled(any);
  Button_ReplaceAll->setEnabled(any);
}

}  // namespace search::qt
