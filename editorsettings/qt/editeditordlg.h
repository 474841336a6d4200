// TEditEditorDlg: the modal customisation dialog ("カスタマイズ", or "グループ独自のエディタ設定" per
// group) with its six pages and the live preview editor. The rules live in the core's page
// states (editorpages.h, settingsrun.h); this class shows them and translates the user's clicks.
#pragma once

#include <QDialog>
#include <QStringList>
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "editorsettings/editorpages.h"
#include "editorsettings/settingsrun.h"
#include "mainwin/timestamp.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QKeySequenceEdit;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;
class QToolButton;

namespace editor::qt {
class TEditor;
class TOleddEditor;
}  // namespace editor::qt

namespace editorsettings::qt {

class ColorGrid;
class ColorPanel;
class SampleList;
class SettingsBoxes;

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
  std::function<mainwin::DateTime()> Clock = mainwin::CurrentDateTime;

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
  QWidget* TabSheet_Editor1 = nullptr;
  QWidget* TabSheet_Editor2 = nullptr;
  QWidget* TabSheet_Editor3 = nullptr;
  QWidget* TabSheet_ListBox = nullptr;
  QWidget* TabSheet_TimeStamp = nullptr;
  QWidget* TabSheet_etc1 = nullptr;
  editor::qt::TOleddEditor* OleddEditor_Prev = nullptr;
  QPushButton* Button_OK = nullptr;       // "登録"
  QPushButton* Button_Cancel = nullptr;   // "キャンセル"
  QPushButton* Button_mrAbort = nullptr;  // "グループ独自の設定を無効にする"

  // "エディタ設定１"
  QComboBox* ComboBox_Font = nullptr;
  QLabel* Label_FontNotFound = nullptr;
  QSpinBox* SpinEdit_FontSize = nullptr;
  QCheckBox* CheckBox_WordWrap = nullptr;
  QSpinBox* SpinEdit_WrapByte = nullptr;
  QCheckBox* CheckBox_WordBreak = nullptr;
  QLineEdit* Edit_FollowStr = nullptr;
  QLineEdit* Edit_LeadStr = nullptr;
  QLineEdit* Edit_PunctuationStr = nullptr;
  QPushButton* Button_DefFollowStr = nullptr;
  QPushButton* Button_DefLeadStr = nullptr;
  QPushButton* Button_DefPunctuationStr = nullptr;
  QCheckBox* CheckBox_WidthWordWrap = nullptr;
  QComboBox* ComboBox_TabLength = nullptr;
  QCheckBox* CheckBox_FreeCaret = nullptr;
  QCheckBox* CheckBox_KeepCaret = nullptr;
  QCheckBox* CheckBox_AutoIndent = nullptr;
  QCheckBox* CheckBox_TabIndent = nullptr;
  QCheckBox* CheckBox_BackSpaceUnIndent = nullptr;
  QCheckBox* CheckBox_SoftTab = nullptr;
  QSpinBox* SpinEdit_MarginLeft = nullptr;
  QSpinBox* SpinEdit_MarginTop = nullptr;
  QSpinBox* SpinEdit_MarginCharacter = nullptr;
  QSpinBox* SpinEdit_MarginLine = nullptr;

  // "エディタ設定２"
  std::array<QCheckBox*, kMarkBoxCount> CheckBox_Mark{};  // by MarkBox
  QListWidget* ListBox_Color = nullptr;
  ColorGrid* ColorGrid1 = nullptr;
  std::array<QCheckBox*, 4> CheckBox_Style{};  // bold, italic, underline, strike-out
  ColorPanel* Panel_NoColor = nullptr;
  ColorPanel* Panel_OtherColor = nullptr;

  // "エディタ設定３"
  QLineEdit* Edit_LeftBracket = nullptr;
  QLineEdit* Edit_RightBracket = nullptr;
  QListWidget* ListBox_Brackets = nullptr;
  QPushButton* Button_BracketAdd = nullptr;
  QPushButton* Button_BracketChange = nullptr;
  QPushButton* Button_BracketDelete = nullptr;
  editor::qt::TEditor* Editor_ReserveWord = nullptr;
  QLineEdit* Edit_Commenter = nullptr;
  QLineEdit* Edit_Quotation = nullptr;

  // "リストボックス"
  QRadioButton* RadioButton_Group = nullptr;
  QRadioButton* RadioButton_Item = nullptr;
  QPushButton* Button_SelColor = nullptr;
  QPushButton* Button_BackColor = nullptr;
  QPushButton* Button_UnfilledColor = nullptr;
  QPushButton* Button_FontColor = nullptr;
  QComboBox* ComboBox_ListFont = nullptr;
  QSpinBox* SpinEdit_ListFontSize = nullptr;
  QSpinBox* SpinEdit_LineMargin = nullptr;
  QSpinBox* SpinEdit_LeftMargin = nullptr;
  QButtonGroup* RadioGroup_SelFontColor = nullptr;  // ids in TSelFontColorType order
  QPushButton* Button_ListCopy = nullptr;
  QPushButton* Button_ListDefault = nullptr;
  SampleList* ListBox_Sample = nullptr;

  // "タイムスタンプ"
  QListWidget* ListBox_DefTimeStamp = nullptr;
  QListWidget* ListBox_DefTimeResult = nullptr;
  QListWidget* ListBox_TimeStamp = nullptr;
  QListWidget* ListBox_TimeResult = nullptr;
  QLineEdit* Edit_TimeStamp = nullptr;  // "ここに入力"
  QLabel* Label_TimeResult = nullptr;   // under "表示結果"
  QPushButton* Button_TimeAdd = nullptr;
  QPushButton* Button_TimeChange = nullptr;
  QPushButton* Button_TimeDelete = nullptr;

  // "その他の設定"
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

  // The pressed layout button's panel.
  static QColor ViewPanelColor();

 protected:
  void showEvent(QShowEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  void BuildControls();
  QWidget* BuildEditor1();
  QWidget* BuildEditor2();
  QWidget* BuildEditor3();
  QWidget* BuildListBox();
  QWidget* BuildTimeStamp();
  QWidget* BuildEtc();

  // Page changes: the preview's first line follows the comment leader; "エディタ設定２" first
  // takes every editor setting of the dialog.
  void PageChanged(int index);
  void RewritePreviewFirstLine();
  void ReadEditorControls();
  void ApplyAllToPreview();

  // "エディタ設定２"
  void MarkToggled(MarkBox box, bool on);
  void ShowColorEntry(int entry);
  void GridClicked(int index, Qt::MouseButton button);
  void NoColorClicked(Qt::MouseButton button);
  void OtherColorClicked(Qt::MouseButton button);
  void StyleToggled(int bit, bool on);
  void ColorsChanged();
  void FillColorList();

  // "エディタ設定３"
  void BracketTextEdited(QLineEdit* edit);
  void BracketSelected(int row);
  void UpdateBracketButtons();
  void BracketsChanged(int select);

  // "リストボックス"
  void ShowListRecord();
  void ListColorClicked(store::TColor ListBoxRecord::*field);
  void UpdateListSample();
  void ConnectListField(QSpinBox* spin, int ListBoxRecord::*field, int min);

  // "タイムスタンプ"
  void FillTimeStampLists();
  void TimeStampSelected(int row);
  void UpdateTimeStampButtons();

  // "その他の設定"
  void FillShortcutList();
  void ShortcutSelected(int row);
  void ShortcutChangeClicked();
  void ShortcutResetClicked();
  void ShowViewType(int viewType);
  void SaveWindowPositionClicked();

  void OkClicked();
  void AbortClicked();

  SettingsHost& host_;
  SettingsBoxes* boxes_;
  std::unique_ptr<SettingsBoxes> own_boxes_;
  EditorPagesState pages_;
  AppSettingsState app_;
  QStringList editor_fonts_;
  QStringList screen_fonts_;
  bool initialising_ = true;
  bool loaded_ = false;
  bool per_group_ = false;
  bool showing_entry_ = false;
  bool showing_record_ = false;
};

// Runs the settings dialog on the main editor through a fresh TEditDelivery: `page` is 0 for the
// default page or a page number plus one, `perGroup` edits the open group's own settings. True
// when it was closed with "登録". A dialog that cannot open reports why and gives false.
bool RunEditorSettings(QWidget* parent, editor::EditorModel& mainEditor, SettingsHost& host, int page, bool perGroup,
                       SettingsBoxes* boxes = nullptr);

}  // namespace editorsettings::qt
