// The window at work: clicking rows switches items and groups and saves, typed text reaches the
// records, the wrap buttons, the time-stamp and move/copy menus, dragging entries and files,
// links and the wheel in the editor, how rows are drawn, and SIGTERM closing with everything saved.
#include <QActionGroup>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QScrollBar>
#include <QToolBar>
#include <QToolButton>
#include <csignal>
#include <filesystem>

#include "mainwin/qt/panel_drop.h"
#include "mainwin/qt/termination.h"
#include "windowutil.h"

using mainwin::ActionId;
using mainwin::qt::TMainForm;
using wintest::Window;

namespace {

std::vector<mwtest::SeedGroup> Groups() {
  return {{"仕事", {{"会議", "議題\r\n決定"}, {"買い物", "牛乳"}}, 0}, {"趣味", {{"読書", "猫"}, {"映画", ""}}, 1}};
}

class WindowEditing : public QObject {
  Q_OBJECT

 private slots:
  void clickingRowsWritesBackAndSwitchingGroupsSaves() {
    mwtest::TempDir dir;
    mwtest::Seed(dir.Data(), Groups(), 0);
    {
      Window w(dir.Data());
      TMainForm& f = *w.form;
      QCOMPARE(w.Text(), std::string("議題\r\n決定"));
      QVERIFY(f.MainEditor->isEnabled());
      w.Type(QStringLiteral("abc日本語"));
      QCOMPARE(w.Text(), std::string("abc日本語議題\r\n決定"));
      QCOMPARE(w.Panel(6), QStringLiteral("    1 行:  10 桁"));
      w.ClickRow(f.ListBox_Item, 1);
      QCOMPARE(w.Text(), std::string("牛乳"));
      QCOMPARE(mwtest::Utf8(f.Core().Data().Items().ItemAt(0).ItemText), "abc日本語議題\r\n決定");
      w.ClickRow(f.ListBox_Group, 1);
      QCOMPARE(f.ListBox_Item->model()->rowCount(), 2);
      QCOMPARE(f.Core().ItemList().ItemIndex(), 1);
      QCOMPARE(mwtest::StoredItems(dir.Data(), 0)[0].text, std::string("abc日本語議題\r\n決定"));
      QCOMPARE(w.Panel(1), QStringLiteral("2 アイテム"));
      // History back returns to the item of the other group.
      QVERIFY(f.Action(ActionId::HistoryBk)->isEnabled());
      f.Action(ActionId::HistoryBk)->trigger();
      w.Settle();
      QCOMPARE(f.Core().GroupList().ItemIndex(), 0);
      QCOMPARE(f.Core().ItemList().ItemIndex(), 1);
      w.Type(QStringLiteral("と卵"));
      w.Close();
    }
    QCOMPARE(mwtest::StoredItems(dir.Data(), 0)[1].text, std::string("と卵牛乳"));
  }

  void wrapButtonsAndWidthFormula() {
    mwtest::TempDir dir;
    mwtest::Seed(dir.Data(), Groups(), 0);
    Window w(dir.Data());
    TMainForm& f = *w.form;
    auto* width = qobject_cast<QToolButton*>(f.ToolBar1->widgetForAction(f.Action(ActionId::WordWrap_Width)));
    QVERIFY(width);
    QCOMPARE(width->objectName(), QStringLiteral("ToolButton_WordWrap_Width"));
    width->click();
    w.Settle();
    QVERIFY(width->isChecked());
    editor::EditorModel& m = f.MainEditor->Model();
    const int c = m.Layout().char_width;
    const int v = f.MainEditor->verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOn
                      ? f.MainEditor->style()->pixelMetric(QStyle::PM_ScrollBarExtent)
                      : 0;
    QCOMPARE(m.WrapOption().WrapByte(), (f.MainEditor->width() - m.TextLeft() - c / 2 - v) / c);
    // Resizing the editor recomputes the column.
    f.resize(f.width() + 80, f.height());
    w.Settle();
    QCOMPARE(m.WrapOption().WrapByte(), (f.MainEditor->width() - m.TextLeft() - c / 2 - v) / c);
    f.Action(ActionId::WordWrap_Non)->trigger();
    QVERIFY(!m.WordWrap());
    QVERIFY(f.Action(ActionId::WordWrap_Non)->isChecked());
    QVERIFY(!width->isChecked());
  }

  void insertAndReadOnlyPanels() {
    mwtest::TempDir dir;
    mwtest::Seed(dir.Data(), Groups(), 0);
    Window w(dir.Data());
    TMainForm& f = *w.form;
    f.MainEditor->setFocus();
    QTest::keyClick(f.MainEditor, Qt::Key_Insert);
    w.Settle();
    QCOMPARE(w.Panel(2), QStringLiteral("上書"));
    QVERIFY(f.MainEditor->Model().Overwrite());
    QVERIFY(f.Action(ActionId::insert)->isChecked());
    f.Action(ActionId::ReadOnly)->trigger();
    w.Settle();
    QCOMPARE(w.Panel(3), QStringLiteral("ReadOnly"));
    w.Type(QStringLiteral("x"));
    QCOMPARE(w.Text(), std::string("議題\r\n決定"));
  }

  void timeStampMenuAndCommand() {
    mwtest::TempDir dir;
    mwtest::Seed(dir.Data(), Groups(), 0);
    Window w(dir.Data());
    TMainForm& f = *w.form;
    f.Commands().History().SetClock([] { return editorsettings::DateTime{2010, 1, 24, 9, 5, 3, 0}; });
    f.BuildTimeStampMenu();
    const QList<QAction*> entries = f.PopupMenu_Time->actions();
    QCOMPARE(entries.size(), 9);
    QCOMPARE(entries[0], f.Action(ActionId::EditEditor_TimeOpen));
    QVERIFY(entries[1]->isSeparator());
    QCOMPARE(entries[2]->text(), QStringLiteral("2010/1/24"));
    QCOMPARE(entries[3]->text(), QStringLiteral("2010/1/24 9:5:3"));
    QCOMPARE(entries[5]->text(), QStringLiteral("平22年1月24日 (日)"));
    QVERIFY(entries[2]->isChecked());
    entries[4]->trigger();
    QCOMPARE(f.Core().Data().MainData().TimeIndex, 2);
    f.BuildTimeStampMenu();
    QVERIFY(f.PopupMenu_Time->actions()[4]->isChecked());
    QCOMPARE(f.PopupMenu_Time->actions().size(), 9);
    f.Action(ActionId::TimeStamp)->trigger();
    QCOMPARE(w.Text(), std::string("10/01/24 9:5 AM議題\r\n決定"));
  }

  void moveCopyMenusAreRebuiltOnce() {
    mwtest::TempDir dir;
    mwtest::Seed(dir.Data(), Groups(), 0);
    Window w(dir.Data());
    TMainForm& f = *w.form;
    f.BuildMoveCopyMenu(f.PopupMenu_Item);
    f.BuildMoveCopyMenu(f.PopupMenu_Item);
    QStringList subs;
    for (QAction* a : f.PopupMenu_Item->actions())
      if (a->menu()) subs << a->text();
    QCOMPARE(subs, (QStringList{QStringLiteral("他のグループへ移動"), QStringLiteral("他のグループへコピー")}));
    QMenu* copy = f.PopupMenu_Item->actions().last()->menu();
    QCOMPARE(copy->actions().size(), 2);
    QCOMPARE(copy->actions()[1]->text(), QStringLiteral("趣味"));
    copy->actions()[1]->trigger();
    w.Settle();
    QCOMPARE(mwtest::StoredItems(dir.Data(), 1).size(), size_t{3});
    QCOMPARE(mwtest::StoredItems(dir.Data(), 1)[2].text, std::string("議題\r\n決定"));
    QCOMPARE(f.ListBox_Item->model()->rowCount(), 2);
    // The main menu's item menu gets the same pair, kept after its own entries.
    f.BuildMoveCopyMenu(f.Menu_Item);
    f.BuildMoveCopyMenu(f.Menu_Item);
    QCOMPARE(f.Menu_Item->actions()[0], f.Action(ActionId::ItemAdd));
    int pairs = 0;
    for (QAction* a : f.Menu_Item->actions()) pairs += a->menu() ? 1 : 0;
    QCOMPARE(pairs, 2);
  }

  void draggingEntriesBetweenTheLists() {
    mwtest::TempDir dir;
    mwtest::Seed(dir.Data(), Groups(), 0);
    Window w(dir.Data());
    TMainForm& f = *w.form;
    // A synthetic QDropEvent has no drag source, so the lists' drop signal stands for the drop.
    emit f.ListBox_Item->entryDropped(20, 10, 1, false);  // move item 0 to group 1
    w.Settle();
    QCOMPARE(f.ListBox_Item->model()->rowCount(), 1);
    QCOMPARE(mwtest::StoredItems(dir.Data(), 1).back().name, std::string("会議"));
    QCOMPARE(store::THistoryCollection::Positions(f.Core().Data().History().CollectionBk),
             (std::vector<store::HistoryPosition>{{1, 2}}));
    emit f.ListBox_Group->entryDropped(10, 10, 1, false);  // move group 0 below group 1
    w.Settle();
    QCOMPARE(f.ListBox_Group->model()->index(1, 0).data().toString(), QStringLiteral("仕事"));
    QCOMPARE(f.Core().GroupList().ItemIndex(), 1);
    QCOMPARE(store::THistoryCollection::Positions(f.Core().Data().History().CollectionBk),
             (std::vector<store::HistoryPosition>{{0, 2}}));
    // A group does not go into the item list.
    QVERIFY(!mainwin::AcceptsEntryDrop(10, 20));
  }

  void filesDroppedOnTheItemPanel() {
    mwtest::TempDir dir;
    mwtest::Seed(dir.Data(), Groups(), 0);
    Window w(dir.Data());
    TMainForm& f = *w.form;
    QStringList got;
    QObject::connect(&f, &TMainForm::filesDropped, [&](const QStringList& files) { got = files; });
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/a メモ.txt")), QUrl(QStringLiteral("https://x.jp/")),
                  QUrl::fromLocalFile(QStringLiteral("/tmp/b.txt"))});
    const QPoint pos = f.ListBox_Item->viewport()->rect().center();
    // Files dragged over the item list go on from the list to its panel, which takes them.
    QDragEnterEvent enter(pos, Qt::CopyAction, &mime, Qt::LeftButton, {});
    QCoreApplication::sendEvent(f.ListBox_Item->viewport(), &enter);
    QVERIFY(enter.isAccepted());
    QMimeData text;
    text.setText(QStringLiteral("not a file"));
    QDragEnterEvent textEnter(pos, Qt::CopyAction, &text, Qt::LeftButton, {});
    QCoreApplication::sendEvent(f.ListBox_Item->viewport(), &textEnter);
    QVERIFY(!textEnter.isAccepted());
    QDropEvent drop(QPointF(1, 1), Qt::CopyAction, &mime, Qt::LeftButton, {});
    QCoreApplication::sendEvent(f.Panel_Drop_Item, &drop);
    QCOMPARE(got, (QStringList{QStringLiteral("/tmp/a メモ.txt"), QStringLiteral("/tmp/b.txt")}));
    QCOMPARE(f.Panel_Drop_Item->Files(), got);
  }

  void linksWheelAndBoxSelectionInTheEditor() {
    mwtest::TempDir dir;
    std::string text = "mail a@b.jp and www.example.com\r\n";
    for (int i = 0; i < 200; ++i) text += "line\r\n";
    mwtest::Seed(dir.Data(), {{"g", {{"i", text}}}}, 0);
    Window w(dir.Data());
    TMainForm& f = *w.form;
    editor::EditorModel& m = f.MainEditor->Model();
    QWidget* vp = f.MainEditor->viewport();
    const int y = m.RowY(0) + 3;
    QTest::mouseMove(vp, QPoint(m.ColX(20), y));
    w.Settle();
    QCOMPARE(vp->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseDClick(vp, Qt::LeftButton, {}, QPoint(m.ColX(20), y));
    QCOMPARE(w.boxes.opened.size(), 1);
    QCOMPARE(w.boxes.opened[0].toString(), QStringLiteral("http://www.example.com"));
    QTest::mouseMove(vp, QPoint(m.ColX(6), y));
    QTest::mouseDClick(vp, Qt::LeftButton, {}, QPoint(m.ColX(6), y));
    QCOMPARE(w.boxes.opened.last().toString(), QStringLiteral("mailto:a@b.jp"));
    QTest::mouseMove(vp, QPoint(m.ColX(1), y));
    QCOMPARE(vp->cursor().shape(), Qt::IBeamCursor);

    const int top = m.TopRow();
    QWheelEvent down(QPointF(50, 50), vp->mapToGlobal(QPointF(50, 50)), {}, QPoint(0, -240), Qt::NoButton, {},
                     Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(vp, &down);
    QCOMPARE(m.TopRow(), top + 2);

    QTest::mousePress(vp, Qt::LeftButton, Qt::AltModifier, QPoint(m.ColX(2), m.RowY(3) + 3));
    QTest::mouseRelease(vp, Qt::LeftButton, Qt::AltModifier, QPoint(m.ColX(2), m.RowY(3) + 3));
    QVERIFY(m.BoxSelection());
    QTest::mousePress(vp, Qt::LeftButton, {}, QPoint(m.ColX(2), m.RowY(3) + 3));
    QTest::mouseRelease(vp, Qt::LeftButton, {}, QPoint(m.ColX(2), m.RowY(3) + 3));
    QVERIFY(!m.BoxSelection());
  }

  void rowsAreDrawnByTheListRules() {
    mwtest::TempDir dir;
    mwtest::Seed(dir.Data(), Groups(), 0);
    Window w(dir.Data());
    TMainForm& f = *w.form;
    // size x 1.3 rounded, but never lower than the font's line spacing: descenders stay inside.
    const struct { int size, height; } cases[] = {{9, 12}, {10, 13}, {15, 20}, {5, 6}};
    for (const auto& c : cases) {
      f.Core().Data().MainData().GroupFontSize = c.size;
      f.ApplyListFontSizes();
      w.Settle();
      const int spacing = QFontMetrics(f.ListBox_Group->ListFont()).height();
      const int height = f.ListBox_Group->visualRect(f.ListBox_Group->model()->index(1, 0)).height();
      QVERIFY2(height >= spacing, qPrintable(QStringLiteral("%1 < %2").arg(height).arg(spacing)));
      QCOMPARE(height, std::max(c.height, spacing));
    }
    f.Core().Data().MainData().GroupFontSize = 12;
    f.ApplyListFontSizes();
    w.Settle();
    const QImage img = f.ListBox_Group->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRect sel = f.ListBox_Group->visualRect(f.ListBox_Group->model()->index(0, 0));
    // Selected row: navy background, text in the inverted navy (fcUnSelColor), 0x7FFFFF = RGB(255,255,127).
    QCOMPARE(QColor(img.pixel(img.width() - 3, sel.center().y())), QColor(0, 0, 128));
    int yellow = 0;
    for (int x = sel.left(); x < sel.left() + 40; ++x)
      for (int yy = sel.top(); yy <= sel.bottom(); ++yy)
        if ((img.pixel(x, yy) & 0xFFFFFF) == 0xFFFF7F) ++yellow;
    QVERIFY(yellow > 5);
    // Below the last row: the unfilled colour.
    QCOMPARE(QColor(img.pixel(5, img.height() - 3)), QColor(255, 255, 255));
  }

  void sigtermClosesTheWindowAndSavesEverything() {
    mwtest::TempDir dir;
    mwtest::Seed(dir.Data(), Groups(), 0);
    Window w(dir.Data());
    mainwin::qt::TerminationWatcher watcher;
    QObject::connect(&watcher, &mainwin::qt::TerminationWatcher::terminationRequested, w.form.get(), &QWidget::close);
    w.Type(QStringLiteral("終了前"));
    ::raise(SIGTERM);
    QTRY_VERIFY(!w.form->isVisible());
    QCOMPARE(mwtest::StoredItems(dir.Data(), 0)[0].text, std::string("終了前議題\r\n決定"));
    w.form.reset();
    for (const char* file : {"main.bin", "list.bin", "History.bin"})
      QVERIFY2(std::filesystem::exists(dir.Data() + file), file);
  }
};

}  // namespace

QTEST_MAIN(WindowEditing)
#include "window_editing_test.moc"
