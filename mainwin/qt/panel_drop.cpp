#include "mainwin/qt/panel_drop.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

namespace mainwin::qt {

QStringList DroppedLocalFiles(const QMimeData* mime) {
  QStringList files;
  if (!mime || !mime->hasUrls()) return files;
  for (const QUrl& url : mime->urls())
    if (url.isLocalFile()) files.push_back(url.toLocalFile());
  return files;
}

TPanel_Drop::TPanel_Drop(QWidget* parent) : QFrame(parent) { setAcceptDrops(true); }

void TPanel_Drop::dragEnterEvent(QDragEnterEvent* e) {
  if (DroppedLocalFiles(e->mimeData()).isEmpty()) {
    e->ignore();
    return;
  }
  e->setDropAction(Qt::CopyAction);
  e->accept();
}

void TPanel_Drop::dragMoveEvent(QDragMoveEvent* e) {
  if (DroppedLocalFiles(e->mimeData()).isEmpty()) {
    e->ignore();
    return;
  }
  e->setDropAction(Qt::CopyAction);
  e->accept();
}

void TPanel_Drop::dropEvent(QDropEvent* e) {
  const QStringList files = DroppedLocalFiles(e->mimeData());
  if (files.isEmpty()) {
    e->ignore();
    return;
  }
  // Paths are kept whole: a path cut to a fixed length would name another file.
  files_ = files;
  e->setDropAction(Qt::CopyAction);
  e->accept();
  emit dropFiles(this);
}

}  // namespace mainwin::qt
