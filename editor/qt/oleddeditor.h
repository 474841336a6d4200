// TOleddEditor: the editor widget with drag and drop. Text from other programs drops in at the
// mouse, the selection drags out (and within the editor, as a move or, with Ctrl, a copy), and
// dropped files go to the host through dropFiles without touching the text.
#pragma once

#include <QPoint>
#include <QStringList>

#include "editor/qt/editorwidget.h"

class QMimeData;

namespace editor::qt {

class TOleddEditor : public TEditor {
  Q_OBJECT

 public:
  explicit TOleddEditor(QWidget* parent = nullptr);

 signals:
  // OnDropFiles: the local paths, the keyboard modifiers and the drop point in viewport pixels.
  void dropFiles(const QStringList& paths, Qt::KeyboardModifiers modifiers, const QPoint& point);

 protected:
  DropEffect StartDrag(std::string_view cp932) override;

  void dragEnterEvent(QDragEnterEvent* e) override;
  void dragMoveEvent(QDragMoveEvent* e) override;
  void dragLeaveEvent(QDragLeaveEvent* e) override;
  void dropEvent(QDropEvent* e) override;

 private:
  enum class Payload { None, Text, Files };
  static Payload Classify(const QMimeData* mime);
  static QStringList LocalFiles(const QMimeData* mime);
  bool FromSelf(const QDropEvent* e) const;
  void Over(QDropEvent* e);

  Payload entered_ = Payload::None;
};

}  // namespace editor::qt
