// "エディタ設定３": the bracket pairs to colour, the reserved words, the comment leader and the
// quotation character.
#pragma once

#include <QWidget>
#include <functional>
#include <string>

#include "editorsettings/editorpages.h"

class QLineEdit;
class QListWidget;
class QPushButton;

namespace editor::qt {
class TEditor;
}

namespace editorsettings::qt {

class Editor3Sheet : public QWidget {
  Q_OBJECT

 public:
  // `bracketsChanged` runs whenever the working bracket pairs changed (they are colour entries).
  Editor3Sheet(EditorPagesState& pages, std::function<void()> bracketsChanged, QWidget* parent = nullptr);

  void Load(const EditorPageValues& v);
  void Read(EditorPageValues& v) const;
  // The comment leader as typed.
  std::string Commenter() const;

  QLineEdit* Edit_LeftBracket = nullptr;
  QLineEdit* Edit_RightBracket = nullptr;
  QListWidget* ListBox_Brackets = nullptr;
  QPushButton* Button_BracketAdd = nullptr;
  QPushButton* Button_BracketChange = nullptr;
  QPushButton* Button_BracketDelete = nullptr;
  editor::qt::TEditor* Editor_ReserveWord = nullptr;
  QLineEdit* Edit_Commenter = nullptr;
  QLineEdit* Edit_Quotation = nullptr;

 private:
  void BracketTextEdited(QLineEdit* edit);
  void BracketSelected(int row);
  void UpdateBracketButtons();
  void BracketsChanged(int select);

  EditorPagesState& pages_;
  std::function<void()> brackets_changed_;
};

}  // namespace editorsettings::qt
