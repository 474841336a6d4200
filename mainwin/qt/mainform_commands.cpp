// What the commands need of the window: the find commands' host, the print dialog on a job, the
// file dialogs and the desktop for the file commands; and the binding of every action to the
// command table.
#include <QCoreApplication>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>

#include "editor/qt/oleddeditor.h"
#include "mainwin/fileexchange.h"
#include "mainwin/printjobs.h"
#include "mainwin/qt/findparts.h"
#include "mainwin/qt/listbox_kor.h"
#include "mainwin/qt/panel_drop.h"
#include "print/qt/printdialog.h"

namespace mainwin::qt {

namespace {

std::string PathBytes(const QString& path) { return QFile::encodeName(path).toStdString(); }
QString PathText(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }

const QString kTextFilter = QStringLiteral("デフォルト(.txt) (*.txt);;その他 (*)");
const QString kExchangeFilter = QStringLiteral("エクポートデータ(*.sted)");

}  // namespace

// ---- the find commands' host

std::vector<std::string>& TMainForm::WindowFindHost::SearchHistory() {
  return window_.core_->Data().ListData().SearchHistoryList;
}

bool TMainForm::WindowFindHost::FindWarning() const { return window_.core_->Data().MainData().FindWarning; }

store::TRootComponent_Group& TMainForm::WindowFindHost::Groups() { return window_.core_->Data().Groups(); }

int TMainForm::WindowFindHost::SelectedGroup() const { return window_.core_->GroupList().ItemIndex(); }

store::TRootComponent_Item& TMainForm::WindowFindHost::OpenGroupItems() { return window_.core_->Data().Items(); }

void TMainForm::WindowFindHost::StoreOpenItem() {
  window_.core_->Data().StoreEditorIntoItem(window_.core_->OpenItem(), true);
}

bool TMainForm::WindowFindHost::SaveOpenGroup() { return window_.core_->SaveOpenGroup(); }

bool TMainForm::WindowFindHost::SelectGroup(int g) {
  MainFormCore& core = *window_.core_;
  if (g < 0 || g >= core.Data().Groups().Count()) return false;
  // As a click would: the group left is saved and this one loaded.
  core.GroupList().SetItemIndex(g);
  window_.RequestActionUpdate();
  return core.GroupList().ItemIndex() == g;
}

bool TMainForm::WindowFindHost::SelectItem(int i) {
  MainFormCore& core = *window_.core_;
  if (i < -1 || i >= core.Data().Items().Count()) return false;
  core.ItemList().SetItemIndex(i);
  window_.RequestActionUpdate();
  return core.ItemList().ItemIndex() == i;
}

void TMainForm::WindowFindHost::FocusGroupList() {
  window_.activateWindow();
  window_.ListBox_Group->setFocus();
}

void TMainForm::WindowFindHost::FocusEditor() {
  window_.activateWindow();
  if (window_.MainEditor->isEnabled()) window_.MainEditor->setFocus();
}

bool TMainForm::WindowFindHost::Ask(const std::string& caption, const std::string& text,
                                    search::QuestionButtons buttons, search::MessageIcon icon) {
  return window_.boxes_->FindQuestion(&window_, caption, text, buttons, icon);
}

void TMainForm::WindowFindHost::ShowMessage(const std::string& caption, const std::string& text,
                                            search::MessageIcon icon) {
  window_.boxes_->FindMessage(&window_, caption, text, icon);
}

void TMainForm::WindowFindHost::ShowError(const std::string& text) { window_.ShowError(text); }

search::FindCommands& TMainForm::Find() { return find_->find_; }

search::qt::FindDialogsQt& TMainForm::FindDialogs() { return *find_->findDialogs_; }

// ---- building and wiring

void TMainForm::BuildCommandParts(const MainFormOptions& options) {
  find_ = std::make_unique<FindParts>(*this, MainEditor->Model());
  const std::string dataFolder = core_->Data().Folder().Path();
  const std::string outside = options.outsideEditorFolder.isEmpty()
                                  ? OutsideEditorFile(dataFolder)
                                  : PathBytes(options.outsideEditorFolder) +
                                        (options.outsideEditorFolder.endsWith(QLatin1Char('/')) ? "" : "/") +
                                        kOutsideEditorFileName;
  commands_ = std::make_unique<MainCommands>(*core_, static_cast<WindowCommandHost&>(*this),
                                             static_cast<FileExchangeHost&>(*this), outside, &find_->find_);
  // The window never attaches a colouring definition: text prints in the body colours.
  print::ApplyInitialPrintSettings(print_settings_);
  PrintCommand = print::qt::RunPrintCommand;

  for (const ActionSpec& a : ActionTable()) {
    const ActionId id = a.id;
    if (!commands_->Table().Has(id)) continue;
    connect(Action(id), &QAction::triggered, this, [this, id] {
      commands_->Run(id);
      RequestActionUpdate();
    });
  }
  // A new item is there to be written in: the typing goes to the editor at once.
  for (ActionId id : {ActionId::ItemAdd, ActionId::ItemInsert})
    connect(Action(id), &QAction::triggered, this, [this] {
      if (MainEditor->isEnabled() && core_->OpenItem() >= 0) MainEditor->setFocus();
    });
  RequestActionUpdate();

  connect(this, &TMainForm::filesDropped, this, [this](const QStringList& paths) {
    std::vector<std::string> list;
    list.reserve(static_cast<size_t>(paths.size()));
    for (const QString& p : paths) list.push_back(PathBytes(p));
    commands_->Files().Panel_Drop_ItemDropFiles(list);
    RequestActionUpdate();
  });
}

// ---- printing

void TMainForm::RunPrint(const PrintJob& job) {
  PrintCommand(print_settings_, core_->Data().Folder(), job.lines, job.itemName, job.groupName, this);
}

// ---- FileExchangeHost

std::vector<std::string> TMainForm::OpenTextFiles() {
  std::vector<std::string> out;
  for (const QString& p :
       boxes_->OpenFiles(this, QStringLiteral("ファイルから追加"), QStringLiteral("全てのファイル (*)")))
    out.push_back(PathBytes(p));
  return out;
}

std::string TMainForm::SaveTextFile(const std::string& fileName) {
  return PathBytes(boxes_->SaveFile(this, QStringLiteral("名前を付けて保存"), kTextFilter, PathText(fileName),
                                    QStringLiteral("txt"), true));
}

std::string TMainForm::SaveExportFile(const std::string& fileName) {
  // The extension becomes ".sted" afterwards, so a question about the name chosen would be about
  // another file; an existing exchange file is replaced.
  return PathBytes(boxes_->SaveFile(this, QStringLiteral("グループのエクスポート"), kExchangeFilter, PathText(fileName),
                                    QStringLiteral("sted"), false));
}

std::string TMainForm::OpenExportFile() {
  return PathBytes(boxes_->OpenFile(this, QStringLiteral("グループのインポート"), kExchangeFilter));
}

bool TMainForm::OpenWithDesktop(const std::string& path) {
  // Nothing to set on Linux: the copy is neither hidden nor read back.
  return boxes_->OpenUrl(QUrl::fromLocalFile(PathText(path)));
}

// ---- the boxes and dialogs behind them

bool MessageBoxes::AskYesNo(QWidget* parent, const QString& caption, const QString& text, BoxIcon icon) {
  static constexpr QMessageBox::Icon kIcons[] = {QMessageBox::NoIcon, QMessageBox::Information, QMessageBox::Warning,
                                                 QMessageBox::Question, QMessageBox::Critical};
  QMessageBox box(kIcons[static_cast<int>(icon)], caption, text, QMessageBox::Yes | QMessageBox::No, parent);
  box.setDefaultButton(QMessageBox::Yes);
  return box.exec() == QMessageBox::Yes;
}

void MessageBoxes::FindMessage(QWidget* parent, const std::string& caption, const std::string& text,
                               search::MessageIcon icon) {
  search::qt::ShowFindMessage(parent, caption, text, icon);
}

bool MessageBoxes::FindQuestion(QWidget* parent, const std::string& caption, const std::string& text,
                                search::QuestionButtons buttons, search::MessageIcon icon) {
  return search::qt::AskFindQuestion(parent, caption, text, buttons, icon);
}

QStringList MessageBoxes::OpenFiles(QWidget* parent, const QString& caption, const QString& filter) {
  return QFileDialog::getOpenFileNames(parent, caption, QString(), filter);
}

QString MessageBoxes::OpenFile(QWidget* parent, const QString& caption, const QString& filter) {
  return QFileDialog::getOpenFileName(parent, caption, QString(), filter);
}

QString MessageBoxes::SaveFile(QWidget* parent, const QString& caption, const QString& filter, const QString& fileName,
                               const QString& defaultSuffix, bool confirmOverwrite) {
  QFileDialog dialog(parent, caption, QString(), filter);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setDefaultSuffix(defaultSuffix);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, !confirmOverwrite);
  if (!fileName.isEmpty()) dialog.selectFile(fileName);
  if (dialog.exec() != QDialog::Accepted) return {};
  const QStringList files = dialog.selectedFiles();
  return files.isEmpty() ? QString() : files.first();
}

}  // namespace mainwin::qt
