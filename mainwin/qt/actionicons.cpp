#include "mainwin/qt/actionicons.h"

#include <QPainter>
#include <QPainterPath>
#include <QSvgRenderer>
#include <algorithm>
#include <cmath>
#include <functional>

namespace mainwin::qt {

namespace {

// A small vocabulary on a 16 x 16 grid: a folder stands for a group, a page for an item, and a
// mark in the lower right corner says what happens to it.
const QColor kInk(40, 40, 40);
const QColor kFolder(240, 200, 96);
const QColor kGreen(30, 150, 40);
const QColor kRed(205, 30, 30);
const QColor kBlue(40, 90, 170);

QIcon Drawn(const std::function<void(QPainter&)>& draw) {
  QPixmap pm(16, 16);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setPen(QPen(kInk, 1));
  draw(p);
  p.end();
  return QIcon(pm);
}

void Page(QPainter& p, QRectF r, bool lines = true) {
  QPainterPath path;
  const qreal fold = std::min<qreal>(4, r.width() / 3);
  path.moveTo(r.left(), r.top());
  path.lineTo(r.right() - fold, r.top());
  path.lineTo(r.right(), r.top() + fold);
  path.lineTo(r.right(), r.bottom());
  path.lineTo(r.left(), r.bottom());
  path.closeSubpath();
  p.fillPath(path, Qt::white);
  p.setPen(QPen(kInk, 1));
  p.drawPath(path);
  p.drawLine(QPointF(r.right() - fold, r.top()), QPointF(r.right() - fold, r.top() + fold));
  p.drawLine(QPointF(r.right() - fold, r.top() + fold), QPointF(r.right(), r.top() + fold));
  if (!lines) return;
  p.setPen(QPen(QColor(120, 120, 120), 1));
  for (qreal y = r.top() + fold + 2; y < r.bottom() - 1; y += 2.5)
    p.drawLine(QPointF(r.left() + 2, y), QPointF(r.right() - 2, y));
  p.setPen(QPen(kInk, 1));
}

void Folder(QPainter& p, QRectF r) {
  QPainterPath path;
  path.moveTo(r.left(), r.top() + 2);
  path.lineTo(r.left() + r.width() * 0.4, r.top() + 2);
  path.lineTo(r.left() + r.width() * 0.5, r.top());
  path.lineTo(r.right(), r.top());
  path.lineTo(r.right(), r.bottom());
  path.lineTo(r.left(), r.bottom());
  path.closeSubpath();
  p.fillPath(path, kFolder);
  p.setPen(QPen(QColor(120, 90, 20), 1));
  p.drawPath(path);
  p.drawLine(QPointF(r.left(), r.top() + 4), QPointF(r.right(), r.top() + 4));
  p.setPen(QPen(kInk, 1));
}

// The subject of the group and item commands, leaving the lower right corner for the mark.
void Group(QPainter& p) { Folder(p, QRectF(0.5, 2.5, 12, 9)); }
void Item(QPainter& p) { Page(p, QRectF(1.5, 0.5, 9, 12)); }

void Plus(QPainter& p, QPointF c, qreal r = 3) {
  p.setPen(QPen(kGreen, 2, Qt::SolidLine, Qt::FlatCap));
  p.drawLine(c - QPointF(r, 0), c + QPointF(r, 0));
  p.drawLine(c - QPointF(0, r), c + QPointF(0, r));
  p.setPen(QPen(kInk, 1));
}

void Cross(QPainter& p, QPointF c, qreal r = 3) {
  p.setPen(QPen(kRed, 2, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(c - QPointF(r, r), c + QPointF(r, r));
  p.drawLine(c + QPointF(-r, r), c + QPointF(r, -r));
  p.setPen(QPen(kInk, 1));
}

void Triangle(QPainter& p, QPointF c, bool up, const QColor& colour = kBlue, qreal r = 3.5) {
  QPainterPath path;
  const qreal s = up ? -1 : 1;
  path.moveTo(c + QPointF(0, s * r));
  path.lineTo(c + QPointF(-r, -s * r * 0.6));
  path.lineTo(c + QPointF(r, -s * r * 0.6));
  path.closeSubpath();
  p.fillPath(path, colour);
}

void Pencil(QPainter& p) {
  p.setPen(QPen(QColor(200, 120, 20), 2.5, Qt::SolidLine, Qt::FlatCap));
  p.drawLine(QPointF(15, 8), QPointF(9.5, 13.5));
  p.setPen(QPen(kInk, 1.2));
  p.drawLine(QPointF(9.5, 13.5), QPointF(8, 15));
  p.setPen(QPen(kInk, 1));
}

void Gear(QPainter& p, QPointF c, qreal r) {
  p.setPen(QPen(QColor(90, 90, 100), r * 0.45, Qt::SolidLine, Qt::FlatCap));
  for (int k = 0; k < 4; ++k) {
    const qreal a = k * 3.14159265 / 4;
    const QPointF d(std::cos(a) * r, std::sin(a) * r);
    p.drawLine(c - d, c + d);
  }
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(130, 130, 140));
  p.drawEllipse(c, r * 0.7, r * 0.7);
  p.setBrush(Qt::white);
  p.drawEllipse(c, r * 0.28, r * 0.28);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(kInk, 1));
}

void Magnifier(QPainter& p, QPointF c, qreal r) {
  p.setPen(QPen(kInk, 1.5));
  p.setBrush(QColor(200, 225, 250));
  p.drawEllipse(c, r, r);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(kInk, 2.5, Qt::SolidLine, Qt::RoundCap));
  const QPointF d(r * 0.75, r * 0.75);
  p.drawLine(c + d, c + d * 2.0);
  p.setPen(QPen(kInk, 1));
}

// A bent arrow for undo (left) and redo, also the round arrow of reopening.
void BentArrow(QPainter& p, bool left, const QColor& colour = kBlue) {
  p.setPen(QPen(colour, 2, Qt::SolidLine, Qt::FlatCap));
  QPainterPath path;
  if (left) {
    path.moveTo(4, 7);
    path.cubicTo(8, 3, 15, 5, 13, 13);
  } else {
    path.moveTo(12, 7);
    path.cubicTo(8, 3, 1, 5, 3, 13);
  }
  p.drawPath(path);
  QPainterPath head;
  if (left) {
    head.moveTo(1, 7);
    head.lineTo(6, 3);
    head.lineTo(6.5, 10);
  } else {
    head.moveTo(15, 7);
    head.lineTo(10, 3);
    head.lineTo(9.5, 10);
  }
  head.closeSubpath();
  p.fillPath(head, colour);
  p.setPen(QPen(kInk, 1));
}

void Floppy(QPainter& p, QRectF r) {
  p.fillRect(r, QColor(60, 80, 140));
  p.drawRect(r);
  p.fillRect(QRectF(r.left() + 2.5, r.top(), r.width() - 5, r.height() * 0.35), QColor(220, 220, 220));
  p.fillRect(QRectF(r.left() + 2, r.bottom() - r.height() * 0.4, r.width() - 4, r.height() * 0.4 - 0.5), Qt::white);
}

void Printer(QPainter& p) {
  p.fillRect(QRectF(4.5, 1.5, 7, 5), Qt::white);
  p.drawRect(QRectF(4.5, 1.5, 7, 5));
  p.setBrush(QColor(170, 170, 180));
  p.drawRoundedRect(QRectF(1.5, 6.5, 13, 6), 1.5, 1.5);
  p.setBrush(Qt::white);
  p.drawRect(QRectF(4.5, 10.5, 7, 4));
  p.setBrush(Qt::NoBrush);
  p.fillRect(QRectF(11.5, 8, 1.5, 1.5), kGreen);
}

void Clipboard(QPainter& p) {
  p.setBrush(QColor(190, 150, 100));
  p.drawRoundedRect(QRectF(1.5, 2.5, 11, 13), 1, 1);
  p.setBrush(QColor(200, 200, 200));
  p.drawRect(QRectF(4.5, 1, 5, 3));
  p.setBrush(Qt::NoBrush);
}

void Clock(QPainter& p, QPointF c, qreal r) {
  p.setBrush(Qt::white);
  p.drawEllipse(c, r, r);
  p.setBrush(Qt::NoBrush);
  p.drawLine(c, c + QPointF(0, -r * 0.7));
  p.drawLine(c, c + QPointF(r * 0.55, r * 0.25));
}

void Eraser(QPainter& p) {
  p.save();
  p.translate(11.5, 12);
  p.rotate(-35);
  p.setBrush(QColor(240, 150, 170));
  p.drawRect(QRectF(-4, -2, 8, 4));
  p.setBrush(QColor(120, 120, 200));
  p.drawRect(QRectF(-4, -2, 3, 4));
  p.restore();
}

// An arrow leaving a thing (towards the upper right).
void ArrowOut(QPainter& p, const QColor& colour = kBlue) {
  p.setPen(QPen(colour, 2, Qt::SolidLine, Qt::FlatCap));
  p.drawLine(QPointF(8.5, 14), QPointF(13.5, 9));
  QPainterPath head;
  head.moveTo(15.5, 7);
  head.lineTo(10, 7.5);
  head.lineTo(15, 12.5);
  head.closeSubpath();
  p.fillPath(head, colour);
  p.setPen(QPen(kInk, 1));
}

// An arrow going into a thing (downwards).
void ArrowIn(QPainter& p, QPointF tip, const QColor& colour = kGreen) {
  p.setPen(QPen(colour, 2, Qt::SolidLine, Qt::FlatCap));
  p.drawLine(tip - QPointF(0, 6), tip - QPointF(0, 2.5));
  Triangle(p, tip - QPointF(0, 1.5), false, colour, 3);
  p.setPen(QPen(kInk, 1));
}

QIcon HistoryArrow(bool left) {
  return Drawn([left](QPainter& p) {
    QPainterPath path;
    const qreal tip = left ? 2 : 14, base = 8, tail = left ? 14 : 2;
    path.moveTo(tip, 8);
    path.lineTo(base, 2.5);
    path.lineTo(base, 5.5);
    path.lineTo(tail, 5.5);
    path.lineTo(tail, 10.5);
    path.lineTo(base, 10.5);
    path.lineTo(base, 13.5);
    path.closeSubpath();
    p.fillPath(path, kBlue);
  });
}

QIcon Marked(bool group, const std::function<void(QPainter&)>& mark) {
  return Drawn([group, mark](QPainter& p) {
    group ? Group(p) : Item(p);
    mark(p);
  });
}

QIcon Twice(bool group, const std::function<void(QPainter&)>& mark) {
  return Drawn([group, mark](QPainter& p) {
    if (group) {
      Folder(p, QRectF(2.5, 0.5, 11, 8));
      Folder(p, QRectF(0.5, 4.5, 11, 8));
    } else {
      Page(p, QRectF(4.5, 0.5, 8, 10));
      Page(p, QRectF(1.5, 3.5, 8, 10));
    }
    mark(p);
  });
}

}  // namespace

QIcon ActionIcon(ActionId id) {
  using A = ActionId;
  const QPointF corner(12.5, 12.5);
  switch (id) {
    case A::SelectAll:
      return Drawn([](QPainter& p) {
        Page(p, QRectF(2.5, 0.5, 11, 15));
        p.setPen(QPen(kBlue, 1, Qt::DashLine));
        p.drawRect(QRectF(1, 3, 14, 10));
      });
    case A::Copy:
      return Drawn([](QPainter& p) {
        Page(p, QRectF(5.5, 0.5, 9, 11));
        Page(p, QRectF(1.5, 4.5, 9, 11));
      });
    case A::Cut:
      return Drawn([](QPainter& p) {
        p.setPen(QPen(kInk, 1.3));
        p.drawLine(QPointF(5, 1), QPointF(10.5, 10));
        p.drawLine(QPointF(11, 1), QPointF(5.5, 10));
        p.setPen(QPen(kRed, 1.5));
        p.drawEllipse(QPointF(4.5, 12.5), 2.5, 2.5);
        p.drawEllipse(QPointF(11.5, 12.5), 2.5, 2.5);
      });
    case A::Paste:
      return Drawn([](QPainter& p) {
        Clipboard(p);
        Page(p, QRectF(6.5, 5.5, 9, 10));
      });
    case A::PasteBox:
      return Drawn([](QPainter& p) {
        Clipboard(p);
        p.fillRect(QRectF(6.5, 6.5, 9, 9), Qt::white);
        p.setPen(QPen(kBlue, 1.5));
        p.drawRect(QRectF(7.5, 7.5, 7, 7));
      });
    case A::DelLine:
      return Drawn([](QPainter& p) {
        Page(p, QRectF(2.5, 0.5, 11, 15));
        p.setPen(QPen(kRed, 2));
        p.drawLine(QPointF(1, 8.5), QPointF(15, 8.5));
      });
    case A::insert:
      return Drawn([](QPainter& p) {
        p.drawRect(QRectF(2.5, 2.5, 11, 11));
        p.fillRect(QRectF(5, 5, 6, 6), kInk);
      });
    case A::Undo: return Drawn([](QPainter& p) { BentArrow(p, true); });
    case A::Redo: return Drawn([](QPainter& p) { BentArrow(p, false); });
    case A::HistoryBk: return HistoryArrow(true);
    case A::HistoryFw: return HistoryArrow(false);
    case A::Find: return Drawn([](QPainter& p) { Magnifier(p, QPointF(6.5, 6.5), 4.5); });
    case A::FindFw:
      return Drawn([](QPainter& p) {
        Magnifier(p, QPointF(5.5, 5.5), 4);
        Triangle(p, QPointF(12.5, 12.5), false, kGreen);
      });
    case A::FindBk:
      return Drawn([](QPainter& p) {
        Magnifier(p, QPointF(5.5, 5.5), 4);
        Triangle(p, QPointF(12.5, 12), true, kGreen);
      });
    case A::Replace:
      return Drawn([](QPainter& p) {
        Magnifier(p, QPointF(5.5, 5.5), 4);
        p.setPen(QPen(kRed, 1.5));
        p.drawLine(QPointF(9, 13.5), QPointF(15, 13.5));
        p.drawLine(QPointF(12, 10.5), QPointF(15, 13.5));
      });
    case A::TimeStamp: return Drawn([](QPainter& p) { Clock(p, QPointF(8, 8), 6.5); });
    case A::ReadOnly:
      return Drawn([](QPainter& p) {
        p.setBrush(QColor(220, 180, 60));
        p.drawRect(QRectF(3.5, 7.5, 9, 7));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(5, 2, 6, 9), 0, 180 * 16);
      });
    case A::EditEditor: return Drawn([](QPainter& p) { Gear(p, QPointF(8, 8), 6.5); });
    case A::EditEditor_TimeOpen:
      return Drawn([](QPainter& p) {
        Clock(p, QPointF(6.5, 6.5), 5.5);
        Gear(p, QPointF(12, 12), 3.5);
      });
    case A::Print: return Drawn([](QPainter& p) { Printer(p); });
    case A::PrintGroupItems:
      return Drawn([](QPainter& p) {
        Printer(p);
        Folder(p, QRectF(8.5, 9.5, 7, 6));
      });
    case A::Close:
      return Drawn([](QPainter& p) {
        p.drawRect(QRectF(1.5, 1.5, 8, 13));
        p.setPen(QPen(kRed, 2, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(QPointF(6, 8), QPointF(12.5, 8));
        Triangle(p, QPointF(13, 8), false, kRed);
      });
    case A::GroupImport: return Marked(true, [](QPainter& p) { ArrowIn(p, QPointF(12.5, 15)); });
    case A::GroupExport: return Marked(true, [](QPainter& p) { ArrowOut(p); });
    case A::GroupAdd: return Marked(true, [corner](QPainter& p) { Plus(p, corner); });
    case A::GroupInsert:
      return Marked(true, [](QPainter& p) {
        Plus(p, QPointF(12.5, 10.5));
        p.setPen(QPen(kGreen, 1.5));
        p.drawLine(QPointF(7, 15), QPointF(16, 15));
      });
    case A::GroupDel: return Marked(true, [corner](QPainter& p) { Cross(p, corner); });
    case A::GroupMultiDelete: return Twice(true, [corner](QPainter& p) { Cross(p, corner); });
    case A::GroupEdit: return Marked(true, [](QPainter& p) { Pencil(p); });
    case A::GroupCopy: return Twice(true, [corner](QPainter& p) { Plus(p, corner, 2.5); });
    case A::EditorEdit_Group: return Marked(true, [](QPainter& p) { Gear(p, QPointF(12, 12), 3.8); });
    case A::GroupMoveOneUp: return Marked(true, [](QPainter& p) { Triangle(p, QPointF(12, 11.5), true); });
    case A::GroupMoveOneDown: return Marked(true, [](QPainter& p) { Triangle(p, QPointF(12, 12.5), false); });
    case A::GroupTitleStyleClear: return Marked(true, [](QPainter& p) { Eraser(p); });
    case A::ReOpenGroup:
      return Marked(true, [](QPainter& p) {
        p.setPen(QPen(kBlue, 1.6));
        p.drawArc(QRectF(8.5, 8.5, 6.5, 6.5), 30 * 16, 280 * 16);
        Triangle(p, QPointF(14.5, 10), true, kBlue, 2.2);
      });
    case A::ItemAdd: return Marked(false, [corner](QPainter& p) { Plus(p, corner); });
    case A::ItemInsert:
      return Marked(false, [](QPainter& p) {
        Plus(p, QPointF(12.5, 10.5));
        p.setPen(QPen(kGreen, 1.5));
        p.drawLine(QPointF(7, 15), QPointF(16, 15));
      });
    case A::ItemDel: return Marked(false, [corner](QPainter& p) { Cross(p, corner); });
    case A::ItemMultiDelete: return Twice(false, [corner](QPainter& p) { Cross(p, corner); });
    case A::ItemEdit: return Marked(false, [](QPainter& p) { Pencil(p); });
    case A::ItemCopy: return Twice(false, [corner](QPainter& p) { Plus(p, corner, 2.5); });
    case A::ItemTitleStyleClear: return Marked(false, [](QPainter& p) { Eraser(p); });
    case A::ReOpenItem:
      return Marked(false, [](QPainter& p) {
        p.setPen(QPen(kBlue, 1.6));
        p.drawArc(QRectF(8.5, 8.5, 6.5, 6.5), 30 * 16, 280 * 16);
        Triangle(p, QPointF(14.5, 10), true, kBlue, 2.2);
      });
    case A::ItemMoveOneUp: return Marked(false, [](QPainter& p) { Triangle(p, QPointF(12.5, 11.5), true); });
    case A::ItemMoveOneDown: return Marked(false, [](QPainter& p) { Triangle(p, QPointF(12.5, 12.5), false); });
    case A::ItemNameFromText:
      return Drawn([](QPainter& p) {
        Page(p, QRectF(1.5, 0.5, 12, 15), false);
        p.fillRect(QRectF(3.5, 3, 8, 2.5), kRed);
        p.setPen(QPen(QColor(120, 120, 120), 1));
        for (qreal y = 8; y < 15; y += 2.5) p.drawLine(QPointF(3.5, y), QPointF(11.5, y));
      });
    case A::ItemNameFromSelText:
      return Drawn([](QPainter& p) {
        Page(p, QRectF(1.5, 0.5, 12, 15), false);
        p.setPen(QPen(QColor(120, 120, 120), 1));
        for (qreal y = 3.5; y < 15; y += 2.5) p.drawLine(QPointF(3.5, y), QPointF(11.5, y));
        p.fillRect(QRectF(3, 7.5, 9, 3), kBlue);
      });
    case A::AddFile:
      return Drawn([](QPainter& p) {
        Page(p, QRectF(1.5, 3.5, 9, 12));
        ArrowIn(p, QPointF(12.5, 10));
      });
    case A::SaveToFile: return Drawn([](QPainter& p) { Floppy(p, QRectF(1.5, 1.5, 13, 13)); });
    case A::SaveToFile_GroupItems:
      return Drawn([](QPainter& p) {
        Floppy(p, QRectF(4.5, 0.5, 11, 11));
        Floppy(p, QRectF(0.5, 4.5, 11, 11));
      });
    case A::OpenFormEditor: return Marked(false, [](QPainter& p) { ArrowOut(p); });
    case A::OpenFormEditor_GroupItems: return Twice(false, [](QPainter& p) { ArrowOut(p); });
    case A::WordWrap_Non:
      return Drawn([](QPainter& p) {
        for (int y : {3, 7, 11}) p.drawLine(QPointF(1, y + 0.5), QPointF(15, y + 0.5));
        p.setPen(QPen(kRed, 1));
        p.drawLine(QPointF(10.5, 1), QPointF(10.5, 15));
      });
    case A::WordWrap_User:
      return Drawn([](QPainter& p) {
        for (int y : {3, 7, 11}) p.drawLine(QPointF(1, y + 0.5), QPointF(10, y + 0.5));
        p.setPen(QPen(kRed, 1));
        p.drawLine(QPointF(11.5, 1), QPointF(11.5, 15));
      });
    case A::WordWrap_Width:
      return Drawn([](QPainter& p) {
        for (int y : {3, 7, 11}) p.drawLine(QPointF(1, y + 0.5), QPointF(14, y + 0.5));
        p.setPen(QPen(kBlue, 1));
        p.drawRect(QRectF(0.5, 0.5, 15, 15));
      });
  }
  return {};
}

QPixmap ProgramIconPixmap(int size) {
  QPixmap pm(size, size);
  pm.fill(Qt::transparent);
  QSvgRenderer picture(QStringLiteral(":/sorametext.svg"));
  QPainter p(&pm);
  picture.render(&p);
  return pm;
}

QIcon ProgramIcon() {
  QIcon icon;
  for (int s : {16, 32, 48}) icon.addPixmap(ProgramIconPixmap(s));
  return icon;
}

}  // namespace mainwin::qt
