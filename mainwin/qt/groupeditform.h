// TGroupEditForm: the entry dialog of the group and item commands. It shows and takes back a
// name, a colour (a swatch that opens the colour dialog) and the four name styles; OK refuses a
// name that the entry rules do not accept.
#pragma once

#include <QDialog>
#include <functional>

#include "mainwin/commands.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace mainwin::qt {

class TGroupEditForm : public QDialog {
  Q_OBJECT

 public:
  explicit TGroupEditForm(QWidget* owner = nullptr);

  // The caller's fields: name (code page 932), colour, style bits.
  void SetFields(const EntryFields& fields);
  // The name as typed (characters code page 932 cannot hold become "?"), the colour, the styles.
  EntryFields Fields() const;
  // How many characters of the typed name became "?".
  int ReplacedInName() const;

  // Shows the refusal of an unacceptable name (caption, text); a message box unless replaced.
  std::function<void(const QString& caption, const QString& text)> Refuse;
  // Asks for a colour starting from the current one; invalid for cancel. QColorDialog unless replaced.
  std::function<QColor(const QColor& current)> ChooseColor;

  QLineEdit* Edit_GroupName = nullptr;
  QPushButton* Panel_FontColor = nullptr;
  QGroupBox* GroupBox_FontStyle = nullptr;
  QCheckBox* CheckBox_Bold = nullptr;
  QCheckBox* CheckBox_Italic = nullptr;
  QCheckBox* CheckBox_Underline = nullptr;
  QCheckBox* CheckBox_StrikeOut = nullptr;
  QPushButton* Button_OK = nullptr;
  QPushButton* Button_Cancel = nullptr;

 public slots:
  void accept() override;

 private:
  void ShowColour();
  void PanelFontColorClick();

  store::TColor colour_ = 0;
};

}  // namespace mainwin::qt
