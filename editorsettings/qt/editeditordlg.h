// TEditEditorDlg: the modal customisation dialog ("カスタマイズ", or "グループ独自のエディタ設定" per
// group) with its six pages and the live preview editor. The rules live in the core's page
// states (editorpages.h, settingsrun.h); each page is a sheet of its own (*sheet.h) showing its
// part of them, and this class loads, switches and closes the pages.
#pragma once

#include <QDialog>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "editorsettings/editorpages.h"
#include "editorsettings/settingsrun.h"
#include "editorsettings/timestamp.h"

class QPushButton;
class QTabWidget;

namespace editor::qt {
class TOleddEditor;
}  // namespace editor::qt

namespace editorsettings::qt {

class Editor1Sheet;
class Editor2Sheet;
class Editor3Sheet;
class EtcSheet;
class ListBoxSheet;
class SettingsBoxes;
class TimeStampSheet;

// Page indexes of the page control.
enum SettingsPage : int { pgEditor1, pgEditor2, pgEditor3, pgListBox, pgTimeStamp, pgEtc };

class TEditEditorDlg : public QDialog, public SettingsDialog {
  Q_OBJECT

 public:
  // The main window's data comes in through `host`; `boxes` answers messages (nullptr: Qt's own).
  // Throws std::runtime_error("ColorList不一致") when the colour list is not complete.
  explicit TEditEditorDlg(SettingsHost& host, SettingsBoxes* boxes = nullptr, QWidget* parent = nullptr);
  ~TEditEditorDlg() override;

  // SettingsDialog
  editor::EditorModel& Preview() override;
  bool WidthWordWrap() const override;
  void SetWidthWordWrap(bool on) override;
  void SetMode(bool perGroup, bool abortEnabled) override;
  void SetPage(int index) override;
  DialogResult Run() override;

  // The clock of the time-stamp page (tests fix it).
  std::function<DateTime()> Clock = CurrentDateTime;

  // Loads every control from the preview and the records (done when the dialog is first shown).
  void LoadControls();
  bool ControlsLoaded() const { return loaded_; }
  bool Initialising() const { return initialising_; }
  bool PerGroup() const { return per_group_; }
  const EditorPagesState& Pages() const { return pages_; }
  const AppSettingsState& App() const { return app_; }
  // The entry of the colour list whose controls are shown.
  int ColorEntry() const;

  // ---- controls
  QTabWidget* PageControl = nullptr;
  Editor1Sheet* TabSheet_Editor1 = nullptr;
  Editor2Sheet* TabSheet_Editor2 = nullptr;
  Editor3Sheet* TabSheet_Editor3 = nullptr;
  ListBoxSheet* TabSheet_ListBox = nullptr;
  TimeStampSheet* TabSheet_TimeStamp = nullptr;
  EtcSheet* TabSheet_etc1 = nullptr;
  editor::qt::TOleddEditor* OleddEditor_Prev = nullptr;
  QPushButton* Button_OK = nullptr;       // "登録"
  QPushButton* Button_Cancel = nullptr;   // "キャンセル"
  QPushButton* Button_mrAbort = nullptr;  // "グループ独自の設定を無効にする"

 protected:
  void showEvent(QShowEvent* e) override;

 private:
  void BuildControls();

  // Page changes: the preview's first line follows the comment leader; "エディタ設定２" first
  // takes every editor setting of the dialog.
  void PageChanged(int index);
  void RewritePreviewFirstLine();
  void ReadEditorControls();
  void ApplyAllToPreview();

  void OkClicked();
  void AbortClicked();

  SettingsHost& host_;
  SettingsBoxes* boxes_;
  std::unique_ptr<SettingsBoxes> own_boxes_;
  EditorPagesState pages_;
  AppSettingsState app_;
  bool initialising_ = true;
  bool loaded_ = false;
  bool per_group_ = false;
};

// Runs the settings dialog on the main editor through a fresh TEditDelivery: `page` is 0 for the
// default page or a page number plus one, `perGroup` edits the open group's own settings. True
// when it was closed with "登録". A dialog that cannot open reports why and gives false.
bool RunEditorSettings(QWidget* parent, editor::EditorModel& mainEditor, SettingsHost& host, int page, bool perGroup,
                       SettingsBoxes* boxes = nullptr);

}  // namespace editorsettings::qt
