// The window's file commands through its dialogs and its drop panel: files dropped from the
// desktop become items, Ctrl+S saves the open item, a group goes out to an exchange file and
// comes back as a new group, the outside editor gets its copy.
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>

#include "editor/qt/oleddeditor.h"
#include "mainwin/qt/panel_drop.h"
#include "windowutil.h"

using mainwin::ActionId;
using wintest::Window;

namespace {

std::vector<mwtest::SeedGroup> Groups() {
  return {{"仕事", {{"会議", "議題\r\n決定"}, {"買い物", "牛乳"}}, 0}, {"趣味", {{"読書", "猫"}}, 0}};
}

QStringList ListRows(mainwin::qt::TListBox_kor* list) {
  QStringList rows;
  for (int r = 0; r < list->model()->rowCount(); ++r) rows << list->model()->index(r, 0).data().toString();
  return rows;
}

void DropOn(QWidget* target, const QStringList& paths) {
  QMimeData mime;
  QList<QUrl> urls;
  for (const QString& p : paths) urls << QUrl::fromLocalFile(p);
  mime.setUrls(urls);
  const QPointF at(target->width() / 2.0, target->height() / 2.0);
  QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &enter);
  QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &drop);
  Window::Settle();
}

class WindowFiles : public QObject {
  Q_OBJECT

 private slots:
  void droppedFilesBecomeItems() {
    mwtest::TempDir dir;
    mwtest::Seed(dir.Data(), Groups(), 0);
    const QString base = QString::fromStdString(dir.Path());
    mwtest::WriteAll(dir.Path() + "/メモ.txt", mwtest::Sjis("一\r\n二"));
    mwtest::WriteAll(dir.Path() + "/link.lnk", "x");
    mwtest::WriteAll(dir.Path() + "/utf8.txt", "日本語");
    Window w(dir.Data());
    auto& f = *w.form;
    w.boxes.yesAnswer = true;
    DropOn(f.Panel_Drop_Item, {base + QStringLiteral("/メモ.txt"), base + QStringLiteral("/link.lnk"),
                               base + QStringLiteral("/utf8.txt")});
    QCOMPARE(w.boxes.confirmations, QStringList{QStringLiteral("自動処理確認")});
    QVERIFY(w.boxes.entryCaptions.isEmpty());
    QCOMPARE(ListRows(f.ListBox_Item), (QStringList{QStringLiteral("会議"), QStringLiteral("買い物"),
                                                    QStringLiteral("メモ.txt"), QStringLiteral("utf8.txt")}));
    QCOMPARE(f.Core().ItemList().ItemIndex(), 3);
    QCOMPARE(w.Text(), std::string("日本語"));
    QCOMPARE(mwtest::Utf8(f.Core().Data().Items().ItemAt(2).ItemText), std::string("一\r\n二"));
    QVERIFY(f.MainEditor->isEnabled());
  }

  void addFileThroughTheOpenDialog() {
    mwtest::TempDir dir;
    mwtest::Seed(dir.Data(), Groups(), 1);
    mwtest::WriteAll(dir.Path() + "/a.txt", "A");
    Window w(dir.Data());
    auto& f = *w.form;
    QVERIFY(f.Action(ActionId::AddFile)->isEnabled());
    w.boxes.openFilesAnswers = {{QString::fromStdString(dir.Path() + "/a.txt")}};
    std::string offered;
    w.boxes.entryScript = [&offered](mainwin::EntryFields& fields) {
      offered = fields.name;
      return true;
    };
    f.Action(ActionId::AddFile)->trigger();
    Window::Settle();
    QCOMPARE(w.boxes.fileDialogs, QStringList{QStringLiteral("ファイルから追加")});
    QCOMPARE(w.boxes.entryCaptions, QStringList{QStringLiteral("アイテム追加")});
    QCOMPARE(offered, std::string("a.txt"));
    QCOMPARE(ListRows(f.ListBox_Item), (QStringList{QStringLiteral("読書"), QStringLiteral("a.txt")}));
    QCOMPARE(w.Text(), std::string("A"));
  }

  void ctrlSSavesTheOpenItem() {
    mwtest::TempDir dir;
    mwtest::Seed(dir.Data(), Groups(), 0);
    Window w(dir.Data());
    auto& f = *w.form;
    w.Type(QStringLiteral("新"));
    const std::string out = dir.Path() + "/会議.txt";
    w.boxes.saveFileAnswers = {QString::fromStdString(out)};
    QTest::keyClick(f.MainEditor, Qt::Key_S, Qt::ControlModifier);
    Window::Settle();
    QCOMPARE(w.boxes.fileDialogs, QStringList{QStringLiteral("名前を付けて保存")});
    QCOMPARE(w.boxes.proposedNames, QStringList{QStringLiteral("会議")});
    QCOMPARE(mwtest::ReadAll(out), mwtest::Sjis("新議題\r\n決定\r\n"));
  }

  void exportedGroupComesBackAsANewGroup() {
    mwtest::TempDir dir;
    mwtest::Seed(dir.Data(), Groups(), 1);
    Window w(dir.Data());
    auto& f = *w.form;
    const QString sted = QString::fromStdString(dir.Path() + "/hobby.sted");
    w.boxes.saveFileAnswers = {QString::fromStdString(dir.Path() + "/hobby")};
    f.Action(ActionId::GroupExport)->trigger();
    Window::Settle();
    QCOMPARE(w.boxes.fileDialogs, QStringList{QStringLiteral("グループのエクスポート")});
    QCOMPARE(w.boxes.confirmations.last(), QStringLiteral("処理結果"));
    QCOMPARE(w.boxes.asked.last().text, QStringLiteral("エクスポートに成功しました"));
    QVERIFY(QFileInfo::exists(sted));

    w.ClickRow(f.ListBox_Group, 0);
    w.boxes.openFileAnswers = {sted};
    f.Action(ActionId::GroupImport)->trigger();
    Window::Settle();
    QCOMPARE(w.boxes.asked.last().text, QStringLiteral("インポートに成功しました"));
    QCOMPARE(ListRows(f.ListBox_Group),
             (QStringList{QStringLiteral("仕事"), QStringLiteral("趣味"), QStringLiteral("趣味")}));
    QCOMPARE(f.Core().GroupList().ItemIndex(), 2);
    QCOMPARE(ListRows(f.ListBox_Item), QStringList{QStringLiteral("読書")});
    QCOMPARE(w.Text(), std::string("猫"));
    QVERIFY(w.boxes.errors.isEmpty());
  }

  void outsideEditorGetsItsCopy() {
    mwtest::TempDir dir;
    mwtest::Seed(dir.Data(), Groups(), 0);
    Window w(dir.Data());
    auto& f = *w.form;
    w.Type(QStringLiteral("X"));
    f.Action(ActionId::OpenFormEditor)->trigger();
    const QString temp = QString::fromStdString(dir.Path() + "/$temp.txt");
    QCOMPARE(w.boxes.opened, QList<QUrl>{QUrl::fromLocalFile(temp)});
    QCOMPARE(mwtest::ReadAll(temp.toStdString()), mwtest::Sjis("X議題\r\n決定\r\n"));
    f.Action(ActionId::OpenFormEditor_GroupItems)->trigger();
    QCOMPARE(mwtest::ReadAll(temp.toStdString()), mwtest::Sjis("議題\r\n決定\r\n牛乳\r\n"));
    QCOMPARE(w.boxes.opened.size(), 2);
  }
};

}  // namespace

QTEST_MAIN(WindowFiles)
#include "window_files_test.moc"
