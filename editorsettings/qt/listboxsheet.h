// "リストボックス": the drawing settings of the group list and the item list, one record at a time,
// with a sample list drawn by the window's list rules.
#pragma once

#include <QStringList>
#include <QWidget>

#include "editorsettings/listboxrecords.h"

class QButtonGroup;
class QComboBox;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace editorsettings::qt {

class SampleList;
class SettingsBoxes;

class ListBoxSheet : public QWidget {
  Q_OBJECT

 public:
  ListBoxSheet(ListBoxPage& lists, SettingsBoxes& boxes, QWidget* parent = nullptr);

  // Shows the group record, with the font list for both records' fonts.
  void Load();
  bool FontSelected() const;

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

 private:
  void ShowListRecord();
  void ListColorClicked(store::TColor ListBoxRecord::*field);
  void UpdateListSample();
  void ConnectListField(QSpinBox* spin, int ListBoxRecord::*field, int min);

  ListBoxPage& lists_;
  SettingsBoxes& boxes_;
  QStringList screen_fonts_;
  bool showing_record_ = false;
};

}  // namespace editorsettings::qt
