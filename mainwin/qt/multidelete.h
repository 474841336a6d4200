// TForm_MultiDelete1: the dialog of the multi-delete commands. It lists the names, lets the user
// select several (Shift for a run, Ctrl to add), counts them, and selects all or inverts.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

class QAction;
class QLabel;
class QListWidget;
class QPushButton;

namespace mainwin::qt {

class TForm_MultiDelete1 : public QDialog {
  Q_OBJECT

 public:
  explicit TForm_MultiDelete1(QWidget* owner = nullptr);

  // The entries' names, code page 932.
  void SetNames(const std::vector<std::string>& names);
  // Selected positions, ascending.
  std::vector<int> Selected() const;
  // Where the dialog opens: 30 pixels right of and 60 below the owner's top left corner.
  static QPoint PlaceFor(const QWidget* owner);

  // Runs the dialog for `owner`; true when OK was pressed with at least one entry selected.
  static bool Run(QWidget* owner, const std::vector<std::string>& names, std::vector<int>& selected);

  QListWidget* ListBox1 = nullptr;
  QLabel* Label_Counter = nullptr;
  QPushButton* Button_OK = nullptr;
  QPushButton* Button_Cancel = nullptr;
  QPushButton* Button_SelectAll = nullptr;
  QPushButton* Button_Invert = nullptr;
  QAction* Action_SelectAll = nullptr;

  void SelectAllEntries();
  void InvertSelection();

 private:
  void UpdateCounter();
};

}  // namespace mainwin::qt
