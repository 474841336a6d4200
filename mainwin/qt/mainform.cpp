#include "mainwin/qt/mainform.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFile>
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
#include <algorithm>
#include <cstdlib>

#include "codec/qt/qtcp932.h"
#include "editor/qt/editorfont.h"
#include "editor/qt/oleddeditor.h"
#include "editorsettings/listlook.h"
#include "editorsettings/shortcutlist.h"
#include "mainwin/desktop.h"
#include "mainwin/qt/aboutbox.h"
#include "mainwin/qt/actionicons.h"
#include "mainwin/qt/findparts.h"
#include "mainwin/qt/groupeditform.h"
#include "mainwin/qt/listbox_kor.h"
#include "mainwin/qt/multidelete.h"
#include "mainwin/qt/panel_drop.h"
#include "mainwin/recovery.h"

namespace mainwin::qt {

using codec::qt::FromCp932;
using codec::qt::MessageText;

namespace {

const QString kCaption = QStringLiteral("ソラメtext");

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

}  // namespace

// ---- message boxes

void MessageBoxes::Error(QWidget* parent, const QString& text) { QMessageBox::critical(parent, kCaption, text); }

void MessageBoxes::Notice(QWidget* parent, const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, kCaption, text, QMessageBox::Ok, parent);
  box.exec();
}

bool MessageBoxes::Ask(QWidget* parent, const QString& caption, const QString& text, BoxIcon icon, bool cancel) {
  static constexpr QMessageBox::Icon kIcons[] = {QMessageBox::NoIcon, QMessageBox::Information, QMessageBox::Warning,
                                                 QMessageBox::Question, QMessageBox::Critical};
  QMessageBox box(kIcons[static_cast<int>(icon)], caption, text,
                  cancel ? QMessageBox::Ok | QMessageBox::Cancel : QMessageBox::Ok, parent);
  box.setDefaultButton(QMessageBox::Ok);
  return box.exec() == QMessageBox::Ok;
}

bool MessageBoxes::EntryDialog(QWidget* parent, const QString& caption, EntryFields& fields, int& replaced) {
  TGroupEditForm form(parent);
  form.setWindowTitle(caption);
  form.SetFields(fields);
  if (form.exec() != QDialog::Accepted) return false;
  fields = form.Fields();
  replaced = form.ReplacedInName();
  return true;
}

bool MessageBoxes::MultiDeleteDialog(QWidget* owner, const std::vector<std::string>& names,
                                     std::vector<int>& selected) {
  return TForm_MultiDelete1::Run(owner, names, selected);
}

void MessageBoxes::About(QWidget* parent) { TAboutBox::Run(parent); }

bool MessageBoxes::OpenUrl(const QUrl& url) { return QDesktopServices::openUrl(url); }

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
  setWindowIcon(ProgramIcon());
  QFont windowFont(QStringLiteral("ＭＳ Ｐゴシック"));
  windowFont.setPixelSize(12);
  setFont(windowFont);

  BuildControls();
  MainEditor->ApplyMainValues();
  std::string folder = options.dataFolder.toStdString();
  core_ = std::make_unique<MainFormCore>(folder, MainEditor->Model(), static_cast<MainFormHost&>(*this));
  core_->SetRecoveryRoot(options.recoveryRoot.isEmpty()
                             ? RecoveryRoot(Env("XDG_STATE_HOME").toStdString(), Env("HOME").toStdString())
                             : QFile::encodeName(options.recoveryRoot).toStdString());
  BuildActions();
  BuildToolBars();
  BuildMenus();
  BuildStatusBar();
  BuildCommandParts(options);

  // The lists draw from the stores and talk to the core's list bookkeeping.
  auto groupStyle = [this](int row) -> std::pair<store::TColor, uint8_t> {
    auto& g = core_->Data().Groups();
    if (row < 0 || row >= g.Count()) return {core_->Data().MainData().GroupFontColor, 0};
    const auto& e = g.EntryAt(row);
    return {e.ListTxtColor, e.FontStyle};
  };
  auto itemStyle = [this](int row) -> std::pair<store::TColor, uint8_t> {
    auto& i = core_->Data().Items();
    if (row < 0 || row >= i.Count()) return {core_->Data().MainData().ItemFontColor, 0};
    const auto& e = i.EntryAt(row);
    return {e.ListTxtColor, e.FontStyle};
  };
  ListBox_Group = new TListBox_kor(core_->GroupList(), groupStyle, Panel_Group);
  ListBox_Item = new TListBox_kor(core_->ItemList(), itemStyle, Panel_Drop_Item);
  Panel_Group->layout()->addWidget(ListBox_Group);
  Panel_Drop_Item->layout()->addWidget(ListBox_Item);
  for (TListBox_kor* list : {ListBox_Group, ListBox_Item}) {
    list->setMinimumSize(1, 1);
    connect(list, &TListBox_kor::entryDoubleClicked, this, [this](int tag) {
      commands_->Entries().EditEntry(tag);
      RequestActionUpdate();
      emit entryEditRequested(tag);
    });
    connect(list, &TListBox_kor::entryDropped, this, [this](int source, int target, int row, bool ctrl) {
      commands_->Entries().DropEntry(source, target, row, ctrl);
      RequestActionUpdate();
    });
  }
  ListBox_Group->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(ListBox_Group, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& pos) { PopupMenu_Group->popup(ListBox_Group->viewport()->mapToGlobal(pos)); });
  ListBox_Item->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(ListBox_Item, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& pos) { PopupMenu_Item->popup(ListBox_Item->viewport()->mapToGlobal(pos)); });
  MainEditor->SetPopupMenu(PopupMenu_Editor);
  connect(Panel_Drop_Item, &TPanel_Drop::dropFiles, this,
          [this](TPanel_Drop* panel) { emit filesDropped(panel->Files()); });

  idle_.setSingleShot(true);
  idle_.setInterval(0);
  connect(&idle_, &QTimer::timeout, this, [this] {
    core_->ActionListUpdate();
    if (shown_ && !closed_) WatchDataFiles(false);  // the open group may be another one
  });
  // One application-wide filter: it arms the idle update on input and sees the editor's events
  // before the editor does.
  qApp->installEventFilter(this);
  connect(MainEditor, &editor::qt::TEditor::changed, this, &TMainForm::RequestActionUpdate);
  connect(MainEditor, &editor::qt::TEditor::caretMoved, this, &TMainForm::RequestActionUpdate);
  connect(MainEditor, &editor::qt::TEditor::selectionChanged, this, &TMainForm::RequestActionUpdate);
  connect(MainEditor, &editor::qt::TEditor::charactersReplaced, this, &TMainForm::ShowCharactersReplaced);

  // FormCreate: the records, then the layout and the window's geometry.
  core_->FormCreate();
  ApplyListFontSizes();
  RestoreGeometry();

  outside_.setSingleShot(true);
  outside_.setInterval(400);
  connect(&outside_, &QTimer::timeout, this, &TMainForm::TakeOutsideChanges);
  connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, &TMainForm::DataFolderChanged);
  connect(&watcher_, &QFileSystemWatcher::fileChanged, this, &TMainForm::DataFolderChanged);

  Timer1.setInterval(10);
  Timer1.setSingleShot(true);
  connect(&Timer1, &QTimer::timeout, this, [this] { core_->ItemList().MakeTopVisible(core_->ItemList().ItemIndex()); });
  Timer1.start();
  WireEditorSettings();
}

TMainForm::~TMainForm() {
  qApp->removeEventFilter(this);
  RunCloseSteps(true);
  core_->FormDestroy();
  // The lists show the core's list models and tell them when they go: they must go first, not
  // with the other child widgets after core_ is freed.
  delete ListBox_Group;
  delete ListBox_Item;
  ListBox_Group = ListBox_Item = nullptr;
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
    a->setProperty("tag", spec.tag);
    a->setShortcut(ShortcutOf(std::string(spec.shortcut)));
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

void TMainForm::BuildToolBars() {
  PopupMenu_Time = new QMenu(this);
  PopupMenu_Time->setObjectName(QStringLiteral("PopupMenu_Time"));
  connect(PopupMenu_Time, &QMenu::aboutToShow, this, &TMainForm::BuildTimeStampMenu);

  ToolBar1 = new QToolBar(QStringLiteral("ToolBar1"), this);
  ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
  ToolBar1->setMovable(false);
  ToolBar1->setIconSize(QSize(16, 16));
  ToolBar1->setFixedHeight(26);
  ToolBar1->setStyleSheet(QStringLiteral("QToolBar { spacing: 0px; } QToolBar::separator { width: 8px; }"));
  addToolBar(Qt::TopToolBarArea, ToolBar1);
  for (const MenuEntry& e : ToolBar1Layout()) {
    if (e.kind == MenuEntry::Kind::Separator) {
      ToolBar1->addSeparator();
      continue;
    }
    ToolBar1->addAction(Action(e.id));
    auto* b = qobject_cast<QToolButton*>(ToolBar1->widgetForAction(Action(e.id)));
    if (!b) continue;
    // The time-stamp button inserts with the chosen format and drops its menu down beside.
    if (e.id == ActionId::TimeStamp) {
      b->setMenu(PopupMenu_Time);
      b->setPopupMode(QToolButton::MenuButtonPopup);
      b->setFixedSize(39, 23);
    } else {
      b->setFixedSize(27, 23);
    }
    if (e.id == ActionId::WordWrap_Non || e.id == ActionId::WordWrap_User || e.id == ActionId::WordWrap_Width)
      b->setObjectName(QString::fromLatin1("ToolButton_") + Action(e.id)->objectName().mid(7));
  }

  // Panel_LeftSide: the vertical tool bar of the list commands, starting with a blank button.
  ToolBar2 = new QToolBar(QStringLiteral("ToolBar2"), this);
  ToolBar2->setObjectName(QStringLiteral("ToolBar2"));
  ToolBar2->setMovable(false);
  ToolBar2->setOrientation(Qt::Vertical);
  ToolBar2->setIconSize(QSize(16, 16));
  ToolBar2->setFixedWidth(27);
  ToolBar2->setStyleSheet(QStringLiteral("QToolBar { spacing: 0px; } QToolBar::separator { height: 8px; }"));
  addToolBar(Qt::LeftToolBarArea, ToolBar2);
  for (const MenuEntry& e : ToolBar2Layout()) {
    QAction* a = nullptr;
    switch (e.kind) {
      case MenuEntry::Kind::Separator: ToolBar2->addSeparator(); continue;
      case MenuEntry::Kind::Blank:
        a = new QAction(this);
        a->setEnabled(false);
        break;
      default: a = Action(e.id); break;
    }
    ToolBar2->addAction(a);
    if (QWidget* b = ToolBar2->widgetForAction(a)) b->setFixedSize(25, 23);
  }
}

void TMainForm::FillMenu(QMenu* menu, const std::vector<MenuEntry>& entries) {
  for (const MenuEntry& e : entries) {
    switch (e.kind) {
      case MenuEntry::Kind::Command: menu->addAction(Action(e.id)); break;
      case MenuEntry::Kind::Separator: menu->addSeparator(); break;
      case MenuEntry::Kind::About:
        MenuItem_About = menu->addAction(QStringLiteral("バージョン情報"));
        MenuItem_About->setObjectName(QStringLiteral("MenuItem_About"));
        connect(MenuItem_About, &QAction::triggered, this, [this] { boxes_->About(this); });
        break;
      // The move/copy sub-menus are appended whenever the menu opens.
      case MenuEntry::Kind::MoveCopy:
        connect(menu, &QMenu::aboutToShow, this, [this, menu] { BuildMoveCopyMenu(menu); });
        break;
      case MenuEntry::Kind::Blank: break;
      case MenuEntry::Kind::Bookmarks: AddBookmarkMenus(menu); break;
    }
  }
}

void TMainForm::AddBookmarkMenus(QMenu* menu) {
  // The editor's own menu model names the commands and their keys; the editor leaves its own
  // shortcuts to the window once the window supplies the menu, so the window carries them.
  for (const editor::MenuItem& sub : MainEditor->Model().PopupMenu()) {
    if (sub.items.empty()) continue;
    const editor::MenuAction kind = sub.items.front().action;
    if (kind != editor::MenuAction::ToggleMark && kind != editor::MenuAction::GotoMark) continue;
    QMenu* m = menu->addMenu(QString::fromStdString(sub.caption));
    m->setObjectName(kind == editor::MenuAction::ToggleMark ? QStringLiteral("PopupMenu_SetMark")
                                                            : QStringLiteral("PopupMenu_GotoMark"));
    for (const editor::MenuItem& item : sub.items) {
      QAction* a = m->addAction(QString::fromStdString(item.caption));
      a->setProperty("editorShortcut", QString::fromStdString(item.shortcut));
      a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
      a->setShortcutVisibleInContextMenu(true);
      a->setCheckable(true);
      MainEditor->addAction(a);  // the keys work while the editor has the focus
      const editor::MenuAction action = item.action;
      const int argument = item.argument;
      connect(a, &QAction::triggered, this, [this, action, argument] {
        MainEditor->Model().ExecuteMenu(action, argument);
        RequestActionUpdate();
      });
      bookmark_actions_.push_back(a);
    }
  }
  // Check marks show the marks in use, as in the editor's own menu.
  connect(menu, &QMenu::aboutToShow, this, [this] {
    size_t k = 0;
    for (const editor::MenuItem& sub : MainEditor->Model().PopupMenu())
      for (const editor::MenuItem& item : sub.items)
        if (k < bookmark_actions_.size()) bookmark_actions_[k++]->setChecked(item.checked);
  });
  ApplyBookmarkShortcuts();
}

void TMainForm::ApplyBookmarkShortcuts() {
  for (QAction* b : bookmark_actions_) {
    const QKeySequence keys(b->property("editorShortcut").toString());
    const bool taken =
        std::any_of(actions_.begin(), actions_.end(), [&keys](const QAction* a) { return a && a->shortcut() == keys; });
    b->setShortcut(taken ? QKeySequence() : keys);
  }
}

void TMainForm::BuildMenus() {
  QMenuBar* bar = menuBar();
  bar->setObjectName(QStringLiteral("MainMenu1"));
  for (const MenuLayout& layout : MainMenuLayout()) {
    QMenu* menu = bar->addMenu(QString::fromUtf8(layout.caption.data(), static_cast<qsizetype>(layout.caption.size())));
    FillMenu(menu, layout.entries);
    if (layout.caption == "アイテム(&I)") {
      Menu_Item = menu;
      Menu_Item->setObjectName(QStringLiteral("Menu_Item"));
    }
  }
  PopupMenu_Group = new QMenu(this);
  PopupMenu_Group->setObjectName(QStringLiteral("PopupMenu_Group"));
  FillMenu(PopupMenu_Group, GroupPopupLayout());
  PopupMenu_Item = new QMenu(this);
  PopupMenu_Item->setObjectName(QStringLiteral("PopupMenu_Item"));
  FillMenu(PopupMenu_Item, ItemPopupLayout());
  PopupMenu_Editor = new QMenu(this);
  PopupMenu_Editor->setObjectName(QStringLiteral("PopupMenu_Editor"));
  FillMenu(PopupMenu_Editor, EditorPopupLayout());
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
  const store::TMainDataClass& d = core_->Data().MainData();
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
  const editorsettings::ListArrangement a = editorsettings::ArrangementOf(core_->Data().MainData().ListBoxViewType);
  Splitter1->setOrientation(a.paneOnTop ? Qt::Vertical : Qt::Horizontal);
  Splitter_ListBox->setOrientation(a.listsSideBySide ? Qt::Horizontal : Qt::Vertical);
  UpdateSplitterMinimums();
}

void TMainForm::SetDefaultListSizes() {
  if (isVisible() && shown_) {
    const SplitSizes s =
        DefaultListSizes(core_->Data().MainData().ListBoxViewType, Splitter1->width(), Splitter1->height());
    ApplySplitSizes(s);
  } else {
    pending_split_ = std::optional<SplitSizes>();
  }
}

void TMainForm::RestoreSplitPositions() {
  const SplitSizes s{core_->Data().MainData().SplitPositionX, core_->Data().MainData().SplitPositionY};
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
  if (!s) s = DefaultListSizes(core_->Data().MainData().ListBoxViewType, Splitter1->width(), Splitter1->height());
  ApplySplitSizes(*s);
}

void TMainForm::ApplySplitSizes(SplitSizes s) {
  const editorsettings::ListArrangement a = editorsettings::ArrangementOf(core_->Data().MainData().ListBoxViewType);
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
  const int viewType = core_->Data().MainData().ListBoxViewType;
  const editorsettings::ListArrangement a = editorsettings::ArrangementOf(viewType);
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
  core_->Data().MainData().SplitPositionX = s.pane;
  core_->Data().MainData().SplitPositionY = s.group;
}

void TMainForm::StoreWindowGeometry() {
  mainwin::StoreWindowGeometry(core_->Data().MainData(), {isMaximized(), y(), x(), width(), height()},
                               CurrentSplitSizes());
}

void TMainForm::ApplyListFontSizes() {
  ListBox_Group->SetLook(editorsettings::GroupLook(core_->Data().MainData()));
  ListBox_Item->SetLook(editorsettings::ItemLook(core_->Data().MainData()));
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
  WatchDataFiles(true);
}

QKeySequence TMainForm::ShortcutOf(const std::string& text) {
  const QKeySequence seq = QKeySequence::fromString(QString::fromStdString(editorsettings::ParsableShortcutText(text)),
                                                    QKeySequence::PortableText);
  for (int k = 0; k < seq.count(); ++k)
    if (seq[k].key() == Qt::Key_unknown) return {};
  return seq;
}

void TMainForm::ApplyShortCuts() {
  std::vector<std::string> current;
  current.reserve(kActionCount);
  for (QAction* a : actions_) current.push_back(a->shortcut().toString(QKeySequence::PortableText).toStdString());
  const std::vector<std::string> texts = core_->Data().ListData().ApplyShortCuts(current);
  for (size_t k = 0; k < actions_.size() && k < texts.size(); ++k) actions_[k]->setShortcut(ShortcutOf(texts[k]));
  ApplyBookmarkShortcuts();
}

void TMainForm::SetEditorIcon() {
  const std::string name = DefaultTextEditorIcon(
      Env("XDG_CONFIG_HOME").isEmpty() ? (Env("HOME") + QStringLiteral("/.config")).toStdString()
                                       : Env("XDG_CONFIG_HOME").toStdString(),
      Env("XDG_CONFIG_DIRS").toStdString(),
      Env("XDG_DATA_HOME").isEmpty() ? (Env("HOME") + QStringLiteral("/.local/share")).toStdString()
                                     : Env("XDG_DATA_HOME").toStdString(),
      Env("XDG_DATA_DIRS").toStdString());
  QIcon icon = QIcon::fromTheme(QString::fromStdString(name));
  if (icon.isNull()) icon = QIcon::fromTheme(QStringLiteral("accessories-text-editor"));
  if (!icon.isNull()) Action(ActionId::OpenFormEditor)->setIcon(icon);
}

void TMainForm::closeEvent(QCloseEvent* e) {
  bool closing = RunCloseSteps(unattended_);
  // A termination while the close question was open: nobody answers it any more.
  if (!closing && unattended_) closing = RunCloseSteps(true);
  if (!closing) {
    e->ignore();
    return;
  }
  e->accept();
}

bool TMainForm::RunCloseSteps(bool unattended) {
  if (closed_) return true;
  closed_ = true;
  if (unattended) unattended_ = true;
  outside_.stop();
  if (!core_->FormClose({isMaximized(), y(), x(), width(), height()}, CurrentSplitSizes(),
                        unattended ? CloseMode::Unattended : CloseMode::Interactive)) {
    closed_ = false;
    return false;
  }
  return true;
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
  const std::vector<std::string> groups = commands_->Entries().MoveCopyTargets();
  const bool enabled = commands_->Entries().MoveCopyEnabled();
  for (const auto& [caption, tag, move] : {std::tuple{QStringLiteral("他のグループへ移動"), 10000, true},
                                           std::tuple{QStringLiteral("他のグループへコピー"), 20000, false}}) {
    auto* sub = new QMenu(caption, menu);
    sub->menuAction()->setProperty("tag", tag);
    sub->setEnabled(enabled);
    for (size_t g = 0; g < groups.size(); ++g) {
      QString name = FromCp932(groups[g]);
      QAction* entry = sub->addAction(name.replace(QLatin1Char('&'), QStringLiteral("&&")));
      entry->setProperty("tag", static_cast<int>(g));
      const int target = static_cast<int>(g);
      const bool isMove = move;
      connect(entry, &QAction::triggered, this, [this, target, isMove] {
        commands_->Entries().MoveCopyItemToGroup(target, isMove);
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
  for (const TimeStampMenuEntry& entry : commands_->History().TimeStampMenu()) {
    // No access keys in this menu: an "&" of a format is text.
    QString caption = FromCp932(entry.caption);
    caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
    QAction* a = PopupMenu_Time->addAction(caption);
    a->setCheckable(true);
    a->setChecked(entry.checked);
    a->setProperty("tag", entry.tag);
    group->addAction(a);
    const int tag = entry.tag;
    connect(a, &QAction::triggered, this, [this, tag] { commands_->History().ChooseTimeStamp(tag); });
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
    case QEvent::Shortcut: RequestActionUpdate(); break;
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

void TMainForm::ShowError(const std::string& text) {
  if (unattended_) {
    ToStandardError(text);
    return;
  }
  boxes_->Error(this, MessageText(text));
}

bool TMainForm::Ask(const Question& q) {
  if (q.yesNo) return boxes_->AskYesNo(this, QString::fromUtf8(q.caption), MessageText(q.text), q.icon);
  return boxes_->Ask(this, QString::fromUtf8(q.caption), MessageText(q.text), q.icon, q.cancel);
}

bool TMainForm::RunEntryDialog(const std::string& caption, EntryFields& fields) {
  int replaced = 0;
  if (!boxes_->EntryDialog(this, QString::fromUtf8(caption), fields, replaced)) return false;
  // A character the stored name cannot hold became "?": say so rather than drop it silently.
  ShowCharactersReplaced(replaced);
  return true;
}

bool TMainForm::RunMultiDeleteDialog(const std::vector<std::string>& names, std::vector<int>& selected) {
  return boxes_->MultiDeleteDialog(this, names, selected);
}

bool TMainForm::RunEditorSettings(int page, bool perGroup) {
  return EditorSettingsRunner ? EditorSettingsRunner(page, perGroup) : false;
}

void TMainForm::ShowCharactersReplaced(int count) {
  if (count > 0) statusBar()->showMessage(QStringLiteral("%1 文字を「?」に置き換えました").arg(count), 5000);
}

void TMainForm::OpenLink(const std::string& target) { boxes_->OpenUrl(QUrl(FromCp932(target), QUrl::TolerantMode)); }

void TMainForm::ShowMessage(const std::string& text) { boxes_->Notice(this, MessageText(text)); }

}  // namespace mainwin::qt
