#include "editorsettings/qt/editor1sheet.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <algorithm>

#include "editor/wrapoption.h"
#include "editorsettings/fontchoice.h"
#include "editorsettings/qt/fontlists.h"
#include "editorsettings/qt/pageutil.h"

namespace editorsettings::qt {

Editor1Sheet::Editor1Sheet(QWidget* parent) : QWidget(parent) {
  auto* grid = new QGridLayout(this);

  auto* fontBox = new QGroupBox(QStringLiteral("フォント"), this);
  auto* fl = new QGridLayout(fontBox);
  ComboBox_Font = new QComboBox(fontBox);
  ComboBox_Font->setMinimumWidth(170);
  SpinEdit_FontSize = Spin(kMinFontSize, kMaxFontSize, fontBox);
  SpinEdit_FontSize->setValue(kDefaultFontSize);
  Label_FontNotFound = new QLabel(fontBox);
  Label_FontNotFound->setStyleSheet(QStringLiteral("color: red"));
  CheckBox_WordWrap = new QCheckBox(QStringLiteral("文字を折り返す"), fontBox);
  fl->addWidget(ComboBox_Font, 0, 0);
  fl->addWidget(new QLabel(QStringLiteral("サイズ"), fontBox), 0, 1, Qt::AlignRight);
  fl->addWidget(SpinEdit_FontSize, 0, 2);
  fl->addWidget(Label_FontNotFound, 1, 0, 1, 3);
  fl->addWidget(CheckBox_WordWrap, 2, 0, 1, 3);
  fl->setColumnStretch(0, 1);
  // A chosen font is found: the note goes.
  connect(ComboBox_Font, &QComboBox::currentIndexChanged, this, [this](int i) {
    if (i >= 0) Label_FontNotFound->clear();
  });

  auto* wrapBox = new QGroupBox(QStringLiteral("文字の折り返しオプション"), this);
  auto* wl = new QGridLayout(wrapBox);
  SpinEdit_WrapByte = Spin(editor::TEditorWrapOption::kMinWrapByte, editor::TEditorWrapOption::kMaxWrapByte, wrapBox);
  SpinEdit_WrapByte->setValue(kDefaultWrapByte);
  CheckBox_WordBreak = new QCheckBox(QStringLiteral("英文ワードラップ"), wrapBox);
  Edit_FollowStr = new QLineEdit(wrapBox);
  Edit_LeadStr = new QLineEdit(wrapBox);
  Edit_PunctuationStr = new QLineEdit(wrapBox);
  Button_DefFollowStr = new QPushButton(QStringLiteral("デフォルト"), wrapBox);
  Button_DefLeadStr = new QPushButton(QStringLiteral("デフォルト"), wrapBox);
  Button_DefPunctuationStr = new QPushButton(QStringLiteral("デフォルト"), wrapBox);
  CheckBox_WidthWordWrap = new QCheckBox(QStringLiteral("右端で折り返し"), wrapBox);
  wl->addWidget(new QLabel(QStringLiteral("折り返し文字数（バイト数）"), wrapBox), 0, 0, 1, 2);
  wl->addWidget(SpinEdit_WrapByte, 0, 2);
  wl->addWidget(CheckBox_WordBreak, 1, 0, 1, 3);
  const std::pair<const char*, std::pair<QLineEdit*, QPushButton*>> rows[] = {
      {"行頭禁則文字", {Edit_FollowStr, Button_DefFollowStr}},
      {"行末禁則文字", {Edit_LeadStr, Button_DefLeadStr}},
      {"句読点", {Edit_PunctuationStr, Button_DefPunctuationStr}},
  };
  int r = 2;
  for (const auto& [label, pair] : rows) {
    wl->addWidget(new QLabel(U8(label), wrapBox), r, 0);
    wl->addWidget(pair.first, r, 1);
    wl->addWidget(pair.second, r, 2);
    pair.second->setAutoDefault(false);
    ++r;
  }
  wl->addWidget(CheckBox_WidthWordWrap, r, 0, 1, 3);
  wl->setColumnStretch(1, 1);
  connect(Button_DefFollowStr, &QPushButton::clicked, this,
          [this] { Edit_FollowStr->setText(FromCp932(editor::TEditorWrapOption::kDefaultFollowStr)); });
  connect(Button_DefLeadStr, &QPushButton::clicked, this,
          [this] { Edit_LeadStr->setText(FromCp932(editor::TEditorWrapOption::kDefaultLeadStr)); });
  connect(Button_DefPunctuationStr, &QPushButton::clicked, this,
          [this] { Edit_PunctuationStr->setText(FromCp932(editor::TEditorWrapOption::kDefaultPunctuationStr)); });

  auto* caretBox = new QGroupBox(this);
  auto* cl = new QGridLayout(caretBox);
  ComboBox_TabLength = new QComboBox(caretBox);
  for (int n : kTabLengths) ComboBox_TabLength->addItem(QString::number(n));
  CheckBox_FreeCaret = new QCheckBox(QStringLiteral("フリーキャレット"), caretBox);
  CheckBox_KeepCaret = new QCheckBox(QStringLiteral("キャレット位置記憶"), caretBox);
  CheckBox_AutoIndent = new QCheckBox(QStringLiteral("オートインデント"), caretBox);
  CheckBox_TabIndent = new QCheckBox(QStringLiteral("インデントをタブで挿入"), caretBox);
  CheckBox_BackSpaceUnIndent = new QCheckBox(QStringLiteral("BackSpaceキーでインデント解除"), caretBox);
  CheckBox_SoftTab = new QCheckBox(QStringLiteral("タブを空白に置き換え"), caretBox);
  cl->addWidget(new QLabel(QStringLiteral("タブ文字の長さ"), caretBox), 0, 0);
  cl->addWidget(ComboBox_TabLength, 0, 1);
  int cr = 1;
  for (QCheckBox* c : {CheckBox_FreeCaret, CheckBox_KeepCaret, CheckBox_AutoIndent, CheckBox_TabIndent,
                       CheckBox_BackSpaceUnIndent, CheckBox_SoftTab})
    cl->addWidget(c, cr++, 0, 1, 2);
  cl->setColumnStretch(2, 1);

  auto* marginBox = new QGroupBox(QStringLiteral("描画マージン"), this);
  auto* ml = new QGridLayout(marginBox);
  SpinEdit_MarginLeft = Spin(0, kMaxMargin, marginBox);
  SpinEdit_MarginTop = Spin(0, kMaxMargin, marginBox);
  SpinEdit_MarginCharacter = Spin(0, kMaxMargin, marginBox);
  SpinEdit_MarginLine = Spin(0, kMaxMargin, marginBox);
  const std::pair<const char*, QSpinBox*> margins[] = {{"左余白", SpinEdit_MarginLeft},
                                                       {"上余白", SpinEdit_MarginTop},
                                                       {"文字間隔", SpinEdit_MarginCharacter},
                                                       {"行間隔", SpinEdit_MarginLine}};
  int mr = 0;
  for (const auto& [label, spin] : margins) {
    ml->addWidget(new QLabel(U8(label), marginBox), mr / 2, (mr % 2) * 2);
    ml->addWidget(spin, mr / 2, (mr % 2) * 2 + 1);
    ++mr;
  }

  grid->addWidget(fontBox, 0, 0);
  grid->addWidget(wrapBox, 1, 0, 2, 1);
  grid->addWidget(caretBox, 0, 1, 2, 1);
  grid->addWidget(marginBox, 2, 1);
  grid->setRowStretch(3, 1);
}

void Editor1Sheet::Load(const EditorPageValues& v) {
  editor_fonts_ = EditorFontFamilies({FromCp932(v.fontName)});
  {
    const QSignalBlocker block(ComboBox_Font);
    ComboBox_Font->clear();
    ComboBox_Font->addItems(editor_fonts_);
  }
  const int font = FontIndex(Cp932List(editor_fonts_), v.fontName);
  ComboBox_Font->setCurrentIndex(font);
  Label_FontNotFound->setText(font < 0 ? FromCp932(v.fontName) + U8(kFontNotFoundSuffix) : QString());
  SpinEdit_FontSize->setValue(v.fontSize);
  CheckBox_WordWrap->setChecked(v.wordWrap);
  SpinEdit_WrapByte->setValue(v.wrapByte);
  CheckBox_WordBreak->setChecked(v.wordBreak);
  Edit_FollowStr->setText(FromCp932(v.followStr));
  Edit_LeadStr->setText(FromCp932(v.leadStr));
  Edit_PunctuationStr->setText(FromCp932(v.punctuationStr));
  ComboBox_TabLength->setCurrentIndex(TabLengthIndex(v.tabLength));
  CheckBox_FreeCaret->setChecked(v.freeCaret);
  CheckBox_KeepCaret->setChecked(v.keepCaret);
  CheckBox_AutoIndent->setChecked(v.autoIndent);
  CheckBox_TabIndent->setChecked(v.tabIndent);
  CheckBox_BackSpaceUnIndent->setChecked(v.backSpaceUnIndent);
  CheckBox_SoftTab->setChecked(v.softTab);
  SpinEdit_MarginLeft->setValue(v.marginLeft);
  SpinEdit_MarginTop->setValue(v.marginTop);
  SpinEdit_MarginCharacter->setValue(v.marginCharacter);
  SpinEdit_MarginLine->setValue(v.marginLine);
}

void Editor1Sheet::Read(EditorPageValues& v) const {
  if (ComboBox_Font->currentIndex() >= 0) v.fontName = ToCp932(ComboBox_Font->currentText());
  if (auto n = ReadNumber(SpinText(SpinEdit_FontSize)->text().toStdString()))
    v.fontSize = static_cast<int>(std::clamp<long long>(*n, kMinFontSize, kMaxFontSize));
  v.wordWrap = CheckBox_WordWrap->isChecked();
  if (auto n = ReadNumber(SpinText(SpinEdit_WrapByte)->text().toStdString()))
    v.wrapByte = static_cast<int>(
        std::clamp<long long>(*n, editor::TEditorWrapOption::kMinWrapByte, editor::TEditorWrapOption::kMaxWrapByte));
  v.wordBreak = CheckBox_WordBreak->isChecked();
  v.followStr = ToCp932(Edit_FollowStr->text());
  v.leadStr = ToCp932(Edit_LeadStr->text());
  v.punctuationStr = ToCp932(Edit_PunctuationStr->text());
  if (ComboBox_TabLength->currentIndex() >= 0)
    v.tabLength = kTabLengths[static_cast<size_t>(ComboBox_TabLength->currentIndex())];
  v.freeCaret = CheckBox_FreeCaret->isChecked();
  v.keepCaret = CheckBox_KeepCaret->isChecked();
  v.autoIndent = CheckBox_AutoIndent->isChecked();
  v.tabIndent = CheckBox_TabIndent->isChecked();
  v.backSpaceUnIndent = CheckBox_BackSpaceUnIndent->isChecked();
  v.softTab = CheckBox_SoftTab->isChecked();
  v.marginLeft = SpinEdit_MarginLeft->value();
  v.marginTop = SpinEdit_MarginTop->value();
  v.marginCharacter = SpinEdit_MarginCharacter->value();
  v.marginLine = SpinEdit_MarginLine->value();
}

void Editor1Sheet::FillValidation(ValidationInput& in) const {
  in.fontSelected = ComboBox_Font->currentIndex() >= 0;
  in.fontSizeText = SpinText(SpinEdit_FontSize)->text().toStdString();
  in.wrapByteText = SpinText(SpinEdit_WrapByte)->text().toStdString();
  in.tabLengthSelected = ComboBox_TabLength->currentIndex() >= 0;
}

}  // namespace editorsettings::qt
