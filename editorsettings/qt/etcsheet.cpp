#include "editorsettings/qt/etcsheet.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QKeySequenceEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

#include "editorsettings/listlook.h"
#include "editorsettings/qt/colorwidgets.h"
#include "editorsettings/qt/pageutil.h"
#include "editorsettings/qt/settingsboxes.h"

namespace editorsettings::qt {

namespace {

// A small picture of a list arrangement: the list pane and its two lists beside the editor.
QIcon ViewTypeIcon(int viewType) {
  const ListArrangement a = ArrangementOf(viewType);
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

}  // namespace

EtcSheet::EtcSheet(AppSettingsState& app, SettingsHost& host, SettingsBoxes& boxes, QWidget* parent)
    : QWidget(parent), app_(app), host_(host), boxes_(boxes) {
  auto* g = new QGridLayout(this);
  CheckBox_FindWarning = new QCheckBox(QStringLiteral("随時のデータ保存確認メッセージを表示"), this);
  g->addWidget(CheckBox_FindWarning, 0, 0, 1, 2);
  connect(CheckBox_FindWarning, &QCheckBox::toggled, this, [this](bool on) { app_.other.findWarning = on; });

  GroupBox_ShortCut = new QGroupBox(QStringLiteral("ショートカットキー"), this);
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
  connect(ListBox_ShortCut, &QListWidget::currentRowChanged, this, &EtcSheet::ShortcutSelected);
  connect(Button_ShortCutChange, &QPushButton::clicked, this, &EtcSheet::ShortcutChangeClicked);
  connect(Button_ShortCutReset, &QPushButton::clicked, this, &EtcSheet::ShortcutResetClicked);
  // The field holds one key combination, as a hot-key field does.
  connect(HotKey1, &QKeySequenceEdit::keySequenceChanged, this, [this](const QKeySequence& seq) {
    if (seq.count() > 1) HotKey1->setKeySequence(QKeySequence(seq[0]));
  });

  auto* viewBox = new QGroupBox(QStringLiteral("ウインドウの配置"), this);
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

  auto* placeBox = new QGroupBox(QStringLiteral("ウインドウ位置とサイズの記憶"), this);
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
  connect(Button_SaveWindowPos, &QPushButton::clicked, this, &EtcSheet::SaveWindowPositionClicked);
  g->addWidget(placeBox, 2, 1);

  CheckBox_IME_ON = new QCheckBox(QStringLiteral("起動時にＩＭＥをオンにする"), this);
  connect(CheckBox_IME_ON, &QCheckBox::toggled, this, [this](bool on) { app_.other.imeOn = on; });
  g->addWidget(CheckBox_IME_ON, 3, 1, Qt::AlignTop);
  g->setColumnStretch(0, 1);
  g->setRowStretch(3, 1);
}

QColor EtcSheet::ViewPanelColor() { return ToQColor(0xD6ACFF, nullptr); }

void EtcSheet::Load() {
  CheckBox_FindWarning->setChecked(app_.other.findWarning);
  FillShortcutList();
  ShowViewType(app_.other.viewType);
  if (QAbstractButton* b = RadioGroup_WindowOption->button(static_cast<int>(app_.other.placement))) b->setChecked(true);
  CheckBox_IME_ON->setChecked(app_.other.imeOn);
}

void EtcSheet::FillShortcutList() {
  {
    const QSignalBlocker block(ListBox_ShortCut);
    ListBox_ShortCut->clear();
    for (const std::string& line : app_.shortcuts.Lines()) ListBox_ShortCut->addItem(U8(line));
  }
  GroupBox_ShortCut->setEnabled(!app_.shortcuts.ResetReserved());
  HotKey1->clear();
  if (!app_.shortcuts.ResetReserved() && ListBox_ShortCut->count() > 0) ListBox_ShortCut->setCurrentRow(0);
}

void EtcSheet::ShortcutSelected(int row) {
  if (app_.shortcuts.ResetReserved()) return;
  HotKey1->setKeySequence(QKeySequence::fromString(U8(app_.shortcuts.Text(row)), QKeySequence::PortableText));
}

void EtcSheet::ShortcutChangeClicked() {
  const int row = ListBox_ShortCut->currentRow();
  const std::string text = HotKey1->keySequence().toString(QKeySequence::PortableText).toStdString();
  switch (app_.shortcuts.Change(row, text)) {
    case ShortcutList::Result::Duplicate: boxes_.Error(this, U8(kDuplicateShortcutMessage)); break;
    case ShortcutList::Result::Changed:
      ListBox_ShortCut->item(row)->setText(U8(app_.shortcuts.Line(row)));
      boxes_.Beep();
      break;
    case ShortcutList::Result::Refused: break;
  }
}

void EtcSheet::ShortcutResetClicked() {
  if (!boxes_.Ask(this, U8(kShortcutResetCaption), MessageText(kShortcutResetQuestion))) return;
  app_.shortcuts.Reset(host_.listData.ShortCutList);
  FillShortcutList();
}

bool EtcSheet::eventFilter(QObject* watched, QEvent* e) {
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
  return QWidget::eventFilter(watched, e);
}

void EtcSheet::ShowViewType(int viewType) {
  if (QAbstractButton* b = ViewButtons->button(viewType)) b->setChecked(true);
  for (int v = 0; v < 4; ++v) {
    QFrame* panel = Panel_View[static_cast<size_t>(v)];
    QPalette pal = panel->palette();
    pal.setColor(QPalette::Window, v == viewType ? ViewPanelColor() : palette().color(QPalette::Button));
    panel->setPalette(pal);
  }
}

void EtcSheet::SaveWindowPositionClicked() {
  app_.other.placement = SaveWindowPositionNow(host_.mainData, host_.storeWindowGeometry);
  if (QAbstractButton* b = RadioGroup_WindowOption->button(static_cast<int>(app_.other.placement))) b->setChecked(true);
}

}  // namespace editorsettings::qt
