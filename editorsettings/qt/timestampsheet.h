// "タイムスタンプ": the built-in formats for reference and the user's own formats with what each
// shows now; typing a format shows its result before it is added.
#pragma once

#include <QWidget>
#include <functional>

#include "editorsettings/timestamp.h"
#include "editorsettings/timestampformats.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace editorsettings::qt {

class TimeStampSheet : public QWidget {
  Q_OBJECT

 public:
  // `clock` is read at every use (tests replace it after construction).
  TimeStampSheet(TimeStampFormats& stamps, const std::function<DateTime()>& clock, QWidget* parent = nullptr);

  void Load();

  QListWidget* ListBox_DefTimeStamp = nullptr;
  QListWidget* ListBox_DefTimeResult = nullptr;
  QListWidget* ListBox_TimeStamp = nullptr;
  QListWidget* ListBox_TimeResult = nullptr;
  QLineEdit* Edit_TimeStamp = nullptr;  // "ここに入力"
  QLabel* Label_TimeResult = nullptr;   // under "表示結果"
  QPushButton* Button_TimeAdd = nullptr;
  QPushButton* Button_TimeChange = nullptr;
  QPushButton* Button_TimeDelete = nullptr;

 private:
  void FillTimeStampLists();
  void TimeStampSelected(int row);
  void UpdateTimeStampButtons();

  TimeStampFormats& stamps_;
  const std::function<DateTime()>& clock_;
};

}  // namespace editorsettings::qt
