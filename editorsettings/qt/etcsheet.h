// "その他の設定": the save warning, the shortcut list with its hot-key field, the window layout,
// where the window opens, and the input method at start.
#pragma once

#include <QWidget>
#include <array>

#include "editorsettings/settingsrun.h"

class QButtonGroup;
class QCheckBox;
class QFrame;
class QGroupBox;
class QKeySequenceEdit;
class QListWidget;
class QPushButton;
class QToolButton;

namespace editorsettings::qt {

class SettingsBoxes;

class EtcSheet : public QWidget {
  Q_OBJECT

 public:
  EtcSheet(AppSettingsState& app, SettingsHost& host, SettingsBoxes& boxes, QWidget* parent = nullptr);

  void Load();
  // The pressed layout button's panel.
  static QColor ViewPanelColor();

  QCheckBox* CheckBox_FindWarning = nullptr;
  QGroupBox* GroupBox_ShortCut = nullptr;
  QListWidget* ListBox_ShortCut = nullptr;
  QKeySequenceEdit* HotKey1 = nullptr;
  QPushButton* Button_ShortCutChange = nullptr;
  QPushButton* Button_ShortCutReset = nullptr;
  std::array<QToolButton*, 4> SpeedButton_View{};  // by TListBoxViewType
  std::array<QFrame*, 4> Panel_View{};
  QButtonGroup* ViewButtons = nullptr;
  QButtonGroup* RadioGroup_WindowOption = nullptr;  // ids in WindowPlacement order
  QPushButton* Button_SaveWindowPos = nullptr;
  QCheckBox* CheckBox_IME_ON = nullptr;

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  void FillShortcutList();
  void ShortcutSelected(int row);
  void ShortcutChangeClicked();
  void ShortcutResetClicked();
  void ShowViewType(int viewType);
  void SaveWindowPositionClicked();

  AppSettingsState& app_;
  SettingsHost& host_;
  SettingsBoxes& boxes_;
};

}  // namespace editorsettings::qt
