// "エディタ設定２": the mark check boxes and the colour table (colour grid, style boxes, the two
// colour panels), each change shown on the dialog's preview at once.
#pragma once

#include <QWidget>
#include <array>

#include "editorsettings/editorpages.h"
#include "editorsettings/qt/pageutil.h"

class QCheckBox;
class QListWidget;

namespace editorsettings::qt {

class ColorGrid;
class ColorPanel;

class Editor2Sheet : public QWidget {
  Q_OBJECT

 public:
  Editor2Sheet(EditorPagesState& pages, const PageHost& host, QWidget* parent = nullptr);

  void Load(const EditorPageValues& v);
  void Read(EditorPageValues& v) const;
  // The colour list again (the bracket pairs are entries of it), the whole text selected.
  void FillColorList();
  // The entry of the colour list whose controls are shown.
  int ColorEntry() const;

  std::array<QCheckBox*, kMarkBoxCount> CheckBox_Mark{};  // by MarkBox
  QListWidget* ListBox_Color = nullptr;
  ColorGrid* ColorGrid1 = nullptr;
  std::array<QCheckBox*, 4> CheckBox_Style{};  // bold, italic, underline, strike-out
  ColorPanel* Panel_NoColor = nullptr;
  ColorPanel* Panel_OtherColor = nullptr;

 private:
  void MarkToggled(MarkBox box, bool on);
  void ShowColorEntry(int entry);
  void GridClicked(int index, Qt::MouseButton button);
  void NoColorClicked(Qt::MouseButton button);
  void OtherColorClicked(Qt::MouseButton button);
  void StyleToggled(int bit, bool on);
  void ColorsChanged();

  EditorPagesState& pages_;
  PageHost host_;
  bool showing_entry_ = false;
};

}  // namespace editorsettings::qt
