#include "mainwin/qt/mainform.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <cstdlib>

#include "codec/cp932.h"
#include "editor/qt/editorfont.h"
#include "editor/qt/oleddeditor.h"
#include "mainwin/desktop.h"
#include "mainwin/qt/listbox_kor.h"
#include "mainwin/qt/panel_drop.h"

namespace mainwin::qt {

namespace {

const QString kCaption = QStringLiteral("ソラメtext");

QString Unicode(const std::string& cp932) { return QString::fromStdU16String(codec::Cp932ToUtf16(cp932)); }

// Message texts carry the stored "\r\n" line breaks.
QString MessageText(const std::string& utf8) {
  QString s = QString::fromUtf8(utf8);
  s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return s;
}

QString Env(const char* name) { return QString::fromLocal8Bit(qgetenv(name)); }

editor::Modifiers ToModifiers(Qt::KeyboardModifiers m) {
  editor::Modifiers r = editor::kModNone;
  if (m & Qt::ShiftModifier) r |= editor::kModShift;
  if (m & Qt::ControlModifier) r |= editor::kModCtrl;
  if (m & Qt::AltModifier) r |= editor::kModAlt;
  return r;
}

editor::MouseButton ToButton(Qt::MouseButton b) {
  switch (b) {
    case Qt::LeftButton: return editor::MouseButton::Left;
    case Qt::RightButton: return editor::MouseButton::Right;
    case Qt::MiddleButton: return editor::MouseButton::Middle;
    default: return editor::MouseButton::None;
  }
}

// The tool-bar pictures: drawn here so the set is the same on every desktop.
QIcon DrawnIcon(const std::function<void(QPainter&)>& draw) {
  QPixmap pm(16, 16);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setPen(QPen(QColor(40, 40, 40), 1.2));
  draw(p);
  p.end();
  return QIcon(pm);
}

// A left- or right-pointing arrow for the history buttons.
QIcon ArrowIcon(bool left) {
  return DrawnIcon([left](QPainter& p) {
    QPainterPath path;
    const qreal tip = left ? 2 : 14, base = left ? 8 : 8, tail = left ? 14 : 2;
    path.moveTo(tip, 8);
    path.lineTo(base, 2.5);
    path.lineTo(base, 5.5);
    path.lineTo(tail, 5.5);
    path.lineTo(tail, 10.5);
    path.lineTo(base, 10.5);
    path.lineTo(base, 13.5);
    path.closeSubpath();
    p.fillPath(path, QColor(40, 90, 160));
  });
}

// Drawn rather than taken from the style: the style's standard icons load image files, which
// costs more at start-up than the whole data folder.
QIcon ActionIcon(ActionId id) {
  switch (id) {
    case ActionId::HistoryBk: return ArrowIcon(true);
    case ActionId::HistoryFw: return ArrowIcon(false);
    case ActionId::TimeStamp:
      return DrawnIcon([](QPainter& p) {
        p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
        p.drawLine(QPointF(8, 8), QPointF(8, 3.5));
        p.drawLine(QPointF(8, 8), QPointF(11.5, 9.5));
      });
    case ActionId::WordWrap_Non:
      return DrawnIcon([](QPainter& p) {
        for (int y : {3, 7, 11}) p.drawLine(QPointF(1, y + 0.5), QPointF(15, y + 0.5));
        p.setPen(QPen(QColor(200, 0, 0), 1));
        p.drawLine(QPointF(10.5, 1), QPointF(10.5, 15));
      });
    case ActionId::WordWrap_User:
      return DrawnIcon([](QPainter& p) {
        for (int y : {3, 7, 11}) p.drawLine(QPointF(1, y + 0.5), QPointF(10, y + 0.5));
        p.setPen(QPen(QColor(200, 0, 0), 1));
        p.drawLine(QPointF(11.5, 1), QPointF(11.5, 15));
      });
    case ActionId::WordWrap_Width:
      return DrawnIcon([](QPainter& p) {
        for (int y : {3, 7, 11}) p.drawLine(QPointF(1, y + 0.5), QPointF(14, y + 0.5));
        p.setPen(QPen(QColor(0, 0, 200), 1));
        p.drawRect(QRectF(0.5, 0.5, 15, 15));
      });
    case ActionId::ReadOnly:
      return DrawnIcon([](QPainter& p) {
        p.drawRect(QRectF(3.5, 7.5, 9, 7));
        p.drawArc(QRectF(5, 2, 6, 9), 0, 180 * 16);
      });
    case ActionId::insert:
      return DrawnIcon([](QPainter& p) {
        p.drawRect(QRectF(2.5, 2.5, 11, 11));
        p.fillRect(QRectF(5, 5, 6, 6), QColor(40, 40, 40));
      });
    default: return {};
  }
}

}  // namespace

// ---- message boxes

void MessageBoxes::Error(QWidget* parent, const QString& text) { QMessageBox::critical(parent, kCaption, text); }

void MessageBoxes::Notice(QWidget* parent, const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, kCaption, text, QMessageBox::Ok, parent);
  box.exec();
}

bool MessageBoxes::ConfirmWarning(QWidget* parent, const QString& caption, const QString& text) {
  return QMessageBox::warning(parent, caption, text, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel) ==
         QMessageBox::Ok;
}

void MessageBoxes::OpenUrl(const QUrl& url) { QDesktopServices::openUrl(url); }

// ---- creation

TMainForm::TMainForm(const MainFormOptions& options, QWidget* parent) : QMainWindow(parent) {
  if (options.boxes) {
    boxes_ = options.boxes;
  } else {
    own_boxes_ = std::make_unique<MessageBoxes>();
    boxes_ = own_boxes_.get();
  }
  store::SetReporter(this);
  editor::qt::InstallFontSubstitutions();
  setWindowTitle(kCaption);
  QFont windowFont(QStringLiteral("ＭＳ Ｐゴシック"));
  windowFont.setPixelSize(12);
  setFont(windowFont);

  BuildControls();
  MainEditor->ApplyMainValues();
  std::string folder = options.dataFolder.toStdString();
  core_ = std::make_unique<MainFormCore>(folder, MainEditor->Model(), static_cast<MainFormHost&>(*this));
  BuildActions();
  BuildToolBars();
  BuildMenus();
  BuildStatusBar();
  WireOwnActions();

  // The lists draw from the stores and talk to the core's list bookkeeping.
  auto groupStyle = [this](int row) -> std::pair<store::TColor, uint8_t> {
    auto& g = core_->Groups();
    if (row < 0 || row >= g.Count()) return {core_->MainData().GroupFontColor, 0};
    const auto& e = g.EntryAt(row);
    return {e.ListTxtColor, e.FontStyle};
  };
  auto itemStyle = [this](int row) -> std::pair<store::TColor, uint8_t> {
    auto& i = core_->Items();
    if (row < 0 || row >= i.Count()) return {core_->MainData().ItemFontColor, 0};
    const auto& e = i.EntryAt(row);
    return {e.ListTxtColor, e.FontStyle};
  };
  ListBox_Group = new TListBox_kor(core_->GroupList(), groupStyle, Panel_Group);
  ListBox_Item = new TListBox_kor(core_->ItemList(), itemStyle, Panel_Drop_Item);
  Panel_Group->layout()->addWidget(ListBox_Group);
  Panel_Drop_Item->layout()->addWidget(ListBox_Item);
  for (TListBox_kor* list : {ListBox_Group, ListBox_Item}) {
    list->setMinimumSize(1, 1);
    connect(list, &TListBox_kor::ctrlState, this, [this](bool down) { core_->CtrlDown = down; });
    connect(list, &TListBox_kor::entryDoubleClicked, this, &TMainForm::entryEditRequested);
    connect(list, &TListBox_kor::entryDropped, this, [this](int source, int target, int row, bool ctrl) {
      core_->DropEntry(source, target, row, ctrl);
      RequestActionUpdate();
    });
  }
  ListBox_Item->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(ListBox_Item, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& pos) { PopupMenu_Item->popup(ListBox_Item->viewport()->mapToGlobal(pos)); });
  connect(Panel_Drop_Item, &TPanel_Drop::dropFiles, this,
          [this](TPanel_Drop* panel) { emit filesDropped(panel->Files()); });

  idle_.setSingleShot(true);
  idle_.setInterval(0);
  connect(&idle_, &QTimer::timeout, this, [this] { core_->ActionListUpdate(); });
  // One application-wide filter: it arms the idle update on input and sees the editor's events
  // before the editor does.
  qApp->installEventFilter(this);
  connect(MainEditor, &editor::qt::TEditor::changed, this, &TMainForm::RequestActionUpdate);
  connect(MainEditor, &editor::qt::TEditor::caretMoved, this, &TMainForm::RequestActionUpdate);
  connect(MainEditor, &editor::qt::TEditor::selectionChanged, this, &TMainForm::RequestActionUpdate);

  // FormCreate: the records, then the layout and the window's geometry.
  core_->FormCreate();
  ApplyListFontSizes();
  RestoreGeometry();

  Timer1.setInterval(10);
  Timer1.setSingleShot(true);
  connect(&Timer1, &QTimer::timeout, this, [this] {
    core_->ItemList().MakeTopVisible(core_->ItemList().ItemIndex());
  });
  Timer1.start();
}

TMainForm::~TMainForm() {
  qApp->removeEventFilter(this);
  RunCloseSteps();
  core_->FormDestroy();
  store::SetReporter(nullptr);
}

void TMainForm::BuildControls() {
  Panel_center = new QWidget(this);
  auto* centerLayout = new QVBoxLayout(Panel_center);
  centerLayout->setContentsMargins(0, 0, 0, 0);
  Splitter1 = new QSplitter(Panel_center);
  Splitter1->setObjectName(QStringLiteral("Splitter1"));
  Splitter1->setHandleWidth(kSplitterThickness);
  Splitter1->setChildrenCollapsible(false);
  centerLayout->addWidget(Splitter1);

  Panel_Left = new QWidget(Splitter1);
  auto* leftLayout = new QVBoxLayout(Panel_Left);
  leftLayout->setContentsMargins(0, 0, 0, 0);
  Splitter_ListBox = new QSplitter(Panel_Left);
  Splitter_ListBox->setObjectName(QStringLiteral("Splitter_ListBox"));
  Splitter_ListBox->setHandleWidth(kSplitterThickness);
  Splitter_ListBox->setChildrenCollapsible(false);
  leftLayout->addWidget(Splitter_ListBox);

  Panel_Group = new QWidget(Splitter_ListBox);
  auto* groupLayout = new QVBoxLayout(Panel_Group);
  groupLayout->setContentsMargins(0, 0, 0, 0);
  Panel_Drop_Item = new TPanel_Drop(Splitter_ListBox);
  auto* itemLayout = new QVBoxLayout(Panel_Drop_Item);
  itemLayout->setContentsMargins(0, 0, 0, 0);
  Splitter_ListBox->addWidget(Panel_Group);
  Splitter_ListBox->addWidget(Panel_Drop_Item);
  Splitter_ListBox->setStretchFactor(0, 0);
  Splitter_ListBox->setStretchFactor(1, 1);

  Panel_Right = new QWidget(Splitter1);
  auto* rightLayout = new QVBoxLayout(Panel_Right);
  rightLayout->setContentsMargins(0, 0, 0, 0);
  MainEditor = new editor::qt::TOleddEditor(Panel_Right);
  MainEditor->setObjectName(QStringLiteral("MainEditor"));
  MainEditor->setMinimumSize(1, 1);
  rightLayout->addWidget(MainEditor);
  Splitter1->addWidget(Panel_Left);
  Splitter1->addWidget(Panel_Right);
  Splitter1->setStretchFactor(0, 0);
  Splitter1->setStretchFactor(1, 1);
  connect(Splitter_ListBox, &QSplitter::splitterMoved, this, [this] { UpdateSplitterMinimums(); });

  setCentralWidget(Panel_center);
  resize(kDesignedWidth, kDesignedHeight);
}

void TMainForm::BuildActions() {
  for (const ActionSpec& spec : ActionTable()) {
    auto* a = new QAction(QString::fromUtf8(spec.caption.data(), static_cast<qsizetype>(spec.caption.size())), this);
    a->setObjectName(QString::fromLatin1(spec.name.data(), static_cast<qsizetype>(spec.name.size())));
    const std::string_view hint = spec.Hint();
    a->setToolTip(QString::fromUtf8(hint.data(), static_cast<qsizetype>(hint.size())));
    a->setStatusTip(a->toolTip());
    a->setProperty("tag", spec.tag);
    if (!spec.shortcut.empty())
      a->setShortcut(QKeySequence::fromString(QString::fromLatin1(spec.shortcut.data()), QKeySequence::PortableText));
    a->setIcon(ActionIcon(spec.id));
    a->setEnabled(false);
    actions_[static_cast<size_t>(spec.id)] = a;
  }
  wrap_group_ = new QActionGroup(this);
  wrap_group_->setExclusive(true);
  for (ActionId id : {ActionId::WordWrap_Non, ActionId::WordWrap_User, ActionId::WordWrap_Width}) {
    Action(id)->setCheckable(true);
    wrap_group_->addAction(Action(id));
  }
  Action(ActionId::ReadOnly)->setCheckable(true);
  Action(ActionId::insert)->setCheckable(true);
}

void TMainForm::Wire(ActionId id, std::function<void()> handler) {
  wired_.insert(id);
  connect(Action(id), &QAction::triggered, this, [this, handler = std::move(handler)] {
    handler();
    RequestActionUpdate();
  });
  RequestActionUpdate();
}

void TMainForm::WireOwnActions() {
  MainFormCore& c = *core_;
  Wire(ActionId::insert, [&c] { c.ToggleInsert(); });
  Wire(ActionId::ReadOnly, [&c] { c.ToggleReadOnly(); });
  Wire(ActionId::TimeStamp, [&c] { c.InsertTimeStamp(); });
  Wire(ActionId::HistoryBk, [&c] { c.HistoryBack(); });
  Wire(ActionId::HistoryFw, [&c] { c.HistoryForward(); });
  Wire(ActionId::ReOpenItem, [&c] { c.ReOpenItem(); });
  Wire(ActionId::ReOpenGroup, [&c] { c.ReOpenGroup(); });
  Wire(ActionId::Close, [this] { close(); });
  for (ActionId id : {ActionId::WordWrap_Non, ActionId::WordWrap_User, ActionId::WordWrap_Width})
    Wire(id, [&c, id] { c.WordWrapExecute(Spec(id).tag); });
}

void TMainForm::BuildToolBars() {
  ToolBar1 = new QToolBar(QStringLiteral("ToolBar1"), this);
  ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
  ToolBar1->setMovable(false);
  ToolBar1->setIconSize(QSize(16, 16));
  ToolBar1->setFixedHeight(26);
  addToolBar(Qt::TopToolBarArea, ToolBar1);
  ToolBar1->addAction(Action(ActionId::HistoryBk));
  ToolBar1->addAction(Action(ActionId::HistoryFw));
  ToolBar1->addSeparator();
  PopupMenu_Time = new QMenu(this);
  PopupMenu_Time->setObjectName(QStringLiteral("PopupMenu_Time"));
  connect(PopupMenu_Time, &QMenu::aboutToShow, this, &TMainForm::BuildTimeStampMenu);
  ToolBar1->addAction(Action(ActionId::TimeStamp));
  if (auto* b = qobject_cast<QToolButton*>(ToolBar1->widgetForAction(Action(ActionId::TimeStamp)))) {
    b->setMenu(PopupMenu_Time);
    b->setPopupMode(QToolButton::MenuButtonPopup);
  }
  ToolBar1->addSeparator();
  ToolBar1->addAction(Action(ActionId::WordWrap_Non));
  ToolBar1->addAction(Action(ActionId::WordWrap_User));
  ToolBar1->addAction(Action(ActionId::WordWrap_Width));
  ToolBar1->addSeparator();
  ToolBar1->addAction(Action(ActionId::ReadOnly));
  ToolBar1->addAction(Action(ActionId::insert));
  for (ActionId id : {ActionId::WordWrap_Non, ActionId::WordWrap_User, ActionId::WordWrap_Width})
    ToolBar1->widgetForAction(Action(id))->setObjectName(QString::fromLatin1("ToolButton_") +
                                                         Action(id)->objectName().mid(7));

  // Panel_LeftSide: the vertical tool bar of the list commands, starting with a blank button.
  ToolBar2 = new QToolBar(QStringLiteral("ToolBar2"), this);
  ToolBar2->setObjectName(QStringLiteral("ToolBar2"));
  ToolBar2->setMovable(false);
  ToolBar2->setOrientation(Qt::Vertical);
  ToolBar2->setIconSize(QSize(16, 16));
  ToolBar2->setFixedWidth(27);
  addToolBar(Qt::LeftToolBarArea, ToolBar2);
  auto* blank = new QAction(this);
  blank->setEnabled(false);
  ToolBar2->addAction(blank);
}

void TMainForm::BuildMenus() {
  QMenuBar* bar = menuBar();
  QMenu* file = bar->addMenu(QStringLiteral("ファイル(&F)"));
  file->addAction(Action(ActionId::Close));
  QMenu* edit = bar->addMenu(QStringLiteral("編集(&E)"));
  edit->addAction(Action(ActionId::insert));
  edit->addAction(Action(ActionId::ReadOnly));
  edit->addAction(Action(ActionId::TimeStamp));
  QMenu* group = bar->addMenu(QStringLiteral("グループ(&G)"));
  group->addAction(Action(ActionId::ReOpenGroup));
  Menu_Item = bar->addMenu(QStringLiteral("アイテム(&I)"));
  Menu_Item->setObjectName(QStringLiteral("Menu_Item"));
  Menu_Item->addAction(Action(ActionId::ReOpenItem));
  Menu_Item->addSeparator();
  connect(Menu_Item, &QMenu::aboutToShow, this, [this] { BuildMoveCopyMenu(Menu_Item); });
  QMenu* view = bar->addMenu(QStringLiteral("表示(&V)"));
  view->addAction(Action(ActionId::HistoryBk));
  view->addAction(Action(ActionId::HistoryFw));

  PopupMenu_Item = new QMenu(this);
  PopupMenu_Item->setObjectName(QStringLiteral("PopupMenu_Item"));
  connect(PopupMenu_Item, &QMenu::aboutToShow, this, [this] { BuildMoveCopyMenu(PopupMenu_Item); });
}

void TMainForm::BuildStatusBar() {
  static constexpr int kWidths[7] = {100, 100, 50, 70, 100, 80, 100};
  QStatusBar* bar = statusBar();
  bar->setFixedHeight(19);
  for (int i = 0; i < 7; ++i) {
    auto* label = new QLabel(bar);
    label->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
    label->setFixedWidth(kWidths[i]);
    label->setAlignment(i == 6 ? (Qt::AlignLeft | Qt::AlignVCenter) : Qt::AlignCenter);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    bar->addWidget(label);
    panels_[static_cast<size_t>(i)] = label;
  }
}

// ---- geometry and layout

void TMainForm::RestoreGeometry() {
  const store::TMainDataClass& d = core_->MainData();
  ApplyListLayout();
  SetDefaultListSizes();
  QScreen* screen = QGuiApplication::primaryScreen();
  const QRect screenRect = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
  if (!GeometryUsable(d, {screenRect.width(), screenRect.height()})) {
    resize(kDesignedWidth, kDesignedHeight);
    const QRect avail = screen ? screen->availableGeometry() : screenRect;
    move(avail.center() - QPoint(kDesignedWidth / 2, kDesignedHeight / 2));
    return;
  }
  if (d.WindowStateMaximized) {
    resize(kDesignedWidth, kDesignedHeight);
    move(213, 199);
    setWindowState(windowState() | Qt::WindowMaximized);
  } else {
    setWindowState(windowState() & ~Qt::WindowMaximized);
    move(d.Left, d.Top);
    resize(d.Width, d.Heigth);
  }
  RestoreSplitPositions();
}

void TMainForm::ApplyListLayout() {
  const ListArrangement a = ArrangementOf(core_->MainData().ListBoxViewType);
  Splitter1->setOrientation(a.paneOnTop ? Qt::Vertical : Qt::Horizontal);
  Splitter_ListBox->setOrientation(a.listsSideBySide ? Qt::Horizontal : Qt::Vertical);
  UpdateSplitterMinimums();
}

void TMainForm::SetDefaultListSizes() {
  if (isVisible() && shown_) {
    const SplitSizes s = DefaultListSizes(core_->MainData().ListBoxViewType, Splitter1->width(), Splitter1->height());
    ApplySplitSizes(s);
  } else {
    pending_split_ = std::optional<SplitSizes>();
  }
}

void TMainForm::RestoreSplitPositions() {
  const SplitSizes s{core_->MainData().SplitPositionX, core_->MainData().SplitPositionY};
  if (isVisible() && shown_) {
    ApplySplitSizes(s);
  } else {
    pending_split_ = std::optional<SplitSizes>(s);
  }
}

void TMainForm::ApplyPendingSplit() {
  if (!pending_split_) return;
  std::optional<SplitSizes> s = *pending_split_;
  pending_split_.reset();
  if (!s) s = DefaultListSizes(core_->MainData().ListBoxViewType, Splitter1->width(), Splitter1->height());
  ApplySplitSizes(*s);
}

void TMainForm::ApplySplitSizes(SplitSizes s) {
  const ListArrangement a = ArrangementOf(core_->MainData().ListBoxViewType);
  const int h = kSplitterThickness;
  // Sizes are given whole, so the splitter has no space of its own to share out by weight.
  const int total1 = (a.paneOnTop ? Splitter1->height() : Splitter1->width()) - h;
  const int pane = std::max(1, std::min(s.pane, total1 - 1));
  Splitter1->setSizes({pane, std::max(1, total1 - pane)});
  const int paneWidth = a.paneOnTop ? Splitter1->width() : pane;
  const int paneHeight = a.paneOnTop ? pane : Splitter1->height();
  const int total2 = (a.listsSideBySide ? paneWidth : paneHeight) - h;
  const int group = std::max(1, std::min(s.group, total2 - 1));
  Splitter_ListBox->setSizes({group, std::max(1, total2 - group)});
  UpdateSplitterMinimums();
}

void TMainForm::UpdateSplitterMinimums() {
  const int viewType = core_->MainData().ListBoxViewType;
  const ListArrangement a = ArrangementOf(viewType);
  const QList<int> inner = Splitter_ListBox->sizes();
  const int listPosition = inner.isEmpty() ? 0 : inner[0];
  const int paneLeast = SplitterLeastSize(kMainSplitterTag, viewType, listPosition) + 1;
  Panel_Left->setMinimumSize(a.paneOnTop ? 0 : paneLeast, a.paneOnTop ? paneLeast : 0);
  const int groupLeast = SplitterLeastSize(0, viewType, 0) + 1;
  Panel_Group->setMinimumSize(a.listsSideBySide ? groupLeast : 0, a.listsSideBySide ? 0 : groupLeast);
}

SplitSizes TMainForm::CurrentSplitSizes() const {
  const QList<int> outer = Splitter1->sizes();
  const QList<int> inner = Splitter_ListBox->sizes();
  return {outer.isEmpty() ? 0 : outer[0], inner.isEmpty() ? 0 : inner[0]};
}

void TMainForm::StoreSplitPositions() {
  const SplitSizes s = CurrentSplitSizes();
  core_->MainData().SplitPositionX = s.pane;
  core_->MainData().SplitPositionY = s.group;
}

void TMainForm::StoreWindowGeometry() {
  mainwin::StoreWindowGeometry(core_->MainData(), {isMaximized(), y(), x(), width(), height()}, CurrentSplitSizes());
}

void TMainForm::ApplyListFontSizes() {
  ListBox_Group->SetLook(GroupLook(core_->MainData()));
  ListBox_Item->SetLook(ItemLook(core_->MainData()));
}

// ---- show and close

void TMainForm::showEvent(QShowEvent* e) {
  QMainWindow::showEvent(e);
  if (shown_) return;
  shown_ = true;
  if (QLayout* l = layout()) l->activate();
  ApplyPendingSplit();
  core_->FormShow();
  ApplyShortCuts();
  ApplyListFontSizes();
  SetEditorIcon();
  // Typing goes to the open item straight away.
  if (MainEditor->isEnabled()) MainEditor->setFocus();
  // The input method's open state cannot be set through Qt on Linux: IME_ON is kept, not applied.
  RequestActionUpdate();
}

void TMainForm::ApplyShortCuts() {
  std::vector<std::string> current;
  current.reserve(kActionCount);
  for (QAction* a : actions_) current.push_back(a->shortcut().toString(QKeySequence::PortableText).toStdString());
  const std::vector<std::string> texts = core_->ListData().ApplyShortCuts(current);
  for (size_t k = 0; k < actions_.size() && k < texts.size(); ++k)
    actions_[k]->setShortcut(QKeySequence::fromString(QString::fromStdString(texts[k]), QKeySequence::PortableText));
}

void TMainForm::SetEditorIcon() {
  const std::string name = DefaultTextEditorIcon(Env("XDG_CONFIG_HOME").isEmpty()
                                                     ? (Env("HOME") + QStringLiteral("/.config")).toStdString()
                                                     : Env("XDG_CONFIG_HOME").toStdString(),
                                                 Env("XDG_CONFIG_DIRS").toStdString(),
                                                 Env("XDG_DATA_HOME").isEmpty()
                                                     ? (Env("HOME") + QStringLiteral("/.local/share")).toStdString()
                                                     : Env("XDG_DATA_HOME").toStdString(),
                                                 Env("XDG_DATA_DIRS").toStdString());
  QIcon icon = QIcon::fromTheme(QString::fromStdString(name));
  if (icon.isNull()) icon = QIcon::fromTheme(QStringLiteral("accessories-text-editor"));
  if (!icon.isNull()) Action(ActionId::OpenFormEditor)->setIcon(icon);
}

void TMainForm::closeEvent(QCloseEvent* e) {
  RunCloseSteps();
  e->accept();
}

void TMainForm::RunCloseSteps() {
  if (closed_) return;
  closed_ = true;
  core_->FormClose({isMaximized(), y(), x(), width(), height()}, CurrentSplitSizes());
}

// ---- menus

void TMainForm::BuildMoveCopyMenu(QMenu* menu) {
  const QList<QAction*> entries = menu->actions();
  for (qsizetype k = entries.size() - 1; k >= 0; --k) {
    QAction* a = entries[k];
    if (a->property("tag").toInt() > 9999) {
      menu->removeAction(a);
      if (a->menu()) a->menu()->deleteLater();
      a->deleteLater();
    }
  }
  const std::vector<std::string> groups = core_->MoveCopyTargets();
  const bool enabled = core_->MoveCopyEnabled();
  for (const auto& [caption, tag, move] : {std::tuple{QStringLiteral("他のグループへ移動"), 10000, true},
                                          std::tuple{QStringLiteral("他のグループへコピー"), 20000, false}}) {
    auto* sub = new QMenu(caption, menu);
    sub->menuAction()->setProperty("tag", tag);
    sub->setEnabled(enabled);
    for (size_t g = 0; g < groups.size(); ++g) {
      QString name = Unicode(groups[g]);
      QAction* entry = sub->addAction(name.replace(QLatin1Char('&'), QStringLiteral("&&")));
      entry->setProperty("tag", static_cast<int>(g));
      const int target = static_cast<int>(g);
      const bool isMove = move;
      connect(entry, &QAction::triggered, this, [this, target, isMove] {
        core_->MoveCopyItemToGroup(target, isMove);
        RequestActionUpdate();
      });
    }
    menu->addMenu(sub);
  }
}

void TMainForm::BuildTimeStampMenu() {
  PopupMenu_Time->clear();
  PopupMenu_Time->addAction(Action(ActionId::EditEditor_TimeOpen));
  PopupMenu_Time->addSeparator();
  auto* group = new QActionGroup(PopupMenu_Time);
  group->setExclusive(true);
  for (const TimeStampMenuEntry& entry : core_->TimeStampMenu()) {
    // No access keys in this menu: an "&" of a format is text.
    QString caption = Unicode(entry.caption);
    caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
    QAction* a = PopupMenu_Time->addAction(caption);
    a->setCheckable(true);
    a->setChecked(entry.checked);
    a->setProperty("tag", entry.tag);
    group->addAction(a);
    const int tag = entry.tag;
    connect(a, &QAction::triggered, this, [this, tag] { core_->ChooseTimeStamp(tag); });
  }
}

void TMainForm::RequestActionUpdate() {
  if (!idle_.isActive()) idle_.start();
}

// ---- events

bool TMainForm::eventFilter(QObject* watched, QEvent* e) {
  switch (e->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::FocusIn:
    case QEvent::Drop:
    case QEvent::InputMethod:
    case QEvent::Shortcut:
      RequestActionUpdate();
      break;
    default: break;
  }
  if (!core_) return false;
  if (watched == MainEditor) return EditorEvent(e);
  if (watched == MainEditor->viewport()) return EditorViewportEvent(e);
  return false;
}

bool TMainForm::EditorEvent(QEvent* e) {
  if (e->type() == QEvent::Resize && !in_wrap_update_) {
    in_wrap_update_ = true;
    core_->UpdateWrapState();
    in_wrap_update_ = false;
  } else if (e->type() == QEvent::KeyPress) {
    auto* k = static_cast<QKeyEvent*>(e);
    editor::KeyCode key = k->key();
    if (k->key() == Qt::Key_Delete) key = editor::keys::kDelete;
    if (k->key() == Qt::Key_Backspace) key = editor::keys::kBackspace;
    core_->EditorKeyPress(key, ToModifiers(k->modifiers()));
  }
  return false;
}

bool TMainForm::EditorViewportEvent(QEvent* e) {
  if (resending_) return false;
  switch (e->type()) {
    case QEvent::MouseButtonPress: {
      auto* m = static_cast<QMouseEvent*>(e);
      core_->EditorMousePress(ToButton(m->button()), ToModifiers(m->modifiers()));
      return false;
    }
    case QEvent::MouseMove: {
      auto* m = static_cast<QMouseEvent*>(e);
      // The editor sets its own cursor first; the link rules then have the last word.
      resending_ = true;
      QCoreApplication::sendEvent(MainEditor->viewport(), e);
      resending_ = false;
      const QPoint p = m->position().toPoint();
      switch (core_->EditorMouseMove(p.x(), p.y())) {
        case EditorCursor::IBeam: MainEditor->viewport()->setCursor(Qt::IBeamCursor); break;
        case EditorCursor::Hand: MainEditor->viewport()->setCursor(Qt::PointingHandCursor); break;
        case EditorCursor::Arrow: MainEditor->viewport()->setCursor(Qt::ArrowCursor); break;
        case EditorCursor::Editor: break;
      }
      return true;
    }
    case QEvent::MouseButtonDblClick: {
      auto* m = static_cast<QMouseEvent*>(e);
      const QPoint p = m->position().toPoint();
      return core_->EditorDoubleClick(p.x(), p.y());
    }
    case QEvent::Wheel: {
      auto* w = static_cast<QWheelEvent*>(e);
      wheel_remainder_ += w->angleDelta().y();
      const int steps = wheel_remainder_ / 120;
      wheel_remainder_ -= steps * 120;
      if (steps != 0) core_->Wheel(steps);
      e->accept();
      return true;
    }
    default: return false;
  }
}

// ---- MainFormHost

int TMainForm::EditorWidth() const { return MainEditor->width(); }

bool TMainForm::EditorVerticalBarShown() const {
  return MainEditor->verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOn;
}

int TMainForm::ScrollBarArrowHeight() const { return MainEditor->style()->pixelMetric(QStyle::PM_ScrollBarExtent); }

void TMainForm::SetEditorEnabled(bool on) {
  if (MainEditor->isEnabled() != on) MainEditor->setEnabled(on);
}

void TMainForm::ShowWrapMode(WrapMode mode) {
  const ActionId id = mode == WrapMode::None   ? ActionId::WordWrap_Non
                      : mode == WrapMode::User ? ActionId::WordWrap_User
                                               : ActionId::WordWrap_Width;
  Action(id)->setChecked(true);
}

void TMainForm::SetActionEnabled(ActionId id, bool on) {
  QAction* a = Action(id);
  const bool want = on && Wired(id);
  if (a->isEnabled() != want) a->setEnabled(want);
}

void TMainForm::SetActionChecked(ActionId id, bool on) {
  QAction* a = Action(id);
  if (!a->isCheckable()) a->setCheckable(true);
  a->setChecked(on);
}

void TMainForm::SetStatusText(int panel, const std::string& text) {
  if (panel < 0 || panel >= 7) return;
  const QString s = QString::fromUtf8(text);
  if (panels_[static_cast<size_t>(panel)]->text() != s) panels_[static_cast<size_t>(panel)]->setText(s);
}

void TMainForm::ShowError(const std::string& text) { boxes_->Error(this, MessageText(text)); }

bool TMainForm::ConfirmWarning(const std::string& caption, const std::string& text) {
  return boxes_->ConfirmWarning(this, QString::fromUtf8(caption), MessageText(text));
}

void TMainForm::OpenLink(const std::string& target) {
  boxes_->OpenUrl(QUrl(Unicode(target), QUrl::TolerantMode));
}

void TMainForm::ShowMessage(const std::string& text) { boxes_->Notice(this, MessageText(text)); }

}  // namespace mainwin::qt
