// The window and its data folder while it runs: the question of a close that could not save, the
// folder dialog for the unsaved groups, the notices of merges, and the watcher that hands changes
// made elsewhere (a sync tool, another machine) to the core once they have settled.
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QThread>
#include <cstdio>

#include "codec/qt/qtcp932.h"
#include "mainwin/qt/mainform.h"

namespace mainwin::qt {

using codec::qt::MessageText;

namespace {

const QString kCaption = QStringLiteral("ソラメtext");
// A burst of changes (a sync tool writing many files) is taken in once it has been quiet this
// long, or at the latest after this long.
constexpr int kLongestBurstMs = 3000;

QString PathText(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }

}  // namespace

void ToStandardError(const std::string& text) {
  std::string line = text;
  for (char& c : line)
    if (c == '\r' || c == '\n') c = ' ';
  std::fprintf(stderr, "sorametext: %s\n", line.c_str());
}

// ---- boxes

CloseChoice MessageBoxes::UnsavedClose(QWidget* parent, const QString& text) {
  QMessageBox box(QMessageBox::Warning, kCaption, text, QMessageBox::NoButton, parent);
  QPushButton* retry = box.addButton(QStringLiteral("再試行(&R)"), QMessageBox::AcceptRole);
  QPushButton* elsewhere = box.addButton(QStringLiteral("別の場所に保存(&S)..."), QMessageBox::ActionRole);
  QPushButton* quit = box.addButton(QStringLiteral("保存せずに終了(&Q)"), QMessageBox::DestructiveRole);
  QPushButton* cancel = box.addButton(QStringLiteral("キャンセル"), QMessageBox::RejectRole);
  box.setDefaultButton(retry);
  box.setEscapeButton(cancel);
  box.exec();
  if (box.clickedButton() == retry) return CloseChoice::Retry;
  if (box.clickedButton() == elsewhere) return CloseChoice::SaveElsewhere;
  if (box.clickedButton() == quit) return CloseChoice::QuitWithoutSaving;
  return CloseChoice::Cancel;
}

QString MessageBoxes::ChooseFolder(QWidget* parent, const QString& caption) {
  return QFileDialog::getExistingDirectory(parent, caption);
}

void MessageBoxes::Inform(QWidget* parent, const QString& text) {
  if (notice_) {
    notice_->setText(notice_->text() + QStringLiteral("\n\n") + text);
    notice_->raise();
    return;
  }
  notice_ = new QMessageBox(QMessageBox::Information, QStringLiteral("データの統合"), text, QMessageBox::Ok, parent);
  notice_->setAttribute(Qt::WA_DeleteOnClose);
  // Typing goes on in the editor while it is shown.
  notice_->setAttribute(Qt::WA_ShowWithoutActivating);
  notice_->setWindowModality(Qt::NonModal);
  notice_->show();
}

// ---- MainFormHost

CloseChoice TMainForm::AskUnsavedClose(const std::string& text) {
  if (unattended_) return CloseChoice::Cancel;
  return boxes_->UnsavedClose(this, MessageText(text));
}

std::string TMainForm::ChooseFolderForUnsaved() {
  if (unattended_) return {};
  const QString folder = boxes_->ChooseFolder(this, QStringLiteral("保存されていないグループの保存先"));
  return folder.isEmpty() ? std::string() : QFile::encodeName(folder).toStdString();
}

void TMainForm::ShowNotice(const std::string& text) {
  if (unattended_) {
    ToStandardError(text);
    return;
  }
  boxes_->Inform(this, MessageText(text));
}

void TMainForm::ShowStatusMessage(const std::string& text) { statusBar()->showMessage(QString::fromUtf8(text), 8000); }

// ---- changes made elsewhere

void TMainForm::DataFolderChanged() {
  if (closed_) return;
  if (!outside_.isActive()) outside_burst_.start();
  // Each report of a burst puts the moment off, up to the longest wait.
  if (!outside_.isActive() || outside_burst_.elapsed() < kLongestBurstMs) outside_.start();
}

void TMainForm::TakeOutsideChanges() {
  if (closed_) return;
  // A dialog, a menu or a drag is under way, and a command may be waiting for it with positions
  // in the lists: not now.
  if (QApplication::activeModalWidget() || QApplication::activePopupWidget() ||
      QThread::currentThread()->loopLevel() > 1) {
    outside_.start();
    return;
  }
  core_->TakeOutsideChanges();
  WatchDataFiles(true);
  RequestActionUpdate();
}

void TMainForm::WatchDataFiles(bool again) {
  const store::DataFolder& folder = core_->Data().Folder();
  QStringList files{PathText(folder.FilePath("group.bin"))};
  const int g = core_->OpenGroup();
  if (g >= 0 && g < core_->Data().Groups().Count())
    files << PathText(folder.FilePath(core_->Data().Groups().ItemFileName(g)));
  const QString dir = PathText(folder.Path());
  if (!watcher_.directories().contains(dir) && QFileInfo::exists(dir)) watcher_.addPath(dir);
  // Only files that exist can be watched; one made later shows in the folder's reports.
  QStringList existing;
  for (const QString& f : files)
    if (QFileInfo::exists(f)) existing << f;
  QStringList watched = watcher_.files();
  watched.sort();
  existing.sort();
  if (!again && watched == existing) return;
  if (!watched.isEmpty()) watcher_.removePaths(watched);
  if (!existing.isEmpty()) watcher_.addPaths(existing);
}

}  // namespace mainwin::qt
