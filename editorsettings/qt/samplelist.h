// The sample list of "リストボックス": eight lines drawn by the list-drawing rules with the record
// being edited, so the user sees a list as it will look.
#pragma once

#include <QListWidget>

#include "editorsettings/listboxrecords.h"
#include "editorsettings/listlook.h"

namespace editorsettings::qt {

// The look the group and item lists are drawn with, from a record of the page.
ListLook LookOf(const ListBoxRecord& record);

class SampleList : public QListWidget {
  Q_OBJECT
 public:
  explicit SampleList(QWidget* parent = nullptr);
  void SetRecord(const ListBoxRecord& record);
  const ListLook& Look() const { return look_; }
  const QFont& ListFont() const { return font_; }
  // The colour a line is drawn in when not selected ("赤", "青", "黄" have their own).
  store::TColor LineColour(int row) const;

 private:
  class Delegate;
  ListLook look_;
  QFont font_;
};

}  // namespace editorsettings::qt
