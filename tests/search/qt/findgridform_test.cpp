// TFindGridForm: size, header, column widths that follow the window, rows and status panels,
// opening rows by button and double click, closing; and FindDialogsQt's windows.
#include <QHeaderView>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

#include "codec/cp932.h"
#include "search/qt/finddialogs.h"
#include "search/qt/findgridform.h"

using namespace search;
using search::qt::TFindGridForm;

namespace {

std::string Sjis(const char* utf8) { return codec::Utf8ToCp932(utf8).bytes; }

std::unique_ptr<FindGrid> TwoGroupsGrid() {
  auto g = std::make_unique<FindGrid>();
  g->Prepare(Sjis("メモ"), FindGrid::mdFullText, soForward);
  g->AppendHits({SearchHit{0, 1, 5, Sjis("日記"), Sjis("一月"), Sjis("メモ\r\n二行目")}}, false);
  g->AppendHits({SearchHit{2, 0, 0, "g2", "i", Sjis("メモ")}, SearchHit{2, 3, 9, "g2", "j", "x"}}, false);
  return g;
}

int Columns(const QTableWidget* t) {
  int sum = 0;
  for (int c = 0; c < t->columnCount(); ++c) sum += t->columnWidth(c);
  return sum;
}

}  // namespace

class FindGridFormTest : public QObject {
  Q_OBJECT

 private slots:
  void WindowHeaderRowsAndStatus() {
    auto* f = new TFindGridForm(TwoGroupsGrid(), {});
    QPointer<TFindGridForm> alive(f);
    QCOMPARE(f->windowTitle(), QStringLiteral("検索結果"));
    QCOMPARE(f->size(), QSize(783, 540));
    QVERIFY(!f->isModal());
    QVERIFY(f->testAttribute(Qt::WA_DeleteOnClose));
    QTableWidget* t = f->StringGrid;
    QCOMPARE(t->columnCount(), 7);
    const QString header[] = {"No", "GroupIndex", "GroupName", "ItemIndex", "ItemName", "Position", "Text"};
    for (int c = 0; c < 7; ++c) QCOMPARE(t->horizontalHeaderItem(c)->text(), header[c]);
    QCOMPARE(t->rowCount(), 4);  // three hits and the empty row
    QCOMPARE(t->item(0, 0)->text(), QStringLiteral("1"));
    QCOMPARE(t->item(0, 2)->text(), QStringLiteral("日記"));
    QCOMPARE(t->item(0, 4)->text(), QStringLiteral("一月"));
    QCOMPARE(t->item(0, 6)->text(), QStringLiteral("メモ  二行目"));  // one line per cell
    QCOMPARE(t->item(2, 0)->text(), QStringLiteral("3"));
    QCOMPARE(t->item(2, 5)->text(), QStringLiteral("9"));
    QCOMPARE(t->item(3, 0)->text(), QString());
    QCOMPARE(f->StatusPanel[0]->text(), QStringLiteral("全文検索"));
    QCOMPARE(f->StatusPanel[1]->text(), QStringLiteral("検索結果　3 件"));
    QCOMPARE(f->StatusPanel[2]->text(), QStringLiteral("検索文字列：　メモ"));
    QCOMPARE(f->StatusPanel[0]->width(), 180);
    QCOMPARE(f->StatusPanel[1]->alignment(), Qt::AlignCenter);
    QCOMPARE(f->Button_Open->text(), QStringLiteral("開く"));
    QVERIFY(f->Button_Open->isDefault());
    QCOMPARE(f->Button_Close->text(), QStringLiteral("閉じる"));

    f->show();
    QVERIFY(QTest::qWaitForWindowExposed(f));
    f->Button_Close->click();
    QTRY_VERIFY(alive.isNull());  // freed itself with its rows
  }

  void ColumnWidthsFollowTheWindow() {
    TFindGridForm f(TwoGroupsGrid(), {});
    f.setAttribute(Qt::WA_DeleteOnClose, false);
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    QTableWidget* t = f.StringGrid;
    // The designed widths, widened to show every header and cell whole.
    const int fixed[] = {30, 35, 180, 35, 180, 60};
    const QFontMetrics header = t->horizontalHeader()->fontMetrics();
    for (int c = 0; c < 6; ++c) {
      QVERIFY(t->columnWidth(c) >= fixed[c]);
      const QString title = t->horizontalHeaderItem(c)->text();
      QVERIFY2(t->columnWidth(c) > header.horizontalAdvance(title), qPrintable(title));
      for (int r = 0; r < t->rowCount(); ++r)
        QVERIFY(t->columnWidth(c) > t->fontMetrics().horizontalAdvance(t->item(r, c)->text()));
    }
    QCOMPARE(t->columnWidth(2), 180);                  // short names keep the designed width
    QTRY_COMPARE(Columns(t), t->viewport()->width());  // the Text column fills the rest exactly
    const int before = t->columnWidth(6);
    f.resize(1000, 540);
    QTRY_COMPARE(t->columnWidth(6), before + 1000 - 783);
    QCOMPARE(Columns(t), t->viewport()->width());
    f.resize(400, 300);  // narrower than the fixed columns: the Text column keeps a minimum
    QTRY_COMPARE(t->columnWidth(6), FindGrid::kMinTextWidth);

    // A name longer than its designed width widens its column.
    auto grid = std::make_unique<FindGrid>();
    const char* longName = "とても長いアイテムの名前はここまで続いて終わらない";
    grid->AppendHits({SearchHit{0, 0, 1, "g", Sjis(longName), "x"}}, false);
    TFindGridForm wide(std::move(grid), {});
    wide.setAttribute(Qt::WA_DeleteOnClose, false);
    QVERIFY(wide.StringGrid->columnWidth(4) > wide.StringGrid->fontMetrics().horizontalAdvance(longName));
  }

  void OpenByButtonAndDoubleClick() {
    std::vector<int> opened;
    const FindGrid* seen = nullptr;
    TFindGridForm f(TwoGroupsGrid(), [&](const FindGrid& g, int row) {
      seen = &g;
      opened.push_back(row);
    });
    f.setAttribute(Qt::WA_DeleteOnClose, false);
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    QCOMPARE(f.CurrentGridRow(), 1);
    f.StringGrid->setCurrentCell(2, 3);
    f.Button_Open->click();
    QTest::keyClick(f.StringGrid, Qt::Key_Return);  // Enter presses the default button
    QTest::keyClick(f.StringGrid, Qt::Key_Up);
    const QRect cell = f.StringGrid->visualItemRect(f.StringGrid->item(1, 2));
    QTest::mouseClick(f.StringGrid->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(f.StringGrid->viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(opened, (std::vector<int>{3, 3, 2}));
    QCOMPARE(seen, &f.Grid());
    QCOMPARE(seen->Locate(3), (HitLocation{2, 3, 9}));
  }

  void DialogsOpenOneWindowPerSearchAndRouteRowsToTheCommands() {
    QWidget window;
    search::qt::FindDialogsQt dialogs(&window);
    dialogs.ShowResults(TwoGroupsGrid());
    QPointer<TFindGridForm> first = dialogs.LastResults();
    dialogs.ShowResults(TwoGroupsGrid());
    QPointer<TFindGridForm> second = dialogs.LastResults();
    QVERIFY(first && second && first != second);
    QVERIFY(first->isVisible() && second->isVisible());
    second->OpenCurrentRow();  // nothing attached yet: nothing happens
    first->close();
    QTRY_VERIFY(first.isNull());
    QVERIFY(second->isVisible());
  }
};

QTEST_MAIN(FindGridFormTest)
#include "findgridform_test.moc"
