#include "editorsettings/qt/editor2sheet.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "editorsettings/qt/colorwidgets.h"
#include "editorsettings/qt/settingsboxes.h"

namespace editorsettings::qt {

Editor2Sheet::Editor2Sheet(EditorPagesState& pages, const PageHost& host, QWidget* parent)
    : QWidget(parent), pages_(pages), host_(host) {
  auto* h = new QHBoxLayout(this);
  auto* marks = new QVBoxLayout;
  const char* const names[kMarkBoxCount] = {"改行文字表示",   "折り返し表示",
                                            "文末表示",       "メールアドレス強調表示",
                                            "ＵＲＬ強調表示", "キャレットのある行を下線表示",
                                            "ルーラー表示",   "行数表示",
                                            "ゼロから数える", "論理行で表示"};
  for (int k = 0; k < kMarkBoxCount; ++k) {
    auto* box = new QCheckBox(U8(names[k]), this);
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

  auto* colourBox = new QGroupBox(QStringLiteral("文字表示の設定"), this);
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

  connect(ListBox_Color, &QListWidget::currentRowChanged, this, &Editor2Sheet::ShowColorEntry);
  connect(ColorGrid1, &ColorGrid::cellClicked, this, &Editor2Sheet::GridClicked);
  connect(Panel_NoColor, &ColorPanel::clicked, this, &Editor2Sheet::NoColorClicked);
  connect(Panel_OtherColor, &ColorPanel::clicked, this, &Editor2Sheet::OtherColorClicked);
}

void Editor2Sheet::Load(const EditorPageValues& v) {
  // While initialising, the boxes only show what the preview has.
  for (int k = 0; k < kMarkBoxCount; ++k)
    CheckBox_Mark[static_cast<size_t>(k)]->setChecked(v.marks[static_cast<size_t>(k)]);
  FillColorList();
}

void Editor2Sheet::Read(EditorPageValues& v) const {
  for (int k = 0; k < kMarkBoxCount; ++k)
    v.marks[static_cast<size_t>(k)] = CheckBox_Mark[static_cast<size_t>(k)]->isChecked();
}

void Editor2Sheet::MarkToggled(MarkBox box, bool on) {
  pages_.values.SetMark(box, on);
  if (!host_.initialising) ApplyMark(host_.Preview(), box, on);
}

int Editor2Sheet::ColorEntry() const { return ListBox_Color->currentRow(); }

void Editor2Sheet::FillColorList() {
  const QSignalBlocker block(ListBox_Color);
  ListBox_Color->clear();
  for (const std::string& line : ColorListLines(pages_.colors.Brackets())) ListBox_Color->addItem(FromCp932(line));
  ListBox_Color->setCurrentRow(ceWhole);
  ShowColorEntry(ceWhole);
}

void Editor2Sheet::ShowColorEntry(int entry) {
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

void Editor2Sheet::GridClicked(int index, Qt::MouseButton button) {
  const store::TColor c = GridColors()[static_cast<size_t>(index)];
  const int entry = ColorEntry();
  const bool changed = button == Qt::LeftButton ? pages_.colors.SetFg(entry, c) : pages_.colors.SetBg(entry, c);
  if (changed) ColorsChanged();
}

void Editor2Sheet::NoColorClicked(Qt::MouseButton button) {
  const int entry = ColorEntry();
  const bool changed =
      button == Qt::LeftButton ? pages_.colors.SetFg(entry, store::clNone) : pages_.colors.SetBg(entry, store::clNone);
  if (changed) ColorsChanged();
}

void Editor2Sheet::OtherColorClicked(Qt::MouseButton button) {
  const int entry = ColorEntry();
  const EntryControls c = entry >= 0 ? ControlsOf(entry) : EntryControls{};
  const bool fg = button == Qt::LeftButton;
  if (fg ? !c.fg : !c.bg) return;
  const ColorValue v = pages_.colors.Get(entry);
  const std::optional<QColor> picked = host_.boxes.PickColor(this, ToQColor(fg ? v.fg : v.bg, this));
  if (!picked) return;
  const bool changed =
      fg ? pages_.colors.SetFg(entry, FromQColor(*picked)) : pages_.colors.SetBg(entry, FromQColor(*picked));
  if (changed) ColorsChanged();
}

void Editor2Sheet::StyleToggled(int bit, bool on) {
  if (showing_entry_) return;
  if (pages_.colors.SetStyleBit(ColorEntry(), static_cast<uint8_t>(bit), on)) ColorsChanged();
}

void Editor2Sheet::ColorsChanged() {
  pages_.colors.ApplyTo(host_.Preview());
  ShowColorEntry(ColorEntry());
}

}  // namespace editorsettings::qt
