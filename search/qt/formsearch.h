// TFormSearch: the modal find dialog "検索" with its history, direction, options and range.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "search/findcommands.h"

class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace search::qt {

class TFormSearch : public QDialog {
  Q_OBJECT

 public:
  explicit TFormSearch(QWidget* parent = nullptr);

  // Texts in code page 932.
  void SetValues(const FindDialogValues& values, const std::vector<std::string>& history);
  FindDialogValues Values() const;

  // OK refuses an empty text and stays open.
  void accept() override;

  QLineEdit* Edit_Text;
  QListWidget* ListBox_History;
  QRadioButton* RadioButton_Backward;
  QRadioButton* RadioButton_Forward;
  QCheckBox* CheckBox_MatchCase;
  QCheckBox* CheckBox_WholeWord;
  QCheckBox* CheckBox_IgnoreWidth;
  QCheckBox* CheckBox_IgnoreBreaks;  // line breaks and spaces together
  QRadioButton* RadioButton_Range[4];
  QPushButton* Button_OK;
  QPushButton* Button_Cancel;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QButtonGroup* range_group_;
};

// Runs the dialog modally over `parent`; true for OK with `values` read back.
bool RunFindDialog(QWidget* parent, FindDialogValues& values, const std::vector<std::string>& history);

}  // namespace search::qt
