// Copy and paste through the system clipboard: stream and box text, text from other programs, and
// code page 932 characters that do not survive a trip through Unicode.
#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>

#include "editor/qt/editormime.h"
#include "testutil.h"

using editor::qt::TEditor;
using testutil::Cp932;
using testutil::ShownEditor;
using testutil::Text;

class ClipboardTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { QGuiApplication::clipboard()->clear(); }

  void streamCopyAndPaste() {
    auto w = ShownEditor("abc\r\ndef");
    w->Model().Select({0, 1}, {1, 2});
    QTest::keyClick(w.get(), Qt::Key_C, Qt::ControlModifier);
    const QMimeData* m = QGuiApplication::clipboard()->mimeData();
    QVERIFY(m);
    QCOMPARE(m->text(), QStringLiteral("bc\r\nde"));
    QVERIFY(!m->hasFormat(QString::fromLatin1(editor::qt::kBoxMimeType)));
    w->Model().ClearSelection();
    w->Model().SetRowCol(1, 3);
    QTest::keyClick(w.get(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(Text(*w), std::string("abc\r\ndefbc\r\nde"));
  }

  void boxCopyPastesAsABoxInTheSameWidget() {
    auto w = ShownEditor("abcd\r\nefgh\r\nijkl\r\nmnop");
    w->Model().SetBoxSelection(true);
    w->Model().Select({0, 1}, {1, 3});
    QCOMPARE(w->Model().SelText(), std::string("bc\r\nfg"));
    w->Model().CopyToClipboard();
    QVERIFY(QGuiApplication::clipboard()->mimeData()->hasFormat(QString::fromLatin1(editor::qt::kBoxMimeType)));
    w->Model().SetBoxSelection(false);
    w->Model().ClearSelection();
    w->Model().SetRowCol(2, 4);
    w->Model().PasteFromClipboard();
    QCOMPARE(Text(*w), std::string("abcd\r\nefgh\r\nijklbc\r\nmnopfg"));
  }

  void plainTextFromAnotherProgramPastesAsAStream() {
    auto w = ShownEditor("abcd\r\nefgh");
    auto* mime = new QMimeData;
    mime->setText(QStringLiteral("XY\r\nZ"));
    QGuiApplication::clipboard()->setMimeData(mime);
    w->Model().SetRowCol(0, 2);
    w->Model().PasteFromClipboard();
    QCOMPARE(Text(*w), std::string("abXY\r\nZcd\r\nefgh"));
  }

  void unicodeFromAnotherProgramIsConvertedAndReported() {
    auto w = ShownEditor();
    QSignalSpy spy(w.get(), &TEditor::charactersReplaced);
    QGuiApplication::clipboard()->setText(QStringLiteral("漢字😀"));
    w->Model().PasteFromClipboard();
    QCOMPARE(Text(*w), Cp932(QStringLiteral("漢字")) + "?");
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toInt(), 1);
  }

  void duplicateCodesSurviveInProgramCopyAndPaste() {
    // ED 40 (an NEC-selected IBM extension) comes back from Unicode as FA 5C.
    const std::string text = "x\xED\x40y";
    auto w = ShownEditor(text);
    w->Model().SelectAll();
    w->Model().CopyToClipboard();
    auto other = ShownEditor();
    other->Model().PasteFromClipboard();
    QCOMPARE(Text(*other), text);
  }

  void cutNeedsWritableText() {
    auto w = ShownEditor("abc");
    w->Model().Select({0, 0}, {0, 2});
    w->Model().SetReadOnly(true);
    QTest::keyClick(w.get(), Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(Text(*w), std::string("abc"));
    w->Model().SetReadOnly(false);
    w->Model().Select({0, 0}, {0, 2});
    QTest::keyClick(w.get(), Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(Text(*w), std::string("c"));
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("ab"));
  }
};

QTEST_MAIN(ClipboardTest)
#include "clipboard_test.moc"
