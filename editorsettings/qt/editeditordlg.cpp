#include "editorsettings/qt/editeditordlg.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QKeySequenceEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <stdexcept>

#include "codec/cp932.h"
#include "editor/qt/editorfont.h"
#include "editor/qt/oleddeditor.h"
#include "editor/wrapoption.h"
#include "editorsettings/fontchoice.h"
#include "editorsettings/qt/colorwidgets.h"
#include "editorsettings/qt/fontlists.h"
#include "editorsettings/qt/samplelist.h"
#include "editorsettings/qt/settingsboxes.h"
#include "mainwin/actions.h"
#include "mainwin/layout.h"
#include "store/settings.h"

namespace editorsettings::qt {

namespace {

QString FromCp932(std::string_view s) { return QString::fromStdU16String(codec::Cp932ToUtf16(s)); }
std::string ToCp932(const QString& s) {
  return codec::Utf16ToCp932(
             std::u16string_view(reinterpret_cast<const char16_t*>(s.utf16()), static_cast<size_t>(s.size())))
      .bytes;
}
QString U8(const char* s) { return QString::fromUtf8(s); }
QString U8(const std::string& s) { return QString::fromStdString(s); }
// Message texts use CR LF; a label breaks on LF alone.
QString MessageText(const char* s) { return U8(s).replace(QStringLiteral("\r\n"), QStringLiteral("\n")); }

std::vector<std::string> Cp932List(const QStringList& l) {
  std::vector<std::string> v;
  v.reserve(static_cast<size_t>(l.size()));
  for (const QString& s : l) v.push_back(ToCp932(s));
  return v;
}

QSpinBox* Spin(int min, int max, QWidget* parent) {
  auto* s = new QSpinBox(parent);
  s->setRange(min, max);
  s->setAccelerated(true);
  return s;
}

// The spin's own text field (what the user typed, before Qt corrects it on leaving).
QLineEdit* SpinText(QSpinBox* s) { return s->findChild<QLineEdit*>(); }

// A stored shortcut text as the hot-key field writes it; "" for none or an unknown key.
std::string CanonicalShortcut(const std::string& text) {
  const QKeySequence seq =
      QKeySequence::fromString(U8(mainwin::ParsableShortcutText(text)), QKeySequence::PortableText);
  if (seq.isEmpty()) return {};
  for (int k = 0; k < seq.count(); ++k)
    if (seq[k].key() == Qt::Key_unknown) return {};
  return seq.toString(QKeySequence::PortableText).toStdString();
}

// A small picture of a list arrangement: the list pane and its two lists beside the editor.
QIcon ViewTypeIcon(int viewType) {
  const mainwin::ListArrangement a = mainwin::ArrangementOf(viewType);
  QPixmap pm(40, 30);
  pm.fill(Qt::white);
  QPainter p(&pm);
  p.setPen(Qt::black);
  p.drawRect(0, 0, 39, 29);
  const QRect pane = a.paneOnTop ? QRect(1, 1, 38, 12) : QRect(1, 1, 14, 28);
  const QColor groups(0x7F, 0xB2, 0xE5), items(0xB2, 0xE5, 0x7F);
  QRect g = pane, i = pane;
  if (a.listsSideBySide) {
    g.setWidth(pane.width() / 2);
    i.setLeft(g.right() + 1);
  } else {
    g.setHeight(pane.height() / 2);
    i.setTop(g.bottom() + 1);
  }
  p.fillRect(g, groups);
  p.fillRect(i, items);
  p.drawRect(g.adjusted(0, 0, -1, -1));
  p.drawRect(i.adjusted(0, 0, -1, -1));
  // The editor's rows.
  const QRect ed = a.paneOnTop ? QRect(3, 16, 34, 12) : QRect(18, 3, 19, 25);
  p.setPen(QColor(0x80, 0x80, 0x80));
  for (int y = ed.top() + 2; y < ed.bottom(); y += 4) p.drawLine(ed.left(), y, ed.right() - (y % 3) * 3, y);
  return QIcon(pm);
}

QIcon Swatch(const QColor& c) {
  QPixmap pm(14, 14);
  pm.fill(c);
  QPainter p(&pm);
  p.setPen(Qt::black);
  p.drawRect(0, 0, 13, 13);
  return QIcon(pm);
}

constexpr int kAbortResult = 2;

}  // namespace

// ---- construction

TEditEditorDlg::TEditEditorDlg(SettingsHost& host, SettingsBoxes* boxes, QWidget* parent)
    : QDialog(parent), host_(host), boxes_(boxes) {
  CheckColorEntryNames(FixedColorEntryNames());
  if (!boxes_) {
    own_boxes_ = std::make_unique<SettingsBoxes>();
    boxes_ = own_boxes_.get();
  }
  editor::qt::InstallFontSubstitutions();
  QFont dialogFont(QStringLiteral("ＭＳ Ｐゴシック"));
  dialogFont.setPixelSize(12);
  setFont(dialogFont);
  setWindowTitle(U8(kGlobalCaption));
  setModal(true);
  BuildControls();
}

TEditEditorDlg::~TEditEditorDlg() = default;

QColor TEditEditorDlg::ViewPanelColor() { return ToQColor(0xD6ACFF, nullptr); }

void TEditEditorDlg::BuildControls() {
  auto* root = new QVBoxLayout(this);
  PageControl = new QTabWidget(this);
  TabSheet_Editor1 = BuildEditor1();
  TabSheet_Editor2 = BuildEditor2();
  TabSheet_Editor3 = BuildEditor3();
  TabSheet_ListBox = BuildListBox();
  TabSheet_TimeStamp = BuildTimeStamp();
  TabSheet_etc1 = BuildEtc();
  PageControl->addTab(TabSheet_Editor1, QStringLiteral("エディタ設定１"));
  PageControl->addTab(TabSheet_Editor2, QStringLiteral("エディタ設定２"));
  PageControl->addTab(TabSheet_Editor3, QStringLiteral("エディタ設定３"));
  PageControl->addTab(TabSheet_ListBox, QStringLiteral("リストボックス"));
  PageControl->addTab(TabSheet_TimeStamp, QStringLiteral("タイムスタンプ"));
  PageControl->addTab(TabSheet_etc1, QStringLiteral("その他の設定"));
  root->addWidget(PageControl);
  connect(PageControl, &QTabWidget::currentChanged, this, &TEditEditorDlg::PageChanged);

  OleddEditor_Prev = new editor::qt::TOleddEditor(this);
  OleddEditor_Prev->setObjectName(QStringLiteral("OleddEditor_Prev"));
  OleddEditor_Prev->setFixedHeight(132);
  OleddEditor_Prev->Model().SetText(PreviewText());
  root->addWidget(OleddEditor_Prev);

  auto* buttons = new QHBoxLayout;
  Button_mrAbort = new QPushButton(QStringLiteral("グループ独自の設定を無効にする"), this);
  Button_mrAbort->setAutoDefault(false);
  Button_mrAbort->hide();
  buttons->addWidget(Button_mrAbort);
  buttons->addStretch(1);
  Button_OK = new QPushButton(QStringLiteral("登録"), this);
  Button_OK->setDefault(true);
  Button_Cancel = new QPushButton(QStringLiteral("キャンセル"), this);
  Button_Cancel->setAutoDefault(false);
  for (QPushButton* b : {Button_OK, Button_Cancel}) b->setMinimumWidth(88);
  buttons->addWidget(Button_OK);
  buttons->addWidget(Button_Cancel);
  root->addLayout(buttons);
  connect(Button_OK, &QPushButton::clicked, this, &TEditEditorDlg::OkClicked);
  connect(Button_Cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(Button_mrAbort, &QPushButton::clicked, this, &TEditEditorDlg::AbortClicked);
}

QWidget* TEditEditorDlg::BuildEditor1() {
  auto* page = new QWidget;
  auto* grid = new QGridLayout(page);

  auto* fontBox = new QGroupBox(QStringLiteral("フォント"), page);
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

  auto* wrapBox = new QGroupBox(QStringLiteral("文字の折り返しオプション"), page);
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

  auto* caretBox = new QGroupBox(page);
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

  auto* marginBox = new QGroupBox(QStringLiteral("描画マージン"), page);
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
  return page;
}

QWidget* TEditEditorDlg::BuildEditor2() {
  auto* page = new QWidget;
  auto* h = new QHBoxLayout(page);
  auto* marks = new QVBoxLayout;
  const char* const names[kMarkBoxCount] = {"改行文字表示",   "折り返し表示",
                                            "文末表示",       "メールアドレス強調表示",
                                            "ＵＲＬ強調表示", "キャレットのある行を下線表示",
                                            "ルーラー表示",   "行数表示",
                                            "ゼロから数える", "論理行で表示"};
  for (int k = 0; k < kMarkBoxCount; ++k) {
    auto* box = new QCheckBox(U8(names[k]), page);
    CheckBox_Mark[static_cast<size_t>(k)] = box;
    // "ゼロから数える" and "論理行で表示" belong to "行数表示".
    if (k == static_cast<int>(MarkBox::ZeroBase) || k == static_cast<int>(MarkBox::LogicalLines)) {
      auto* indented = new QHBoxLayout;
      indented->addSpacing(18);
      indented->addWidget(box);
      marks->addLayout(indented);
    } else {
      marks->addWidget(box);
    }
    connect(box, &QCheckBox::toggled, this, [this, k](bool on) { MarkToggled(static_cast<MarkBox>(k), on); });
  }
  marks->addStretch(1);
  h->addLayout(marks);

  auto* colourBox = new QGroupBox(QStringLiteral("文字表示の設定"), page);
  auto* g = new QGridLayout(colourBox);
  ListBox_Color = new QListWidget(colourBox);
  ListBox_Color->setMinimumWidth(230);
  g->addWidget(new QLabel(QStringLiteral("色設定"), colourBox), 0, 0);
  g->addWidget(ListBox_Color, 1, 0, 4, 1);
  auto* hint = new QLabel(QStringLiteral("（クリックで描画色、右クリックで背景色）"), colourBox);
  g->addWidget(hint, 0, 1, 1, 2);
  ColorGrid1 = new ColorGrid(colourBox);
  g->addWidget(ColorGrid1, 1, 1, Qt::AlignTop);
  auto* styles = new QVBoxLayout;
  const char* const styleNames[4] = {"太字", "斜体", "下線", "打ち消し線"};
  const uint8_t bits[4] = {store::fsBold, store::fsItalic, store::fsUnderline, store::fsStrikeOut};
  for (int k = 0; k < 4; ++k) {
    auto* c = new QCheckBox(U8(styleNames[k]), colourBox);
    CheckBox_Style[static_cast<size_t>(k)] = c;
    styles->addWidget(c);
    const int bit = bits[k];
    connect(c, &QCheckBox::toggled, this, [this, bit](bool on) { StyleToggled(bit, on); });
  }
  styles->addStretch(1);
  g->addLayout(styles, 1, 2);
  Panel_NoColor = new ColorPanel(QStringLiteral("（色なし）"), colourBox);
  Panel_OtherColor = new ColorPanel(QStringLiteral("（その他の色）"), colourBox);
  g->addWidget(Panel_NoColor, 2, 1, 1, 2);
  g->addWidget(Panel_OtherColor, 3, 1, 1, 2);
  g->setRowStretch(4, 1);
  h->addWidget(colourBox, 1);

  connect(ListBox_Color, &QListWidget::currentRowChanged, this, &TEditEditorDlg::ShowColorEntry);
  connect(ColorGrid1, &ColorGrid::cellClicked, this, &TEditEditorDlg::GridClicked);
  connect(Panel_NoColor, &ColorPanel::clicked, this, &TEditEditorDlg::NoColorClicked);
  connect(Panel_OtherColor, &ColorPanel::clicked, this, &TEditEditorDlg::OtherColorClicked);
  return page;
}

QWidget* TEditEditorDlg::BuildEditor3() {
  auto* page = new QWidget;
  auto* g = new QGridLayout(page);
  g->addWidget(
      new QLabel(
          MessageText(
              "漢字とかな混じり語句や、記号が途中にあるもの、\r\n半角全角混在語句は、予約語として識別されません。"),
          page),
      0, 0, 1, 2);

  auto* bracketBox = new QGroupBox(QStringLiteral("強調表示する囲まれた文字"), page);
  auto* b = new QGridLayout(bracketBox);
  Edit_LeftBracket = new QLineEdit(bracketBox);
  Edit_RightBracket = new QLineEdit(bracketBox);
  ListBox_Brackets = new QListWidget(bracketBox);
  Button_BracketAdd = new QPushButton(QStringLiteral("追加"), bracketBox);
  Button_BracketChange = new QPushButton(QStringLiteral("変更"), bracketBox);
  Button_BracketDelete = new QPushButton(QStringLiteral("削除"), bracketBox);
  b->addWidget(new QLabel(QStringLiteral("開始文字"), bracketBox), 0, 0);
  b->addWidget(Edit_LeftBracket, 0, 1);
  b->addWidget(new QLabel(QStringLiteral("終了文字"), bracketBox), 1, 0);
  b->addWidget(Edit_RightBracket, 1, 1);
  auto* bb = new QHBoxLayout;
  for (QPushButton* p : {Button_BracketAdd, Button_BracketChange, Button_BracketDelete}) {
    p->setAutoDefault(false);
    bb->addWidget(p);
  }
  b->addLayout(bb, 2, 0, 1, 2);
  b->addWidget(ListBox_Brackets, 3, 0, 1, 2);
  b->addWidget(new QLabel(MessageText("・空白文字は使えません\r\n・記号文字以外では一部制限があります"), bracketBox), 4,
               0, 1, 2);
  g->addWidget(bracketBox, 1, 0);
  connect(Edit_LeftBracket, &QLineEdit::textEdited, this, [this] { BracketTextEdited(Edit_LeftBracket); });
  connect(Edit_RightBracket, &QLineEdit::textEdited, this, [this] { BracketTextEdited(Edit_RightBracket); });
  connect(ListBox_Brackets, &QListWidget::currentRowChanged, this, &TEditEditorDlg::BracketSelected);
  connect(Button_BracketAdd, &QPushButton::clicked, this, [this] {
    if (AddBracket(pages_.colors, ToCp932(Edit_LeftBracket->text()), ToCp932(Edit_RightBracket->text())))
      BracketsChanged(pages_.colors.Brackets().ItemCount() - 1);
  });
  connect(Button_BracketChange, &QPushButton::clicked, this, [this] {
    const int row = ListBox_Brackets->currentRow();
    if (ChangeBracket(pages_.colors, row, ToCp932(Edit_LeftBracket->text()), ToCp932(Edit_RightBracket->text())))
      BracketsChanged(row);
  });
  connect(Button_BracketDelete, &QPushButton::clicked, this, [this] {
    if (DeleteBracket(pages_.colors, ListBox_Brackets->currentRow())) BracketsChanged(-1);
  });

  auto* words = new QVBoxLayout;
  words->addWidget(new QLabel(QStringLiteral("予約語"), page));
  Editor_ReserveWord = new editor::qt::TEditor(page);
  Editor_ReserveWord->setObjectName(QStringLiteral("Editor_ReserveWord"));
  Editor_ReserveWord->ApplyMainValues();
  Editor_ReserveWord->Model().SetWordWrap(false);
  Editor_ReserveWord->Model().Ruler().SetVisible(false);
  Editor_ReserveWord->Model().Margin().SetLeft(4);
  Editor_ReserveWord->Model().Margin().SetTop(2);
  Editor_ReserveWord->Model().View().SetMail(false);
  Editor_ReserveWord->Model().View().SetUrl(false);
  Editor_ReserveWord->setMinimumSize(180, 150);
  words->addWidget(Editor_ReserveWord, 1);
  g->addLayout(words, 1, 1);

  auto* texts = new QGridLayout;
  Edit_Commenter = new QLineEdit(page);
  Edit_Quotation = new QLineEdit(page);
  Edit_Quotation->setMaxLength(1);
  Edit_Quotation->setMaximumWidth(40);
  texts->addWidget(new QLabel(QStringLiteral("コメント行の先頭文字"), page), 0, 0);
  texts->addWidget(Edit_Commenter, 0, 1);
  texts->addWidget(new QLabel(QStringLiteral("文字列引用符"), page), 1, 0);
  auto* q = new QHBoxLayout;
  q->addWidget(Edit_Quotation);
  q->addWidget(new QLabel(QStringLiteral("（半角の一文字のみ）"), page));
  q->addStretch(1);
  texts->addLayout(q, 1, 1);
  g->addLayout(texts, 2, 0, 1, 2);
  g->setColumnStretch(1, 1);
  return page;
}

QWidget* TEditEditorDlg::BuildListBox() {
  auto* page = new QWidget;
  auto* h = new QHBoxLayout(page);
  auto* left = new QVBoxLayout;

  auto* which = new QGroupBox(QStringLiteral("設定項目"), page);
  auto* wl = new QHBoxLayout(which);
  RadioButton_Group = new QRadioButton(QStringLiteral("グループ"), which);
  RadioButton_Item = new QRadioButton(QStringLiteral("アイテム"), which);
  RadioButton_Group->setChecked(true);
  wl->addWidget(RadioButton_Group);
  wl->addWidget(RadioButton_Item);
  left->addWidget(which);
  auto* kinds = new QButtonGroup(this);
  kinds->addButton(RadioButton_Group, 0);
  kinds->addButton(RadioButton_Item, 1);
  connect(kinds, &QButtonGroup::idClicked, this, [this](int id) {
    app_.lists.SetEditing(id == 0 ? ListKind::Group : ListKind::Item);
    ShowListRecord();
  });

  auto* colours = new QGridLayout;
  Button_SelColor = new QPushButton(QStringLiteral("選択背景色"), page);
  Button_BackColor = new QPushButton(QStringLiteral("背景色"), page);
  Button_UnfilledColor = new QPushButton(QStringLiteral("領域外の色"), page);
  Button_FontColor = new QPushButton(QStringLiteral("フォント色"), page);
  const std::pair<QPushButton*, store::TColor ListBoxRecord::*> colourButtons[] = {
      {Button_SelColor, &ListBoxRecord::selColor},
      {Button_BackColor, &ListBoxRecord::backColor},
      {Button_UnfilledColor, &ListBoxRecord::unfilledColor},
      {Button_FontColor, &ListBoxRecord::fontColor}};
  int k = 0;
  for (const auto& [button, field] : colourButtons) {
    button->setAutoDefault(false);
    colours->addWidget(button, k / 2, k % 2);
    const auto f = field;
    connect(button, &QPushButton::clicked, this, [this, f] { ListColorClicked(f); });
    ++k;
  }
  left->addLayout(colours);

  auto* fields = new QGridLayout;
  ComboBox_ListFont = new QComboBox(page);
  ComboBox_ListFont->setMinimumWidth(150);
  SpinEdit_ListFontSize = Spin(kMinListFontSize, kMaxListFontSize, page);
  SpinEdit_LineMargin = Spin(0, kMaxListLineMargin, page);
  SpinEdit_LeftMargin = Spin(0, kMaxListLeftMargin, page);
  fields->addWidget(new QLabel(QStringLiteral("フォント"), page), 0, 0);
  fields->addWidget(ComboBox_ListFont, 0, 1, 1, 3);
  fields->addWidget(new QLabel(QStringLiteral("サイズ"), page), 1, 0);
  fields->addWidget(SpinEdit_ListFontSize, 1, 1);
  fields->addWidget(new QLabel(QStringLiteral("行間マージン"), page), 2, 0);
  fields->addWidget(SpinEdit_LineMargin, 2, 1);
  fields->addWidget(new QLabel(QStringLiteral("左マージン"), page), 2, 2);
  fields->addWidget(SpinEdit_LeftMargin, 2, 3);
  left->addLayout(fields);
  connect(ComboBox_ListFont, &QComboBox::currentIndexChanged, this, [this](int i) {
    if (showing_record_ || i < 0) return;
    app_.lists.Current().fontName = ToCp932(ComboBox_ListFont->itemText(i));
    UpdateListSample();
  });
  ConnectListField(SpinEdit_ListFontSize, &ListBoxRecord::fontSize, kMinListFontSize);
  ConnectListField(SpinEdit_LineMargin, &ListBoxRecord::lineMargin, 0);
  ConnectListField(SpinEdit_LeftMargin, &ListBoxRecord::leftMargin, 0);

  auto* lb = new QHBoxLayout;
  Button_ListCopy = new QPushButton(page);
  Button_ListDefault = new QPushButton(QStringLiteral("デフォルトに戻す"), page);
  for (QPushButton* p : {Button_ListCopy, Button_ListDefault}) {
    p->setAutoDefault(false);
    lb->addWidget(p);
  }
  left->addLayout(lb);
  connect(Button_ListCopy, &QPushButton::clicked, this, [this] {
    app_.lists.CopyFromOther();
    ShowListRecord();
  });
  connect(Button_ListDefault, &QPushButton::clicked, this, [this] {
    app_.lists.Defaults();
    ShowListRecord();
  });

  auto* sel = new QGroupBox(QStringLiteral("選択フォント色"), page);
  auto* sl = new QVBoxLayout(sel);
  RadioGroup_SelFontColor = new QButtonGroup(this);
  const char* const selNames[] = {"デフォルトフォント色",
                                  "デフォルトフォント色の反転色",
                                  "選択フォント色",
                                  "選択フォント色の反転色",
                                  "背景色",
                                  "背景色の反転色",
                                  "選択背景色の反転色"};
  int id = 0;
  for (const char* n : selNames) {
    auto* rb = new QRadioButton(U8(n), sel);
    RadioGroup_SelFontColor->addButton(rb, id++);
    sl->addWidget(rb);
  }
  connect(RadioGroup_SelFontColor, &QButtonGroup::idClicked, this, [this](int i) {
    if (showing_record_) return;
    app_.lists.Current().selFontColorType = i;
    UpdateListSample();
  });
  left->addWidget(sel);
  left->addStretch(1);
  h->addLayout(left);

  ListBox_Sample = new SampleList(page);
  ListBox_Sample->setMinimumWidth(220);
  h->addWidget(ListBox_Sample, 1);
  return page;
}

QWidget* TEditEditorDlg::BuildTimeStamp() {
  auto* page = new QWidget;
  auto* g = new QGridLayout(page);
  g->addWidget(new QLabel(QStringLiteral("（参考：デフォルト表示の設定）"), page), 0, 0, 1, 2);
  ListBox_DefTimeStamp = new QListWidget(page);
  ListBox_DefTimeResult = new QListWidget(page);
  for (QListWidget* l : {ListBox_DefTimeStamp, ListBox_DefTimeResult}) {
    l->setSelectionMode(QAbstractItemView::NoSelection);
    l->setFocusPolicy(Qt::NoFocus);
  }
  g->addWidget(ListBox_DefTimeStamp, 1, 0);
  g->addWidget(ListBox_DefTimeResult, 1, 1);

  ListBox_TimeStamp = new QListWidget(page);
  ListBox_TimeResult = new QListWidget(page);
  g->addWidget(ListBox_TimeStamp, 3, 0);
  g->addWidget(ListBox_TimeResult, 3, 1);
  connect(ListBox_TimeStamp, &QListWidget::currentRowChanged, this, &TEditEditorDlg::TimeStampSelected);
  connect(ListBox_TimeResult, &QListWidget::currentRowChanged, this, &TEditEditorDlg::TimeStampSelected);

  auto* input = new QGridLayout;
  Edit_TimeStamp = new QLineEdit(page);
  Label_TimeResult = new QLabel(page);
  Label_TimeResult->setFrameShape(QFrame::StyledPanel);
  Label_TimeResult->setMinimumHeight(22);
  input->addWidget(new QLabel(QStringLiteral("ここに入力"), page), 0, 0);
  input->addWidget(Edit_TimeStamp, 0, 1);
  input->addWidget(new QLabel(QStringLiteral("表示結果"), page), 1, 0);
  input->addWidget(Label_TimeResult, 1, 1);
  auto* buttons = new QHBoxLayout;
  Button_TimeAdd = new QPushButton(QStringLiteral("追加"), page);
  Button_TimeChange = new QPushButton(QStringLiteral("変更"), page);
  Button_TimeDelete = new QPushButton(QStringLiteral("削除"), page);
  for (QPushButton* p : {Button_TimeAdd, Button_TimeChange, Button_TimeDelete}) {
    p->setAutoDefault(false);
    buttons->addWidget(p);
  }
  buttons->addStretch(1);
  input->addLayout(buttons, 2, 1);
  g->addLayout(input, 4, 0, 1, 2);
  connect(Edit_TimeStamp, &QLineEdit::textChanged, this, [this](const QString& t) {
    Label_TimeResult->setText(t.isEmpty() ? QString() : FromCp932(mainwin::FormatDateTime(ToCp932(t), Clock())));
    UpdateTimeStampButtons();
  });
  connect(Button_TimeAdd, &QPushButton::clicked, this, [this] {
    if (app_.stamps.Add(ToCp932(Edit_TimeStamp->text()))) FillTimeStampLists();
  });
  connect(Button_TimeChange, &QPushButton::clicked, this, [this] {
    if (app_.stamps.Change(ToCp932(Edit_TimeStamp->text()))) FillTimeStampLists();
  });
  connect(Button_TimeDelete, &QPushButton::clicked, this, [this] {
    if (app_.stamps.Delete()) FillTimeStampLists();
  });
  return page;
}

QWidget* TEditEditorDlg::BuildEtc() {
  auto* page = new QWidget;
  auto* g = new QGridLayout(page);
  CheckBox_FindWarning = new QCheckBox(QStringLiteral("随時のデータ保存確認メッセージを表示"), page);
  g->addWidget(CheckBox_FindWarning, 0, 0, 1, 2);
  connect(CheckBox_FindWarning, &QCheckBox::toggled, this, [this](bool on) { app_.other.findWarning = on; });

  GroupBox_ShortCut = new QGroupBox(QStringLiteral("ショートカットキー"), page);
  auto* s = new QGridLayout(GroupBox_ShortCut);
  ListBox_ShortCut = new QListWidget(GroupBox_ShortCut);
  ListBox_ShortCut->installEventFilter(this);
  HotKey1 = new QKeySequenceEdit(GroupBox_ShortCut);
  HotKey1->setClearButtonEnabled(true);
  Button_ShortCutChange = new QPushButton(QStringLiteral("変更"), GroupBox_ShortCut);
  Button_ShortCutReset = new QPushButton(QStringLiteral("デフォルトに戻す"), GroupBox_ShortCut);
  for (QPushButton* p : {Button_ShortCutChange, Button_ShortCutReset}) p->setAutoDefault(false);
  s->addWidget(ListBox_ShortCut, 0, 0, 1, 3);
  s->addWidget(HotKey1, 1, 0);
  s->addWidget(Button_ShortCutChange, 1, 1);
  s->addWidget(Button_ShortCutReset, 1, 2);
  s->setColumnStretch(0, 1);
  g->addWidget(GroupBox_ShortCut, 1, 0, 3, 1);
  connect(ListBox_ShortCut, &QListWidget::currentRowChanged, this, &TEditEditorDlg::ShortcutSelected);
  connect(Button_ShortCutChange, &QPushButton::clicked, this, &TEditEditorDlg::ShortcutChangeClicked);
  connect(Button_ShortCutReset, &QPushButton::clicked, this, &TEditEditorDlg::ShortcutResetClicked);
  // The field holds one key combination, as a hot-key field does.
  connect(HotKey1, &QKeySequenceEdit::keySequenceChanged, this, [this](const QKeySequence& seq) {
    if (seq.count() > 1) HotKey1->setKeySequence(QKeySequence(seq[0]));
  });

  auto* viewBox = new QGroupBox(QStringLiteral("ウインドウの配置"), page);
  auto* vl = new QHBoxLayout(viewBox);
  ViewButtons = new QButtonGroup(this);
  ViewButtons->setExclusive(true);
  for (int v = 0; v < 4; ++v) {
    auto* panel = new QFrame(viewBox);
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    panel->setAutoFillBackground(true);
    auto* pl = new QVBoxLayout(panel);
    pl->setContentsMargins(4, 4, 4, 4);
    auto* b = new QToolButton(panel);
    b->setCheckable(true);
    b->setIcon(ViewTypeIcon(v));
    b->setIconSize(QSize(40, 30));
    b->setToolTip(U8(std::string(store::kListBoxViewTypeNames[v])));
    pl->addWidget(b);
    ViewButtons->addButton(b, v);
    vl->addWidget(panel);
    SpeedButton_View[static_cast<size_t>(v)] = b;
    Panel_View[static_cast<size_t>(v)] = panel;
  }
  vl->addStretch(1);
  connect(ViewButtons, &QButtonGroup::idClicked, this, [this](int v) {
    app_.other.viewType = v;
    ShowViewType(v);
  });
  g->addWidget(viewBox, 1, 1);

  auto* placeBox = new QGroupBox(QStringLiteral("ウインドウ位置とサイズの記憶"), page);
  auto* pl = new QVBoxLayout(placeBox);
  RadioGroup_WindowOption = new QButtonGroup(this);
  const char* const placeNames[] = {"モニターの中央に表示（サイズは復元しない）", "ウインドウの位置、サイズを復元する",
                                    "任意のウインドウ位置とサイズで復元する"};
  int id = 0;
  for (const char* n : placeNames) {
    auto* rb = new QRadioButton(U8(n), placeBox);
    RadioGroup_WindowOption->addButton(rb, id++);
    pl->addWidget(rb);
  }
  Button_SaveWindowPos = new QPushButton(QStringLiteral("現在のウインドウ位置とサイズで保存"), placeBox);
  Button_SaveWindowPos->setAutoDefault(false);
  pl->addWidget(Button_SaveWindowPos);
  connect(RadioGroup_WindowOption, &QButtonGroup::idClicked, this,
          [this](int i) { app_.other.placement = static_cast<WindowPlacement>(i); });
  connect(Button_SaveWindowPos, &QPushButton::clicked, this, &TEditEditorDlg::SaveWindowPositionClicked);
  g->addWidget(placeBox, 2, 1);

  CheckBox_IME_ON = new QCheckBox(QStringLiteral("起動時にＩＭＥをオンにする"), page);
  connect(CheckBox_IME_ON, &QCheckBox::toggled, this, [this](bool on) { app_.other.imeOn = on; });
  g->addWidget(CheckBox_IME_ON, 3, 1, Qt::AlignTop);
  g->setColumnStretch(0, 1);
  g->setRowStretch(3, 1);
  return page;
}

// ---- the run

editor::EditorModel& TEditEditorDlg::Preview() { return OleddEditor_Prev->Model(); }

bool TEditEditorDlg::WidthWordWrap() const { return CheckBox_WidthWordWrap->isChecked(); }

void TEditEditorDlg::SetWidthWordWrap(bool on) { CheckBox_WidthWordWrap->setChecked(on); }

void TEditEditorDlg::SetMode(bool perGroup, bool abortEnabled) {
  per_group_ = perGroup;
  setWindowTitle(U8(perGroup ? kPerGroupCaption : kGlobalCaption));
  for (int page : {pgListBox, pgTimeStamp, pgEtc}) PageControl->setTabVisible(page, !perGroup);
  Button_mrAbort->setVisible(perGroup);
  Button_mrAbort->setEnabled(perGroup && abortEnabled);
}

void TEditEditorDlg::SetPage(int index) { PageControl->setCurrentIndex(index); }

DialogResult TEditEditorDlg::Run() {
  const int r = exec();
  if (r == QDialog::Accepted) return DialogResult::Ok;
  return r == kAbortResult ? DialogResult::Abort : DialogResult::Cancel;
}

void TEditEditorDlg::showEvent(QShowEvent* e) {
  if (!loaded_) LoadControls();
  QDialog::showEvent(e);
}

// ---- loading

void TEditEditorDlg::LoadControls() {
  editor::EditorModel& preview = Preview();
  pages_.Load(preview);
  app_.Load(host_);
  // The list shows shortcuts as the hot-key field writes them, so equal keys compare equal.
  if (!host_.listData.ShortCutList.empty()) {
    std::vector<std::string> stored = host_.listData.ShortCutList;
    std::vector<std::string> current = host_.actionShortcuts;
    const size_t commands = host_.actionHints.size();
    for (size_t k = 0; k < stored.size() && k < commands; ++k) stored[k] = CanonicalShortcut(stored[k]);
    for (std::string& t : current) t = CanonicalShortcut(t);
    app_.shortcuts.Load(host_.actionHints, stored, current);
  }
  const EditorPageValues& v = pages_.values;

  // "エディタ設定１"
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

  // "エディタ設定２": while initialising, the boxes only show what the preview has.
  for (int k = 0; k < kMarkBoxCount; ++k)
    CheckBox_Mark[static_cast<size_t>(k)]->setChecked(v.marks[static_cast<size_t>(k)]);
  FillColorList();

  // "エディタ設定３"
  Edit_LeftBracket->clear();
  Edit_RightBracket->clear();
  BracketsChanged(-1);
  Editor_ReserveWord->Model().SetText(ReserveWordsText(v.reserveWords));
  Edit_Commenter->setText(FromCp932(v.commenter));
  Edit_Quotation->setText(FromCp932(v.quotation));

  // "リストボックス"
  screen_fonts_ = ScreenFontFamilies(
      {FromCp932(app_.lists.Record(ListKind::Group).fontName), FromCp932(app_.lists.Record(ListKind::Item).fontName)});
  {
    const QSignalBlocker block(ComboBox_ListFont);
    ComboBox_ListFont->clear();
    ComboBox_ListFont->addItems(screen_fonts_);
  }
  RadioButton_Group->setChecked(true);
  ShowListRecord();

  // "タイムスタンプ"
  const mainwin::DateTime now = Clock();
  ListBox_DefTimeStamp->clear();
  ListBox_DefTimeResult->clear();
  for (const std::string& f : store::BuiltInTimeStampFormats()) {
    ListBox_DefTimeStamp->addItem(FromCp932(f));
    ListBox_DefTimeResult->addItem(FromCp932(mainwin::FormatDateTime(f, now)));
  }
  FillTimeStampLists();
  Edit_TimeStamp->clear();
  UpdateTimeStampButtons();

  // "その他の設定"
  CheckBox_FindWarning->setChecked(app_.other.findWarning);
  FillShortcutList();
  ShowViewType(app_.other.viewType);
  if (QAbstractButton* b = RadioGroup_WindowOption->button(static_cast<int>(app_.other.placement))) b->setChecked(true);
  CheckBox_IME_ON->setChecked(app_.other.imeOn);

  loaded_ = true;
  RewritePreviewFirstLine();
}

// ---- pages

void TEditEditorDlg::PageChanged(int index) {
  initialising_ = false;
  if (loaded_ && index == pgEditor2) ApplyAllToPreview();
  RewritePreviewFirstLine();
}

void TEditEditorDlg::RewritePreviewFirstLine() {
  // Before the controls are loaded the preview's own leader is the current one.
  const std::string leader = loaded_ ? ToCp932(Edit_Commenter->text()) : Preview().View().Commenter();
  editor::EditorModel& preview = Preview();
  if (preview.Lines().Count() == 0) return;
  // The line changes under the caret; the view the user has stays as it is.
  const editor::Position caret = preview.CaretPos();
  const int top = preview.TopRow();
  preview.Lines().Put(0, PreviewFirstLine(leader));
  preview.SetRowCol(caret.row, caret.col);
  preview.SetTopRow(top);
}

void TEditEditorDlg::ReadEditorControls() {
  EditorPageValues& v = pages_.values;
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
  for (int k = 0; k < kMarkBoxCount; ++k)
    v.marks[static_cast<size_t>(k)] = CheckBox_Mark[static_cast<size_t>(k)]->isChecked();
  v.reserveWords = ReserveWordsFromText(Editor_ReserveWord->Model().Text());
  v.commenter = ToCp932(Edit_Commenter->text());
  v.quotation = QuotationOf(ToCp932(Edit_Quotation->text()));
}

void TEditEditorDlg::ApplyAllToPreview() {
  ReadEditorControls();
  pages_.ApplyAll(Preview());
}

// ---- "エディタ設定２"

void TEditEditorDlg::MarkToggled(MarkBox box, bool on) {
  pages_.values.SetMark(box, on);
  if (!initialising_) ApplyMark(Preview(), box, on);
}

int TEditEditorDlg::ColorEntry() const { return ListBox_Color->currentRow(); }

void TEditEditorDlg::FillColorList() {
  const QSignalBlocker block(ListBox_Color);
  ListBox_Color->clear();
  for (const std::string& line : ColorListLines(pages_.colors.Brackets())) ListBox_Color->addItem(FromCp932(line));
  ListBox_Color->setCurrentRow(ceWhole);
  ShowColorEntry(ceWhole);
}

void TEditEditorDlg::ShowColorEntry(int entry) {
  const EntryControls c = entry >= 0 ? ControlsOf(entry) : EntryControls{};
  const ColorValue v = pages_.colors.Get(entry);
  showing_entry_ = true;
  ColorGrid1->SetButtonsEnabled(c.fg, c.bg);
  ColorGrid1->SetMarks(c.fg ? GridIndex(v.fg) : -1, c.bg ? GridIndex(v.bg) : -1);
  const uint8_t bits[4] = {store::fsBold, store::fsItalic, store::fsUnderline, store::fsStrikeOut};
  for (int k = 0; k < 4; ++k) {
    QCheckBox* box = CheckBox_Style[static_cast<size_t>(k)];
    box->setEnabled(c.style);
    box->setChecked(c.style && (v.style & bits[k]));
  }
  const PanelTags t = TagsOf(v, c);
  Panel_NoColor->SetTags(t.noneFg, t.noneBg);
  Panel_OtherColor->SetTags(t.otherFg, t.otherBg);
  for (ColorPanel* p : {Panel_NoColor, Panel_OtherColor}) p->setEnabled(c.fg || c.bg);
  showing_entry_ = false;
}

void TEditEditorDlg::GridClicked(int index, Qt::MouseButton button) {
  const store::TColor c = GridColors()[static_cast<size_t>(index)];
  const int entry = ColorEntry();
  const bool changed = button == Qt::LeftButton ? pages_.colors.SetFg(entry, c) : pages_.colors.SetBg(entry, c);
  if (changed) ColorsChanged();
}

void TEditEditorDlg::NoColorClicked(Qt::MouseButton button) {
  const int entry = ColorEntry();
  const bool changed =
      button == Qt::LeftButton ? pages_.colors.SetFg(entry, store::clNone) : pages_.colors.SetBg(entry, store::clNone);
  if (changed) ColorsChanged();
}

void TEditEditorDlg::OtherColorClicked(Qt::MouseButton button) {
  const int entry = ColorEntry();
  const EntryControls c = entry >= 0 ? ControlsOf(entry) : EntryControls{};
  const bool fg = button == Qt::LeftButton;
  if (fg ? !c.fg : !c.bg) return;
  const ColorValue v = pages_.colors.Get(entry);
  const std::optional<QColor> picked = boxes_->PickColor(this, ToQColor(fg ? v.fg : v.bg, this));
  if (!picked) return;
  const bool changed =
      fg ? pages_.colors.SetFg(entry, FromQColor(*picked)) : pages_.colors.SetBg(entry, FromQColor(*picked));
  if (changed) ColorsChanged();
}

void TEditEditorDlg::StyleToggled(int bit, bool on) {
  if (showing_entry_) return;
  if (pages_.colors.SetStyleBit(ColorEntry(), static_cast<uint8_t>(bit), on)) ColorsChanged();
}

void TEditEditorDlg::ColorsChanged() {
  pages_.colors.ApplyTo(Preview());
  ShowColorEntry(ColorEntry());
}

// ---- "エディタ設定３"

void TEditEditorDlg::BracketTextEdited(QLineEdit* edit) {
  const QString trimmed = FromCp932(TrimBracketText(ToCp932(edit->text())));
  if (trimmed != edit->text()) edit->setText(trimmed);
  UpdateBracketButtons();
}

void TEditEditorDlg::BracketSelected(int row) {
  if (row >= 0 && row < pages_.colors.Brackets().ItemCount()) {
    const editor::TFountainBracketItem& item = pages_.colors.Brackets()[row];
    Edit_LeftBracket->setText(FromCp932(item.LeftBracket()));
    Edit_RightBracket->setText(FromCp932(item.RightBracket()));
  }
  UpdateBracketButtons();
}

void TEditEditorDlg::UpdateBracketButtons() {
  const BracketButtons b = BracketButtonsFor(ToCp932(Edit_LeftBracket->text()), ToCp932(Edit_RightBracket->text()),
                                             ListBox_Brackets->currentRow(), pages_.colors.Brackets().ItemCount());
  Button_BracketAdd->setEnabled(b.add);
  Button_BracketChange->setEnabled(b.change);
  Button_BracketDelete->setEnabled(b.del);
}

void TEditEditorDlg::BracketsChanged(int select) {
  {
    const QSignalBlocker block(ListBox_Brackets);
    ListBox_Brackets->clear();
    const editor::TEditorBracketCollection& pairs = pages_.colors.Brackets();
    for (int n = 0; n < pairs.ItemCount(); ++n)
      ListBox_Brackets->addItem(FromCp932(BracketPairLine(pairs[n].LeftBracket(), pairs[n].RightBracket())));
    ListBox_Brackets->setCurrentRow(select);
  }
  FillColorList();
  if (loaded_) pages_.colors.ApplyTo(Preview());
  UpdateBracketButtons();
}

// ---- "リストボックス"

void TEditEditorDlg::ConnectListField(QSpinBox* spin, int ListBoxRecord::*field, int min) {
  connect(spin, &QSpinBox::valueChanged, this, [this, field](int value) {
    if (showing_record_) return;
    app_.lists.Current().*field = value;
    UpdateListSample();
  });
  // An emptied field is refilled with its minimum; anything else out of range is left to the
  // field's own check, which keeps the last value.
  connect(SpinText(spin), &QLineEdit::textEdited, this, [this, spin, field, min](const QString& text) {
    if (!text.isEmpty()) return;
    if (const std::optional<int> v = ListFieldValue({}, min, spin->maximum())) {
      const QSignalBlocker block(spin);
      spin->setValue(*v);
      SpinText(spin)->setText(QString::number(*v));
      app_.lists.Current().*field = *v;
      UpdateListSample();
    }
  });
}

void TEditEditorDlg::ShowListRecord() {
  showing_record_ = true;
  const ListBoxRecord& r = app_.lists.Current();
  const int font = FontIndex(Cp932List(screen_fonts_), r.fontName);
  ComboBox_ListFont->setCurrentIndex(font);
  SpinEdit_ListFontSize->setValue(r.fontSize);
  SpinEdit_LineMargin->setValue(r.lineMargin);
  SpinEdit_LeftMargin->setValue(r.leftMargin);
  if (QAbstractButton* b = RadioGroup_SelFontColor->button(r.selFontColorType)) {
    b->setChecked(true);
  } else {
    // An unknown rule: no item is chosen.
    RadioGroup_SelFontColor->setExclusive(false);
    for (QAbstractButton* rb : RadioGroup_SelFontColor->buttons()) rb->setChecked(false);
    RadioGroup_SelFontColor->setExclusive(true);
  }
  Button_ListCopy->setText(U8(app_.lists.CopyButtonCaption()));
  showing_record_ = false;
  UpdateListSample();
}

void TEditEditorDlg::ListColorClicked(store::TColor ListBoxRecord::*field) {
  ListBoxRecord& r = app_.lists.Current();
  if (const std::optional<QColor> c = boxes_->PickColor(this, ToQColor(r.*field, this))) {
    r.*field = FromQColor(*c);
    UpdateListSample();
  }
}

void TEditEditorDlg::UpdateListSample() {
  const ListBoxRecord& r = app_.lists.Current();
  ListBox_Sample->SetRecord(r);
  Button_SelColor->setIcon(Swatch(ToQColor(r.selColor, this)));
  Button_BackColor->setIcon(Swatch(ToQColor(r.backColor, this)));
  Button_UnfilledColor->setIcon(Swatch(ToQColor(r.unfilledColor, this)));
  Button_FontColor->setIcon(Swatch(ToQColor(r.fontColor, this)));
}

// ---- "タイムスタンプ"

void TEditEditorDlg::FillTimeStampLists() {
  const mainwin::DateTime now = Clock();
  {
    const QSignalBlocker b1(ListBox_TimeStamp), b2(ListBox_TimeResult);
    ListBox_TimeStamp->clear();
    ListBox_TimeResult->clear();
    for (const std::string& f : app_.stamps.Formats()) {
      ListBox_TimeStamp->addItem(FromCp932(f));
      ListBox_TimeResult->addItem(FromCp932(mainwin::FormatDateTime(f, now)));
    }
    ListBox_TimeStamp->setCurrentRow(app_.stamps.Selected());
    ListBox_TimeResult->setCurrentRow(app_.stamps.Selected());
  }
  UpdateTimeStampButtons();
}

void TEditEditorDlg::TimeStampSelected(int row) {
  app_.stamps.Select(row);
  const QSignalBlocker b1(ListBox_TimeStamp), b2(ListBox_TimeResult);
  ListBox_TimeStamp->setCurrentRow(app_.stamps.Selected());
  ListBox_TimeResult->setCurrentRow(app_.stamps.Selected());
  UpdateTimeStampButtons();
}

void TEditEditorDlg::UpdateTimeStampButtons() {
  const std::string typed = ToCp932(Edit_TimeStamp->text());
  Button_TimeAdd->setEnabled(app_.stamps.CanAdd(typed));
  Button_TimeChange->setEnabled(app_.stamps.CanChange(typed));
  Button_TimeDelete->setEnabled(app_.stamps.CanDelete());
}

// ---- "その他の設定"

void TEditEditorDlg::FillShortcutList() {
  {
    const QSignalBlocker block(ListBox_ShortCut);
    ListBox_ShortCut->clear();
    for (const std::string& line : app_.shortcuts.Lines()) ListBox_ShortCut->addItem(U8(line));
  }
  GroupBox_ShortCut->setEnabled(!app_.shortcuts.ResetReserved());
  HotKey1->clear();
  if (!app_.shortcuts.ResetReserved() && ListBox_ShortCut->count() > 0) ListBox_ShortCut->setCurrentRow(0);
}

void TEditEditorDlg::ShortcutSelected(int row) {
  if (app_.shortcuts.ResetReserved()) return;
  HotKey1->setKeySequence(QKeySequence::fromString(U8(app_.shortcuts.Text(row)), QKeySequence::PortableText));
}

void TEditEditorDlg::ShortcutChangeClicked() {
  const int row = ListBox_ShortCut->currentRow();
  const std::string text = HotKey1->keySequence().toString(QKeySequence::PortableText).toStdString();
  switch (app_.shortcuts.Change(row, text)) {
    case ShortcutList::Result::Duplicate: boxes_->Error(this, U8(kDuplicateShortcutMessage)); break;
    case ShortcutList::Result::Changed:
      ListBox_ShortCut->item(row)->setText(U8(app_.shortcuts.Line(row)));
      boxes_->Beep();
      break;
    case ShortcutList::Result::Refused: break;
  }
}

void TEditEditorDlg::ShortcutResetClicked() {
  if (!boxes_->Ask(this, U8(kShortcutResetCaption), MessageText(kShortcutResetQuestion))) return;
  app_.shortcuts.Reset(host_.listData.ShortCutList);
  FillShortcutList();
}

bool TEditEditorDlg::eventFilter(QObject* watched, QEvent* e) {
  if (watched == ListBox_ShortCut && e->type() == QEvent::KeyPress) {
    auto* k = static_cast<QKeyEvent*>(e);
    const int key = k->key();
    switch (key) {
      case Qt::Key_Up:
      case Qt::Key_Down:
      case Qt::Key_Left:
      case Qt::Key_Right:
      // Leaving the list and the dialog by keyboard stays possible.
      case Qt::Key_Tab:
      case Qt::Key_Backtab:
      case Qt::Key_Escape: return false;
      case Qt::Key_Shift:
      case Qt::Key_Control:
      case Qt::Key_Alt:
      case Qt::Key_Meta:
      case Qt::Key_AltGr: return true;  // a modifier alone is no key yet
      default: break;
    }
    HotKey1->setFocus(Qt::ShortcutFocusReason);
    if (key < Qt::Key_F1 || key > Qt::Key_F24)
      HotKey1->setKeySequence(
          QKeySequence(QKeyCombination(k->modifiers() & ~Qt::KeypadModifier, static_cast<Qt::Key>(key))));
    return true;
  }
  return QDialog::eventFilter(watched, e);
}

void TEditEditorDlg::ShowViewType(int viewType) {
  if (QAbstractButton* b = ViewButtons->button(viewType)) b->setChecked(true);
  for (int v = 0; v < 4; ++v) {
    QFrame* panel = Panel_View[static_cast<size_t>(v)];
    QPalette pal = panel->palette();
    pal.setColor(QPalette::Window, v == viewType ? ViewPanelColor() : palette().color(QPalette::Button));
    panel->setPalette(pal);
  }
}

void TEditEditorDlg::SaveWindowPositionClicked() {
  app_.other.placement = SaveWindowPositionNow(host_.mainData, host_.storeWindowGeometry);
  if (QAbstractButton* b = RadioGroup_WindowOption->button(static_cast<int>(app_.other.placement))) b->setChecked(true);
}

// ---- closing

void TEditEditorDlg::OkClicked() {
  if (!loaded_) LoadControls();
  ValidationInput in;
  in.fontSelected = ComboBox_Font->currentIndex() >= 0;
  in.fontSizeText = SpinText(SpinEdit_FontSize)->text().toStdString();
  in.wrapByteText = SpinText(SpinEdit_WrapByte)->text().toStdString();
  in.tabLengthSelected = ComboBox_TabLength->currentIndex() >= 0;
  in.listFontSelected = ComboBox_ListFont->currentIndex() >= 0;
  in.listPageShown = !per_group_;
  if (const std::optional<std::string> message = FirstValidationError(in)) {
    boxes_->Error(this, U8(*message));
    return;
  }
  ApplyAllToPreview();
  // The application-wide pages are hidden per group: nothing of theirs was edited.
  if (!per_group_) app_.Accept(host_);
  accept();
}

void TEditEditorDlg::AbortClicked() {
  if (boxes_->Ask(this, U8(kAbortCaption), U8(kAbortQuestion))) done(kAbortResult);
}

// ---- the command

bool RunEditorSettings(QWidget* parent, editor::EditorModel& mainEditor, SettingsHost& host, int page, bool perGroup,
                       SettingsBoxes* boxes) {
  SettingsBoxes fallback;
  SettingsBoxes* b = boxes ? boxes : &fallback;
  try {
    TEditDelivery carrier;
    return carrier.EditSettings(mainEditor, page, perGroup, host,
                                [&] { return std::make_unique<TEditEditorDlg>(host, b, parent); });
  } catch (const std::exception& e) {
    b->Error(parent, U8(e.what()));
    return false;
  }
}

}  // namespace editorsettings::qt
