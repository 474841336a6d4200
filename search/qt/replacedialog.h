// TReplaceDialog: the modeless replace dialog of the main window (find text, replace text, match
// case, whole word, up/down). It holds no rules: each button hands its values to the owner.
#pragma once

#include <QDialog>
#include <string>

#include "search/findcommands.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace search::qt {

class TReplaceDialog : public QDialog {
  Q_OBJECT

 public:
  explicit TReplaceDialog(QWidget* parent = nullptr);

  // Code page 932; the check boxes and the direction keep what the user last chose.
  void SetTexts(const std::string& findText, const std::string& replaceText);
  ReplaceDialogValues Values() const;

  QLineEdit* Edit_FindText;
  QLineEdit* Edit_ReplaceText;
  QCheckBox* CheckBox_MatchCase;
  QCheckBox* CheckBox_WholeWord;
  QRadioButton* RadioButton_Up;
  QRadioButton* RadioButton_Down;
  QPushButton* Button_FindNext;
  QPushButton* Button_Replace;
  QPushButton* Button_ReplaceAll;
  QPushButton* Button_Close;

 signals:
  void buttonPressed(search::ReplaceButton button);

 private:
  void UpdateButtons();
};

}  // namespace search::qt
