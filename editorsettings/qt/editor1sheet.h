// "エディタ設定１": font, wrapping, caret and margins of the editor, shown from and read into the
// page values (editorpages.h).
#pragma once

#include <QStringList>
#include <QWidget>

#include "editorsettings/editorpages.h"
#include "editorsettings/settingsrun.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace editorsettings::qt {

class Editor1Sheet : public QWidget {
  Q_OBJECT

 public:
  explicit Editor1Sheet(QWidget* parent = nullptr);

  void Load(const EditorPageValues& v);
  void Read(EditorPageValues& v) const;
  // The fields of this page that the run checks before taking anything.
  void FillValidation(ValidationInput& in) const;

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

 private:
  QStringList editor_fonts_;
};

}  // namespace editorsettings::qt
