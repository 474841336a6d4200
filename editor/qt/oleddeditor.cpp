// Drag and drop of text and files for the editor widget.
#include "editor/qt/oleddeditor.h"

#include <QDrag>
#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include "editor/qt/editormime.h"

namespace editor::qt {

namespace {

Modifiers ToModifiers(Qt::KeyboardModifiers m) {
  Modifiers out = kModNone;
  if (m & Qt::ShiftModifier) out |= kModShift;
  if (m & Qt::ControlModifier) out |= kModCtrl;
  if (m & Qt::AltModifier) out |= kModAlt;
  return out;
}

Qt::DropAction ToDropAction(DropEffect e) {
  switch (e) {
    case DropEffect::Copy: return Qt::CopyAction;
    case DropEffect::Move: return Qt::MoveAction;
    default: return Qt::IgnoreAction;
  }
}

}  // namespace

TOleddEditor::TOleddEditor(QWidget* parent) : TEditor(parent) { viewport()->setAcceptDrops(true); }

QStringList TOleddEditor::LocalFiles(const QMimeData* mime) {
  QStringList paths;
  if (!mime || !mime->hasUrls()) return paths;
  for (const QUrl& url : mime->urls())
    if (url.isLocalFile()) paths << url.toLocalFile();
  return paths;
}

TOleddEditor::Payload TOleddEditor::Classify(const QMimeData* mime) {
  if (!mime) return Payload::None;
  // File managers put the paths as text beside the file list; files are what the user dropped.
  if (!LocalFiles(mime).isEmpty()) return Payload::Files;
  if (mime->hasText() || mime->hasFormat(QString::fromLatin1(kCp932MimeType))) return Payload::Text;
  return Payload::None;
}

bool TOleddEditor::FromSelf(const QDropEvent* e) const { return e->source() == this || e->source() == viewport(); }

DropEffect TOleddEditor::StartDrag(std::string_view cp932) {
  auto* drag = new QDrag(this);
  drag->setMimeData(MakeTextMime(cp932, false).release());
  const Qt::DropAction a = drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::MoveAction);
  switch (a) {
    case Qt::CopyAction: return DropEffect::Copy;
    case Qt::MoveAction: return DropEffect::Move;
    default: return DropEffect::None;
  }
}

void TOleddEditor::Over(QDropEvent* e) {
  if (entered_ == Payload::Files) {
    e->setDropAction(Qt::CopyAction);
    e->accept();
    return;
  }
  if (entered_ != Payload::Text) {
    e->ignore();
    return;
  }
  const QPoint p = e->position().toPoint();
  const DropEffect effect = Model().DragOver(p.x(), p.y(), ToModifiers(e->modifiers()), FromSelf(e));
  const Qt::DropAction action = ToDropAction(effect);
  if (action == Qt::IgnoreAction || !(e->possibleActions() & action)) {
    e->ignore();
    return;
  }
  e->setDropAction(action);
  e->accept();
}

void TOleddEditor::dragEnterEvent(QDragEnterEvent* e) {
  entered_ = Classify(e->mimeData());
  if (entered_ == Payload::None) {
    e->ignore();
    return;
  }
  setFocus(Qt::OtherFocusReason);
  Over(e);
}

void TOleddEditor::dragMoveEvent(QDragMoveEvent* e) { Over(e); }

void TOleddEditor::dragLeaveEvent(QDragLeaveEvent* e) {
  if (entered_ == Payload::Text) Model().DragLeave();
  entered_ = Payload::None;
  e->accept();
}

void TOleddEditor::dropEvent(QDropEvent* e) {
  const Payload payload = entered_ != Payload::None ? entered_ : Classify(e->mimeData());
  entered_ = Payload::None;
  const QPoint p = e->position().toPoint();
  if (payload == Payload::Files) {
    emit dropFiles(LocalFiles(e->mimeData()), e->modifiers(), p);
    e->setDropAction(Qt::CopyAction);
    e->accept();
    return;
  }
  if (payload != Payload::Text) {
    e->ignore();
    return;
  }
  const MimeText text = ReadTextMime(e->mimeData());
  if (text.replaced > 0 && !Model().ReadOnly()) emit charactersReplaced(text.replaced);
  const DropEffect effect = Model().Drop(p.x(), p.y(), ToModifiers(e->modifiers()), text.bytes, FromSelf(e));
  const Qt::DropAction action = ToDropAction(effect);
  if (action == Qt::IgnoreAction) {
    e->ignore();
    return;
  }
  e->setDropAction(action);
  e->accept();
}

}  // namespace editor::qt
