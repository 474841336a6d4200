#include "mainwin/qt/listbox_kor.h"

#include <QApplication>
#include <QDrag>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <algorithm>

#include "codec/qt/qtcp932.h"
#include "editor/qt/editorcolor.h"
#include "editor/qt/editorfont.h"

namespace mainwin::qt {

class TListBox_kor::Delegate final : public QStyledItemDelegate {
 public:
  explicit Delegate(TListBox_kor& list) : QStyledItemDelegate(&list), list_(list) {}

  void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    const int row = index.row();
    std::pair<store::TColor, uint8_t> entry{list_.look_.fontColor, 0};
    if (list_.entry_style_) entry = list_.entry_style_(row);
    const bool selected = row == list_.core_.ItemIndex();
    const editorsettings::RowStyle style =
        editorsettings::ListRowStyle(list_.look_, entry.first, entry.second, selected);
    const QPalette& pal = list_.palette();
    // The row reaches the right edge of the list whatever the widest name.
    QRect r = option.rect;
    r.setRight(std::max(r.right(), list_.viewport()->width() + list_.horizontalOffset() - 1));
    p->save();
    p->fillRect(r, editor::qt::ToQColor(style.background, pal, pal.color(QPalette::Base)));
    QFont f = list_.font_;
    f.setBold(style.fontStyle & store::fsBold);
    f.setItalic(style.fontStyle & store::fsItalic);
    f.setUnderline(style.fontStyle & store::fsUnderline);
    f.setStrikeOut(style.fontStyle & store::fsStrikeOut);
    p->setFont(f);
    p->setPen(editor::qt::ToQColor(style.text, pal, pal.color(QPalette::Text)));
    p->setClipRect(r);
    p->drawText(r.adjusted(style.textLeft, 0, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                index.data(Qt::DisplayRole).toString());
    p->restore();
    list_.core_.AfterDraw();
  }

  QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override {
    return {std::max(1, list_.extent_), list_.RowHeightNow()};
  }

 private:
  TListBox_kor& list_;
};

TListBox_kor::TListBox_kor(ListBoxKor& core, EntryStyle entryStyle, QWidget* parent)
    : QListView(parent), core_(core), entry_style_(std::move(entryStyle)), delegate_(new Delegate(*this)) {
  editor::qt::InstallFontSubstitutions();
  setModel(&model_);
  setItemDelegate(delegate_);
  setUniformItemSizes(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
  setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setDragEnabled(false);
  setDragDropMode(QAbstractItemView::NoDragDrop);
  setAcceptDrops(true);
  viewport()->setAcceptDrops(true);
  setFrameShape(QFrame::StyledPanel);
  SetLook(editorsettings::ListLook{});
  core_.SetView(this);
}

TListBox_kor::~TListBox_kor() { core_.SetView(nullptr); }

void TListBox_kor::SetLook(const editorsettings::ListLook& look) {
  look_ = look;
  font_ = QFont(codec::qt::FromCp932(look.fontName));
  if (look.fontSize > 0) font_.setPointSize(look.fontSize);
  look_.lineSpacing = QFontMetrics(font_).height();
  core_.SetFontHeight(FontHeightOfPoints(look.fontSize));
  // What shows below the last entry.
  QPalette pal = palette();
  pal.setColor(QPalette::Base, editor::qt::ToQColor(look.unfilledColor, pal, pal.color(QPalette::Base)));
  setPalette(pal);
  setFont(font_);
  scheduleDelayedItemsLayout();
  viewport()->update();
}

int TListBox_kor::RowHeightNow() const { return std::max(1, editorsettings::ListRowHeight(look_)); }

void TListBox_kor::SetRows(const std::vector<std::string>& names) {
  QStringList rows;
  rows.reserve(static_cast<qsizetype>(names.size()));
  for (const std::string& n : names) rows.push_back(codec::qt::FromCp932(n));
  showing_ = true;
  model_.setStringList(rows);
  showing_ = false;
}

void TListBox_kor::ShowSelection(int row) {
  showing_ = true;
  if (row < 0 || row >= model_.rowCount()) {
    selectionModel()->clear();
  } else {
    selectionModel()->setCurrentIndex(model_.index(row), QItemSelectionModel::ClearAndSelect);
  }
  showing_ = false;
  viewport()->update();
}

int TListBox_kor::TopRow() const {
  const QModelIndex top = indexAt(QPoint(1, 1));
  return top.isValid() ? top.row() : 0;
}

void TListBox_kor::SetTopRow(int row) {
  if (row < 0 || row >= model_.rowCount()) return;
  scrollTo(model_.index(row), QAbstractItemView::PositionAtTop);
}

int TListBox_kor::ClientHeight() const { return viewport()->height(); }

int TListBox_kor::TextWidth(const std::string& cp932) const {
  return QFontMetrics(font_).horizontalAdvance(codec::qt::FromCp932(cp932));
}

void TListBox_kor::SetHorizontalExtent(int pixels) {
  if (pixels == extent_) return;
  extent_ = pixels;
  scheduleDelayedItemsLayout();
}

void TListBox_kor::Repaint() { viewport()->update(); }

int TListBox_kor::RowAt(const QPoint& viewportPos) const {
  const QModelIndex i = indexAt(viewportPos);
  return i.isValid() ? i.row() : -1;
}

void TListBox_kor::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  QListView::currentChanged(current, previous);
  if (showing_) return;
  core_.UserSelected(current.isValid() ? current.row() : -1);
  // The core may have refused or changed the selection (ClickCancel keeps the platform's).
  if (core_.ItemIndex() != (current.isValid() ? current.row() : -1) && !core_.ClickCancel)
    ShowSelection(core_.ItemIndex());
  viewport()->update();
}

void TListBox_kor::scrollContentsBy(int dx, int dy) {
  if (dy != 0) core_.BeforeScroll();
  QListView::scrollContentsBy(dx, dy);
}

// ---- keys and mouse

void TListBox_kor::mousePressEvent(QMouseEvent* e) {
  press_armed_ = e->button() == Qt::LeftButton && RowAt(e->position().toPoint()) >= 0;
  press_pos_ = e->position().toPoint();
  QListView::mousePressEvent(e);
}

void TListBox_kor::mouseReleaseEvent(QMouseEvent* e) {
  press_armed_ = false;
  QListView::mouseReleaseEvent(e);
}

void TListBox_kor::mouseMoveEvent(QMouseEvent* e) {
  if (!press_armed_ || !(e->buttons() & Qt::LeftButton)) {
    QListView::mouseMoveEvent(e);
    return;
  }
  if ((e->position().toPoint() - press_pos_).manhattanLength() < QApplication::startDragDistance()) return;
  press_armed_ = false;
  if (core_.ItemIndex() < 0) return;
  auto* mime = new QMimeData;
  mime->setData(kEntryMimeType, QByteArray::number(Tag()));
  auto* drag = new QDrag(this);
  drag->setMimeData(mime);
  drag->exec(Qt::MoveAction | Qt::CopyAction, Qt::MoveAction);
}

void TListBox_kor::mouseDoubleClickEvent(QMouseEvent* e) {
  if (e->button() == Qt::LeftButton) emit entryDoubleClicked(Tag());
  e->accept();
}

// ---- dropping entries

TListBox_kor* TListBox_kor::SourceOf(const QDropEvent* e) const {
  if (!e->mimeData() || !e->mimeData()->hasFormat(kEntryMimeType)) return nullptr;
  return qobject_cast<TListBox_kor*>(e->source());
}

void TListBox_kor::dragEnterEvent(QDragEnterEvent* e) {
  TListBox_kor* source = SourceOf(e);
  if (source && AcceptsEntryDrop(source->Tag(), Tag())) {
    e->acceptProposedAction();
  } else {
    e->ignore();  // files and foreign data go on to the drop panel
  }
}

void TListBox_kor::dragMoveEvent(QDragMoveEvent* e) {
  TListBox_kor* source = SourceOf(e);
  if (!source || !AcceptsEntryDrop(source->Tag(), Tag())) {
    e->ignore();
    return;
  }
  e->setDropAction((e->modifiers() & Qt::ControlModifier) ? Qt::CopyAction : Qt::MoveAction);
  e->accept();
  const int step = DragAutoScrollStep(e->position().toPoint().y(), viewport()->height(), source->Look().fontSize);
  if (step != 0) verticalScrollBar()->setValue(verticalScrollBar()->value() + step);
}

void TListBox_kor::dropEvent(QDropEvent* e) {
  TListBox_kor* source = SourceOf(e);
  if (!source || !AcceptsEntryDrop(source->Tag(), Tag())) {
    e->ignore();
    return;
  }
  const bool ctrl = e->modifiers() & Qt::ControlModifier;
  e->setDropAction(ctrl ? Qt::CopyAction : Qt::MoveAction);
  e->accept();
  emit entryDropped(source->Tag(), Tag(), RowAt(e->position().toPoint()), ctrl);
}

}  // namespace mainwin::qt
