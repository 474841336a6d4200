// Drops onto the editor: text lands at the drop point, files go to the host and leave the text
// alone, and a drag that only passes by leaves the caret where it was.
#include <QApplication>
#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>

#include "testutil.h"

using editor::qt::TOleddEditor;
using testutil::ShownEditor;
using testutil::Text;

namespace {

// The pixel in the middle of a cell.
QPoint CellCenter(TOleddEditor& w, int row, int col) {
  const auto& l = w.Model().Layout();
  return {w.Model().ColX(col) + l.char_width / 2 - 1, w.Model().RowY(row) + l.row_pitch / 2};
}

// A cell's left edge (where a drop puts the caret before that column).
QPoint CellLeft(TOleddEditor& w, int row, int col) {
  return {w.Model().ColX(col) + 1, w.Model().RowY(row) + w.Model().Layout().row_pitch / 2};
}

Qt::DropAction DragTo(TOleddEditor& w, const QMimeData& mime, QPoint at, bool drop,
                      Qt::KeyboardModifiers mods = Qt::NoModifier) {
  QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton, mods);
  QApplication::sendEvent(w.viewport(), &enter);
  if (!enter.isAccepted()) return Qt::IgnoreAction;
  QDragMoveEvent move(at, Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton, mods);
  QApplication::sendEvent(w.viewport(), &move);
  if (!drop) {
    QDragLeaveEvent leave;
    QApplication::sendEvent(w.viewport(), &leave);
    return move.dropAction();
  }
  QDropEvent d(at, Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton, mods);
  QApplication::sendEvent(w.viewport(), &d);
  return d.isAccepted() ? d.dropAction() : Qt::IgnoreAction;
}

}  // namespace

class DragDropTest : public QObject {
  Q_OBJECT

 private slots:
  void textFromAnotherProgramIsInsertedAtTheDropPoint() {
    auto w = ShownEditor("abcd\r\nefgh\r\nijkl");
    w->Model().SetRowCol(0, 0);
    QMimeData mime;
    mime.setText(QStringLiteral("XY"));
    const Qt::DropAction a = DragTo(*w, mime, CellLeft(*w, 1, 2), true);
    QCOMPARE(a, Qt::CopyAction);  // text from elsewhere is always copied
    QCOMPARE(Text(*w), std::string("abcd\r\nefXYgh\r\nijkl"));
    QVERIFY(w->hasFocus());
  }

  void droppedJapaneseIsConverted() {
    auto w = ShownEditor("ab");
    QMimeData mime;
    mime.setText(QStringLiteral("日本"));
    DragTo(*w, mime, CellLeft(*w, 0, 1), true);
    QCOMPARE(Text(*w), std::string("a\x93\xFA\x96\x7B"
                                   "b"));
  }

  void filesGoToTheHostAndTheTextStays() {
    auto w = ShownEditor("abcd\r\nefgh");
    QSignalSpy spy(w.get(), &TOleddEditor::dropFiles);
    QMimeData mime;
    mime.setUrls(
        {QUrl::fromLocalFile(QStringLiteral("/tmp/メモ.txt")), QUrl::fromLocalFile(QStringLiteral("/tmp/b.txt"))});
    mime.setText(QStringLiteral("/tmp/メモ.txt\n/tmp/b.txt"));  // as file managers add
    const QPoint at = CellCenter(*w, 1, 1);
    const Qt::DropAction a = DragTo(*w, mime, at, true, Qt::ControlModifier);
    QCOMPARE(a, Qt::CopyAction);
    QCOMPARE(Text(*w), std::string("abcd\r\nefgh"));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toStringList(),
             QStringList({QStringLiteral("/tmp/メモ.txt"), QStringLiteral("/tmp/b.txt")}));
    QCOMPARE(spy.at(0).at(1).value<Qt::KeyboardModifiers>(), Qt::KeyboardModifiers(Qt::ControlModifier));
    QCOMPARE(spy.at(0).at(2).toPoint(), at);
  }

  void dragPassingByLeavesTheCaret() {
    auto w = ShownEditor("abcd\r\nefgh\r\nijkl");
    w->Model().SetRowCol(2, 3);
    QMimeData mime;
    mime.setText(QStringLiteral("XY"));
    DragTo(*w, mime, CellLeft(*w, 0, 1), false);
    QCOMPARE(w->Model().CaretPos(), (editor::Position{2, 3}));
    QCOMPARE(Text(*w), std::string("abcd\r\nefgh\r\nijkl"));
  }

  void readOnlyTakesNoText() {
    auto w = ShownEditor("abcd");
    w->Model().SetReadOnly(true);
    QMimeData mime;
    mime.setText(QStringLiteral("XY"));
    DragTo(*w, mime, CellLeft(*w, 0, 1), true);
    QCOMPARE(Text(*w), std::string("abcd"));
  }

  void otherDataIsRefused() {
    auto w = ShownEditor("abcd");
    QMimeData mime;
    mime.setData(QStringLiteral("image/png"), QByteArray("\x89PNG"));
    QCOMPARE(DragTo(*w, mime, CellLeft(*w, 0, 1), true), Qt::IgnoreAction);
    QCOMPARE(Text(*w), std::string("abcd"));
  }
};

QTEST_MAIN(DragDropTest)
#include "dragdrop_test.moc"
