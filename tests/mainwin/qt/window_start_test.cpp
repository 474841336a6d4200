// The window's start and close: first start, the stored geometry rules, the four arrangements of
// the lists with their default sizes, the splitter rule, the status panels at start, the question
// of a close that cannot save, and files changed elsewhere while it runs.
#include <QMessageBox>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <filesystem>

#include "mainwin/fileexchange.h"
#include "windowutil.h"

using mainwin::qt::TMainForm;
using wintest::Window;

namespace {

store::TMainDataClass Stored(const std::string& data) {
  store::TMainDataClass m;
  m.Load(store::DataFolder(data));
  return m;
}

void StoreMain(const std::string& data, const std::function<void(store::TMainDataClass&)>& change) {
  store::DataFolder folder(data);
  folder.EnsureExists();
  store::TMainDataClass m;
  m.Load(folder);
  change(m);
  m.Save(folder);
}

void UsableGeometry(store::TMainDataClass& m) {
  m.WindowOptionEnabled = true;
  m.Top = 10;
  m.Left = 20;
  m.Width = 640;
  m.Heigth = 480;
  m.SplitPositionX = 230;
  m.SplitPositionY = 150;
}

// Puts a file where the data folder was, so that no save there can succeed; gives the folder back
// when it goes.
struct DataFolderTakenAway {
  explicit DataFolderTakenAway(const mwtest::TempDir& dir)
      : data(dir.Path() + "/UserData"), away(dir.Path() + "/away") {
    std::filesystem::rename(data, away);
    mwtest::WriteAll(data, "");
  }
  ~DataFolderTakenAway() {
    std::filesystem::remove(data);
    std::filesystem::rename(away, data);
  }
  std::string data, away;
};

QPoint Centred(QSize size) {
  const QRect avail = QGuiApplication::primaryScreen()->availableGeometry();
  return avail.center() - QPoint(size.width() / 2, size.height() / 2);
}

class WindowStart : public QObject {
  Q_OBJECT

 private slots:
  void firstStartWithoutDataFolder() {
    mwtest::TempDir dir;
    {
      Window w(dir.Data());
      TMainForm& f = *w.form;
      QCOMPARE(f.windowTitle(), QStringLiteral("ソラメtext"));
      QCOMPARE(f.size(), QSize(800, 572));
      QCOMPARE(f.pos(), Centred(QSize(800, 572)));
      QCOMPARE(f.Splitter1->orientation(), Qt::Horizontal);
      QCOMPARE(f.Splitter1->sizes()[0], 185);
      QCOMPARE(f.Splitter_ListBox->sizes()[0], f.Splitter1->height() / 2);
      QCOMPARE(f.ListBox_Group->model()->rowCount(), 0);
      QVERIFY(w.boxes.errors.isEmpty());
      // The status panels after the first idle update.
      QCOMPARE(w.Panel(0), QStringLiteral("0 グループ"));
      QCOMPARE(w.Panel(1), QStringLiteral("0 アイテム"));
      QCOMPARE(w.Panel(2), QStringLiteral("挿入"));
      QCOMPARE(w.Panel(3), QString());
      QCOMPARE(w.Panel(4), QStringLiteral("標準設定"));
      QCOMPARE(w.Panel(6), QStringLiteral("    1 行:   1 桁"));
      const int widths[7] = {100, 100, 50, 70, 100, 80, 100};
      for (int i = 0; i < 7; ++i) QCOMPARE(f.StatusPanel(i)->width(), widths[i]);
      QCOMPARE(f.StatusPanel(6)->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
      QCOMPARE(f.StatusPanel(0)->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
      // The wrap button of the designed editor (wrap on, stored column) is down.
      QVERIFY(f.Action(mainwin::ActionId::WordWrap_User)->isChecked());
      QVERIFY(!f.MainEditor->isEnabled());
      QVERIFY(!f.Action(mainwin::ActionId::HistoryBk)->isEnabled());
      QVERIFY(f.Action(mainwin::ActionId::WordWrap_Non)->isEnabled());
      w.Close();
    }
    for (const char* file : {"main.bin", "list.bin", "group.bin", "History.bin"})
      QVERIFY2(std::filesystem::exists(dir.Data() + file), file);
    // The designed shortcuts were saved for the next start.
    store::TListDataClass list;
    list.Load(store::DataFolder(dir.Data()));
    QCOMPARE(list.ShortCutList.size(), size_t{55});
    QCOMPARE(QString::fromStdString(list.ShortCutList[0]), QStringLiteral("Ctrl+A"));
    QCOMPARE(QString::fromStdString(list.ShortCutList[6]), QStringLiteral("Ins"));
  }

  void usableGeometryIsRestoredAndStoredAtClose() {
    mwtest::TempDir dir;
    StoreMain(dir.Data(), UsableGeometry);
    {
      Window w(dir.Data());
      QCOMPARE(w.form->pos(), QPoint(20, 10));
      QCOMPARE(w.form->size(), QSize(640, 480));
      QCOMPARE(w.form->Splitter1->sizes()[0], 230);
      QCOMPARE(w.form->Splitter_ListBox->sizes()[0], 150);
      w.form->Splitter1->setSizes({260, w.form->Splitter1->width() - 260 - 3});
      w.form->resize(700, 500);
      w.Close();
    }
    store::TMainDataClass m = Stored(dir.Data());
    QCOMPARE(m.Width, 700);
    QCOMPARE(m.Heigth, 500);
    QCOMPARE(m.SplitPositionX, 260);
    QCOMPARE(m.SplitPositionY, 150);
    QVERIFY(!m.WindowStateMaximized);
  }

  void unusableGeometryOpensCentredWithDefaultSizes_data() {
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("splitX");
    QTest::newRow("Width 99") << 99 << 230;
    QTest::newRow("SplitPositionX 69") << 640 << 69;
  }
  void unusableGeometryOpensCentredWithDefaultSizes() {
    QFETCH(int, width);
    QFETCH(int, splitX);
    mwtest::TempDir dir;
    StoreMain(dir.Data(), [&](store::TMainDataClass& m) {
      UsableGeometry(m);
      m.Width = width;
      m.SplitPositionX = splitX;
    });
    Window w(dir.Data());
    QCOMPARE(w.form->size(), QSize(800, 572));
    QCOMPARE(w.form->pos(), Centred(QSize(800, 572)));
    QCOMPARE(w.form->Splitter1->sizes()[0], 185);
  }

  void fixedGeometryIsNotUpdatedAtClose() {
    mwtest::TempDir dir;
    StoreMain(dir.Data(), [](store::TMainDataClass& m) {
      UsableGeometry(m);
      m.WindowOptionFixed = true;
    });
    {
      Window w(dir.Data());
      w.form->resize(500, 400);
      w.form->Splitter1->setSizes({300, w.form->Splitter1->width() - 303});
      w.Close();
    }
    store::TMainDataClass m = Stored(dir.Data());
    QCOMPARE(m.Width, 640);
    QCOMPARE(m.Heigth, 480);
    QCOMPARE(m.SplitPositionX, 230);
  }

  void maximisedWindowKeepsItsNormalGeometry() {
    mwtest::TempDir dir;
    StoreMain(dir.Data(), [](store::TMainDataClass& m) {
      UsableGeometry(m);
      m.WindowStateMaximized = true;
    });
    {
      Window w(dir.Data());
      QVERIFY(w.form->windowState() & Qt::WindowMaximized);
      w.Close();
    }
    store::TMainDataClass m = Stored(dir.Data());
    QVERIFY(m.WindowStateMaximized);
    QCOMPARE(m.Width, 640);
    QCOMPARE(m.Top, 10);
  }

  void fourArrangementsWithTheirDefaultSizes_data() {
    QTest::addColumn<int>("viewType");
    QTest::addColumn<bool>("paneOnTop");
    QTest::addColumn<bool>("sideBySide");
    QTest::newRow("lvLeft_tate") << 0 << false << false;
    QTest::newRow("lvLeft_yoko") << 1 << false << true;
    QTest::newRow("lvTop_tate") << 2 << true << false;
    QTest::newRow("lvTop_yoko") << 3 << true << true;
  }
  void fourArrangementsWithTheirDefaultSizes() {
    QFETCH(int, viewType);
    QFETCH(bool, paneOnTop);
    QFETCH(bool, sideBySide);
    mwtest::TempDir dir;
    mwtest::Seed(
        dir.Data(),
        {{"仕事", {{"会議メモ", "月曜 10時 定例\r\nhttp://www.example.com/agenda"}, {"買い物", "牛乳\r\nパン"}}, 0},
         {"趣味", {{"読書", "吾輩は猫である"}}, 0},
         {"旅行", {}, -1}},
        0);
    StoreMain(dir.Data(), [&](store::TMainDataClass& m) { m.ListBoxViewType = viewType; });
    Window w(dir.Data());
    TMainForm& f = *w.form;
    QCOMPARE(f.Splitter1->orientation(), paneOnTop ? Qt::Vertical : Qt::Horizontal);
    QCOMPARE(f.Splitter_ListBox->orientation(), sideBySide ? Qt::Horizontal : Qt::Vertical);
    const mainwin::SplitSizes want = mainwin::DefaultListSizes(viewType, f.Splitter1->width(), f.Splitter1->height());
    QCOMPARE(f.Splitter1->sizes()[0], want.pane);
    QCOMPARE(f.Splitter_ListBox->sizes()[0], want.group);
    // The pane comes first: left of or above the editor; the group list left of or above the items.
    QVERIFY(paneOnTop ? f.Panel_Left->geometry().bottom() < f.Panel_Right->geometry().top()
                      : f.Panel_Left->geometry().right() < f.Panel_Right->geometry().left());
    QCOMPARE(w.Text(), std::string("月曜 10時 定例\r\nhttp://www.example.com/agenda"));
    const QString shots = qEnvironmentVariable("SORAMETEXT_SCREENSHOT_DIR");
    if (!shots.isEmpty()) {
      QTest::qWait(50);
      QVERIFY(f.grab().save(QStringLiteral("%1/arrangement-%2.png").arg(shots).arg(viewType)));
    }
  }

  void splitterRuleKeepsRoomForTheItemList() {
    mwtest::TempDir dir;
    StoreMain(dir.Data(), [](store::TMainDataClass& m) { m.ListBoxViewType = store::lvLeft_yoko; });
    Window w(dir.Data());
    TMainForm& f = *w.form;
    const int listEdge = f.Splitter_ListBox->sizes()[0];
    QCOMPARE(listEdge, 120);
    // Dragging the main splitter far left stops 51 pixels right of the list splitter's edge.
    f.Splitter1->setSizes({10, f.Splitter1->width() - 13});
    QCOMPARE(f.Splitter1->sizes()[0], listEdge + 51);
    // The group panel keeps at least 51 pixels too.
    f.Splitter_ListBox->setSizes({5, 500});
    QCOMPARE(f.Splitter_ListBox->sizes()[0], 51);
  }

  void secondRecordFailureIsReportedOnceAndStartGoesOn() {
    mwtest::TempDir dir;
    mwtest::Seed(dir.Data(), {{"A", {{"a", "text"}}}}, 0);
    const std::string group = dir.Data() + "group.bin";
    const std::string bytes = mwtest::ReadAll(group);
    mwtest::WriteAll(group, bytes.substr(0, bytes.size() - 10));
    {
      Window w(dir.Data());
      QCOMPARE(w.boxes.errors.size(), 1);
      QCOMPARE(w.form->ListBox_Group->model()->rowCount(), 1);
      QCOMPARE(w.Text(), std::string("text"));
      w.Close();
    }
    QVERIFY(std::filesystem::exists(group + ".damaged"));
  }

  void closeThatCannotSaveAsksOnceAndEachAnswerDoesWhatItSays() {
    using mainwin::CloseChoice;
    mwtest::TempDir dir;
    mwtest::Seed(dir.Data(), {{"仕事", {{"会議", "議題"}}, 0}});
    const std::string elsewhere = dir.Path() + "/usb";
    std::filesystem::create_directory(elsewhere);
    {
      Window w(dir.Data());
      w.Type(QStringLiteral("打った"));
      DataFolderTakenAway away(dir);
      // Cancel: the window stays, with the text.
      QVERIFY(!w.form->close());
      QVERIFY(w.form->isVisible());
      QCOMPARE(w.boxes.closeQuestions.size(), 1);
      QVERIFY(w.boxes.closeQuestions[0].contains(QString::fromStdString(dir.Data())));
      QVERIFY(w.boxes.errors.isEmpty());
      QCOMPARE(w.Text(), std::string("打った議題"));
      // Save elsewhere, the folder dialog cancelled the first time: asked again.
      w.boxes.closeAnswers = {CloseChoice::SaveElsewhere, CloseChoice::SaveElsewhere};
      w.boxes.folderAnswers = {QString(), QString::fromStdString(elsewhere)};
      QVERIFY(w.form->close());
      QCOMPARE(w.boxes.closeQuestions.size(), 3);
    }
    const mainwin::ExchangeGroup saved = mainwin::ReadExchangeFile(elsewhere + "/仕事.sted");
    QVERIFY(saved.itemFile.find(mwtest::Sjis("打った議題")) != std::string::npos);
    {
      Window w(dir.Data());
      w.Type(QStringLiteral("捨てる"));
      DataFolderTakenAway away(dir);
      // Retry asks again while it still fails; quitting without saving then ends it.
      w.boxes.closeAnswers = {CloseChoice::Retry, CloseChoice::QuitWithoutSaving};
      QVERIFY(w.form->close());
      QCOMPARE(w.boxes.closeQuestions.size(), 2);
      QVERIFY(w.boxes.errors.isEmpty());
    }
    QCOMPARE(mwtest::StoredItems(dir.Data(), 0)[0].text, std::string("議題"));
    QVERIFY(!std::filesystem::exists(dir.Path() + "/recovery"));
  }

  void theCloseQuestionsButtonsAreItsFourAnswers() {
    using mainwin::CloseChoice;
    const QList<QPair<QString, CloseChoice>> buttons = {
        {QStringLiteral("再試行(&R)"), CloseChoice::Retry},
        {QStringLiteral("別の場所に保存(&S)..."), CloseChoice::SaveElsewhere},
        {QStringLiteral("保存せずに終了(&Q)"), CloseChoice::QuitWithoutSaving},
        {QStringLiteral("キャンセル"), CloseChoice::Cancel},
        {QString(), CloseChoice::Cancel}};  // Escape
    mainwin::qt::MessageBoxes real;
    for (const auto& [caption, choice] : buttons) {
      QTimer::singleShot(0, [caption = caption] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        if (caption.isEmpty()) {
          QTest::keyClick(box, Qt::Key_Escape);
          return;
        }
        for (QAbstractButton* b : box->buttons())
          if (b->text() == caption) b->click();
      });
      QCOMPARE(real.UnsavedClose(nullptr, QStringLiteral("保存できませんでした")), choice);
    }
  }

  void changesMadeElsewhereAreTakenInWhileTheUserWorks() {
    mwtest::TempDir dir;
    mwtest::Seed(dir.Data(), {{"仕事", {{"会議", "議題"}}, 0}});
    Window w(dir.Data());
    w.Type(QStringLiteral("打った"));
    {
      // Another machine adds an item, the way a sync tool writes: a new file renamed into place.
      store::DataFolder folder(dir.Data());
      store::TRootComponent_Item current(folder, editorsettings::EditorSettingsFactory());
      store::TRootComponent_Group groups(folder, editorsettings::EditorSettingsFactory(), current);
      groups.LoadFromFile("group.bin");
      store::TRootComponent_Item items(folder, editorsettings::EditorSettingsFactory());
      groups.LoadItems(0, &items);
      items.Add(1, -1, 0, 0, mwtest::Sjis("電話"));
      groups.SaveItems(0, &items);
    }
    QTRY_COMPARE_WITH_TIMEOUT(w.form->ListBox_Item->model()->rowCount(), 2, 10000);
    QCOMPARE(w.form->Core().OpenItem(), 0);
    QCOMPARE(w.Text(), std::string("打った議題"));
    QTRY_COMPARE_WITH_TIMEOUT(w.boxes.informed.size(), 1, 5000);
    QVERIFY(w.boxes.informed[0].contains(QStringLiteral("電話")));
    w.Close();
    QCOMPARE(mwtest::StoredItems(dir.Data(), 0).size(), size_t{2});
  }
};

}  // namespace

QTEST_MAIN(WindowStart)
#include "window_start_test.moc"
