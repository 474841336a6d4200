#include "editorsettings/qt/editeditordlg.h"

#include <QCheckBox>
#include <QKeySequence>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <stdexcept>

#include "editor/qt/editorfont.h"
#include "editor/qt/oleddeditor.h"
#include "editorsettings/qt/editor1sheet.h"
#include "editorsettings/qt/editor2sheet.h"
#include "editorsettings/qt/editor3sheet.h"
#include "editorsettings/qt/etcsheet.h"
#include "editorsettings/qt/listboxsheet.h"
#include "editorsettings/qt/pageutil.h"
#include "editorsettings/qt/settingsboxes.h"
#include "editorsettings/qt/timestampsheet.h"
#include "editorsettings/shortcutlist.h"

namespace editorsettings::qt {

namespace {

// A stored shortcut text as the hot-key field writes it; "" for none or an unknown key.
std::string CanonicalShortcut(const std::string& text) {
  const QKeySequence seq = QKeySequence::fromString(U8(ParsableShortcutText(text)), QKeySequence::PortableText);
  if (seq.isEmpty()) return {};
  for (int k = 0; k < seq.count(); ++k)
    if (seq[k].key() == Qt::Key_unknown) return {};
  return seq.toString(QKeySequence::PortableText).toStdString();
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

void TEditEditorDlg::BuildControls() {
  auto* root = new QVBoxLayout(this);
  PageControl = new QTabWidget(this);
  const PageHost pageHost{*this, *boxes_, initialising_, loaded_};
  TabSheet_Editor1 = new Editor1Sheet;
  TabSheet_Editor2 = new Editor2Sheet(pages_, pageHost);
  TabSheet_Editor3 = new Editor3Sheet(pages_, [this] {
    TabSheet_Editor2->FillColorList();
    if (loaded_) pages_.colors.ApplyTo(Preview());
  });
  TabSheet_ListBox = new ListBoxSheet(app_.lists, *boxes_);
  TabSheet_TimeStamp = new TimeStampSheet(app_.stamps, Clock);
  TabSheet_etc1 = new EtcSheet(app_, host_, *boxes_);
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

// ---- the run

editor::EditorModel& TEditEditorDlg::Preview() { return OleddEditor_Prev->Model(); }

bool TEditEditorDlg::WidthWordWrap() const { return TabSheet_Editor1->CheckBox_WidthWordWrap->isChecked(); }

void TEditEditorDlg::SetWidthWordWrap(bool on) { TabSheet_Editor1->CheckBox_WidthWordWrap->setChecked(on); }

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
  TabSheet_Editor1->Load(v);
  TabSheet_Editor2->Load(v);
  TabSheet_Editor3->Load(v);
  TabSheet_ListBox->Load();
  TabSheet_TimeStamp->Load();
  TabSheet_etc1->Load();

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
  const std::string leader = loaded_ ? TabSheet_Editor3->Commenter() : Preview().View().Commenter();
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
  TabSheet_Editor1->Read(v);
  TabSheet_Editor2->Read(v);
  TabSheet_Editor3->Read(v);
}

void TEditEditorDlg::ApplyAllToPreview() {
  ReadEditorControls();
  pages_.ApplyAll(Preview());
}

int TEditEditorDlg::ColorEntry() const { return TabSheet_Editor2->ColorEntry(); }

// ---- closing

void TEditEditorDlg::OkClicked() {
  if (!loaded_) LoadControls();
  ValidationInput in;
  TabSheet_Editor1->FillValidation(in);
  in.listFontSelected = TabSheet_ListBox->FontSelected();
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
