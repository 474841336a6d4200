// TPanel_Drop: the panel around the item list that takes files dropped from the desktop. It keeps
// the paths of the last drop and tells its owner.
#pragma once

#include <QFrame>
#include <QStringList>

class QMimeData;

namespace mainwin::qt {

class TPanel_Drop : public QFrame {
  Q_OBJECT

 public:
  explicit TPanel_Drop(QWidget* parent = nullptr);

  // Full paths of the files dropped last, in the order the desktop gave them.
  const QStringList& Files() const { return files_; }

 signals:
  // OnDropFiles: fired after Files is filled.
  void dropFiles(TPanel_Drop* sender);

 protected:
  void dragEnterEvent(QDragEnterEvent* e) override;
  void dragMoveEvent(QDragMoveEvent* e) override;
  void dropEvent(QDropEvent* e) override;

 private:
  QStringList files_;
};

// The local files of a drop (text/uri-list), in order; empty when there are none.
QStringList DroppedLocalFiles(const QMimeData* mime);

}  // namespace mainwin::qt
