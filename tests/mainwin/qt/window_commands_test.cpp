// The window's commands as a user reaches them: the menus, pop-ups and tool bars in their order,
// every action with its tag and shortcut, stored shortcuts applied at show, which commands are
// enabled, the group and item commands through the window's dialogs and boxes, double clicks in
// the lists, the editing commands on the editor (also from a list), the About entry.
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

#include "mainwin/commands.h"
#include "windowutil.h"

using mainwin::ActionId;
using mainwin::qt::TMainForm;
using wintest::Window;

namespace {

std::vector<mwtest::SeedGroup> Groups() {
  return {{"仕事", {{"会議", "議題\r\n決定"}, {"買い物", "牛乳"}}, 0}, {"趣味", {{"読書", "猫"}}, 0}};
}

// A menu or tool bar as names: actions by their object names, "-" for a separator, sub-menus
// and other entries by their text.
QStringList Entries(const QList<QAction*>& actions) {
  QStringList out;
  for (QAction* a : actions) {
    if (a->isSeparator()) {
      out << QStringLiteral("-");
    } else if (a->objectName().startsWith(QStringLiteral("Action_"))) {
      out << a->objectName().mid(7);
    } else {
      out << a->text();
    }
  }
  return out;
}

QStringList Split(const char* names) { return QString::fromUtf8(names).split(QLatin1Char(' ')); }

class WindowCommands : public QObject {
  Q_OBJECT

 private slots:
  void menusAndToolBarsInTheirOrder() {
    mwtest::TempDir dir;
    mwtest::Seed(dir.Data(), Groups(), 0);
    Window w(dir.Data());
    TMainForm& f = *w.form;
    QStringList titles;
    QList<QMenu*> menus;
    for (QAction* a : f.menuBar()->actions()) {
      titles << a->text();
      menus << a->menu();
    }
    QCOMPARE(titles, Split("ファイル(&F) 編集(&E) 検索(&S) グループ(&G) アイテム(&I) 表示(&V) その他(&T)"));
    QCOMPARE(
        Entries(menus[0]->actions()),
        Split("AddFile SaveToFile SaveToFile_GroupItems - GroupImport GroupExport - Print PrintGroupItems - Close"));
    QCOMPARE(Entries(menus[1]->actions()),
             Split("Undo Redo - Copy Cut Paste PasteBox SelectAll DelLine - insert ReadOnly TimeStamp"));
    QCOMPARE(Entries(menus[2]->actions()), Split("Find FindFw FindBk - Replace"));
    QCOMPARE(Entries(menus[3]->actions()),
             Split("GroupAdd GroupInsert GroupDel GroupMultiDelete GroupCopy - EditorEdit_Group GroupEdit "
                   "GroupTitleStyleClear - GroupMoveOneUp GroupMoveOneDown - ReOpenGroup"));
    // The item menu gets its move/copy sub-menus whenever it opens.
    QCOMPARE(menus[4], f.Menu_Item);
    emit f.Menu_Item->aboutToShow();
    emit f.Menu_Item->aboutToShow();
    QCOMPARE(Entries(menus[4]->actions()),
             Split("ItemAdd ItemInsert ItemDel ItemMultiDelete ItemCopy - ItemEdit ItemNameFromText "
                   "ItemNameFromSelText ItemTitleStyleClear - ItemMoveOneUp ItemMoveOneDown - OpenFormEditor "
                   "OpenFormEditor_GroupItems - ReOpenItem - 他のグループへ移動 他のグループへコピー"));
    QCOMPARE(Entries(menus[5]->actions()), Split("HistoryBk HistoryFw - EditEditor"));
    QCOMPARE(Entries(menus[6]->actions()), Split("バージョン情報"));

    QCOMPARE(Entries(f.PopupMenu_Group->actions()),
             Split("GroupEdit GroupTitleStyleClear - GroupAdd GroupInsert GroupDel GroupMultiDelete GroupCopy"));
    emit f.PopupMenu_Item->aboutToShow();
    QCOMPARE(Entries(f.PopupMenu_Item->actions()),
             Split("ItemEdit ItemNameFromText ItemTitleStyleClear - ItemAdd ItemInsert ItemDel ItemMultiDelete "
                   "ItemCopy - OpenFormEditor OpenFormEditor_GroupItems - AddFile SaveToFile SaveToFile_GroupItems - "
                   "他のグループへ移動 他のグループへコピー"));
    QCOMPARE(Entries(f.PopupMenu_Editor->actions()),
             Split("マーク設定 マークジャンプ - Undo Redo ReOpenItem - Copy Cut Paste PasteBox SelectAll DelLine - "
                   "Find FindFw FindBk Replace - "
                   "ItemNameFromText ItemNameFromSelText - OpenFormEditor"));
    // The editor's own pop-up menu gives way to the window's.
    QCOMPARE(f.MainEditor->PopupMenu(), f.PopupMenu_Editor);

    QCOMPARE(Entries(f.ToolBar1->actions()),
             Split("AddFile SaveToFile - Print - Copy Cut Paste - HistoryBk HistoryFw - Undo Redo - Find FindFw "
                   "FindBk Replace - TimeStamp - EditEditor WordWrap_Non WordWrap_User WordWrap_Width - ReadOnly"));
    QStringList left = Entries(f.ToolBar2->actions());
    QCOMPARE(left.takeFirst(), QString());  // the blank button
    QVERIFY(!f.ToolBar2->actions()[0]->isEnabled());
    QCOMPARE(left, Split("GroupMoveOneUp GroupMoveOneDown GroupAdd GroupInsert GroupCopy GroupEdit EditorEdit_Group "
                         "GroupDel - ItemMoveOneUp ItemMoveOneDown ItemAdd ItemInsert ItemCopy ItemEdit "
                         "ItemNameFromText OpenFormEditor ItemDel"));
    QCOMPARE(f.ToolBar2->orientation(), Qt::Vertical);
    QCOMPARE(f.toolBarArea(f.ToolBar2), Qt::LeftToolBarArea);

    auto* stamp = qobject_cast<QToolButton*>(f.ToolBar1->widgetForAction(f.Action(ActionId::TimeStamp)));
    QVERIFY(stamp);
    QCOMPARE(stamp->menu(), f.PopupMenu_Time);
    QCOMPARE(stamp->popupMode(), QToolButton::MenuButtonPopup);
    // The wrap buttons: grouped, exactly one down.
    QActionGroup* wrap = f.Action(ActionId::WordWrap_Non)->actionGroup();
    QVERIFY(wrap && wrap->isExclusive());
    QCOMPARE(wrap->actions().size(), 3);
    int down = 0;
    for (QAction* a : wrap->actions()) down += a->isChecked() ? 1 : 0;
    QCOMPARE(down, 1);
    // Every tool button shows its picture; hints name the command.
    for (QAction* a : f.ToolBar1->actions() + f.ToolBar2->actions())
      if (!a->isSeparator() && a->objectName().startsWith(QStringLiteral("Action_"))) QVERIFY(!a->icon().isNull());
    QCOMPARE(f.Action(ActionId::GroupMoveOneUp)->toolTip(), QStringLiteral("グループを一つ上へ"));
    QCOMPARE(f.Action(ActionId::GroupMoveOneUp)->text(), QStringLiteral("一つ上へ"));
  }

  void everyActionInListOrderAndWhatIsEnabled() {
    mwtest::TempDir dir;
    Window w(dir.Data());
    TMainForm& f = *w.form;
    const QStringList designed = {"Ctrl+A", "Ctrl+C", "Ctrl+X", "Ctrl+V", "Ctrl+B", "",         "Ins",   "Ctrl+Z",
                                  "Ctrl+Y", "",       "",       "Ctrl+F", "F3",     "Shift+F3", "Ctrl+R"};
    for (int k = 0; k < mainwin::kActionCount; ++k) {
      const mainwin::ActionSpec& spec = mainwin::ActionTable()[static_cast<size_t>(k)];
      QAction* a = f.Action(spec.id);
      QCOMPARE(a->objectName(), QString::fromLatin1(spec.name.data(), spec.name.size()));
      QCOMPARE(a->property("tag").toInt(), spec.tag);
      if (k < designed.size()) QCOMPARE(a->shortcut().toString(QKeySequence::PortableText), designed[k]);
      QVERIFY(f.Wired(spec.id));
    }
    QCOMPARE(f.Action(ActionId::SaveToFile)->shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));
    QCOMPARE(f.Action(ActionId::Print)->shortcut(), QKeySequence(QStringLiteral("Ctrl+P")));
    // No group at all: only the commands that need none.
    QStringList enabled;
    for (int k = 0; k < mainwin::kActionCount; ++k)
      if (f.Action(mainwin::ActionId(k))->isEnabled()) enabled << f.Action(mainwin::ActionId(k))->objectName().mid(7);
    QCOMPARE(enabled,
             Split("EditEditor Close GroupImport GroupAdd GroupMultiDelete ItemMultiDelete WordWrap_Non WordWrap_User "
                   "WordWrap_Width EditEditor_TimeOpen"));
    QVERIFY(!f.MainEditor->isEnabled());
    // The settings commands run without a dialog to show until one is given to the window.
    int runs = 0;
    f.EditorSettingsRunner = [&runs](int page, bool perGroup) {
      ++runs;
      return page == mainwin::kSettingsTimeStampPage && !perGroup;
    };
    f.Action(ActionId::EditEditor_TimeOpen)->trigger();
    QCOMPARE(runs, 1);
  }

  void storedShortcutsAreAppliedAtShowAndPadded() {
    mwtest::TempDir dir;
    mwtest::Seed(dir.Data(), Groups(), 0);
    {
      store::DataFolder folder(dir.Data());
      store::TListDataClass list;
      list.Load(folder);
      list.ShortCutList.assign(50, "");
      list.ShortCutList[1] = "Ctrl+C";
      list.ShortCutList[6] = "Insert";     // an older spelling
      list.ShortCutList[11] = "Shift+F2";  // find moved
      list.ShortCutList[13] = "Shift+F3";
      list.ShortCutList[14] = "Nonsense+Q";  // unknown: no shortcut
      list.ShortCutList[22] = "Ctrl+G";      // a shortcut for a command that had none
      list.Save(folder);
    }
    {
      Window w(dir.Data());
      TMainForm& f = *w.form;
      QCOMPARE(f.Action(ActionId::SelectAll)->shortcut(), QKeySequence());
      QCOMPARE(f.Action(ActionId::Copy)->shortcut(), QKeySequence(QStringLiteral("Ctrl+C")));
      QCOMPARE(f.Action(ActionId::insert)->shortcut(), QKeySequence(Qt::Key_Insert));
      QCOMPARE(f.Action(ActionId::Find)->shortcut(), QKeySequence(QStringLiteral("Shift+F2")));
      QCOMPARE(f.Action(ActionId::FindBk)->shortcut(), QKeySequence(QStringLiteral("Shift+F3")));
      QCOMPARE(f.Action(ActionId::Replace)->shortcut(), QKeySequence());
      QCOMPARE(f.Action(ActionId::GroupAdd)->shortcut(), QKeySequence(QStringLiteral("Ctrl+G")));
      QCOMPARE(f.Core().Data().ListData().ShortCutList.size(), size_t{55});
      // The stored shortcut works: Ctrl+G asks for a new group.
      w.boxes.entryScript = [](mainwin::EntryFields&) { return false; };
      QTest::keyClick(f.MainEditor, Qt::Key_G, Qt::ControlModifier);
      QCOMPARE(w.boxes.entryCaptions, QStringList{QStringLiteral("グループ追加")});
      w.Close();
    }
    store::TListDataClass saved;
    saved.Load(store::DataFolder(dir.Data()));
    QCOMPARE(saved.ShortCutList.size(), size_t{55});
    QCOMPARE(saved.ShortCutList[11], std::string("Shift+F2"));
    QCOMPARE(saved.ShortCutList[6], std::string("Insert"));
    // An empty stored list takes every designed shortcut in the platform's portable text.
    mwtest::TempDir fresh;
    {
      Window w(fresh.Data());
      w.Close();
    }
    store::TListDataClass first;
    first.Load(store::DataFolder(fresh.Data()));
    QCOMPARE(first.ShortCutList.size(), size_t{55});
    QCOMPARE(first.ShortCutList[6], std::string("Ins"));
    QCOMPARE(first.ShortCutList[13], std::string("Shift+F3"));
    for (const std::string& text : first.ShortCutList)
      QCOMPARE(TMainForm::ShortcutOf(text).toString(QKeySequence::PortableText).toStdString(), text);
  }

  void groupAndItemCommandsThroughTheWindow() {
    mwtest::TempDir dir;
    mwtest::Seed(dir.Data(), Groups(), 0);
    {
      Window w(dir.Data());
      TMainForm& f = *w.form;
      w.boxes.entryScript = [](mainwin::EntryFields& e) {
        e.name = mwtest::Sjis("新しい");
        return true;
      };
      f.Action(ActionId::GroupAdd)->trigger();
      w.Settle();
      QCOMPARE(f.ListBox_Group->model()->rowCount(), 3);
      QCOMPARE(f.ListBox_Group->model()->index(2, 0).data().toString(), QStringLiteral("新しい"));
      QVERIFY(f.Action(ActionId::ItemAdd)->isEnabled());
      QVERIFY(!f.Action(ActionId::ItemDel)->isEnabled());
      QVERIFY(!f.MainEditor->isEnabled());
      f.Action(ActionId::ItemAdd)->trigger();
      w.Settle();
      QVERIFY(f.MainEditor->isEnabled());
      w.Type(QStringLiteral("メモ本文"));
      f.Action(ActionId::ItemCopy)->trigger();
      w.Settle();
      QCOMPARE(f.ListBox_Item->model()->rowCount(), 2);
      w.boxes.answer = true;
      f.Action(ActionId::ItemDel)->trigger();
      w.Settle();
      QCOMPARE(w.boxes.asked.last().caption, QStringLiteral("アイテムの削除"));
      QCOMPARE(w.boxes.asked.last().text, QStringLiteral("アイテム：　新しい　を削除します"));
      QCOMPARE(w.boxes.asked.last().icon, mainwin::BoxIcon::Warning);
      QCOMPARE(f.ListBox_Item->model()->rowCount(), 1);
      QVERIFY(!f.MainEditor->isEnabled());
      // Multi-delete of groups 0 and 1 leaves the new group alone.
      w.boxes.multiDeleteScript = std::vector<int>{1, 0};
      f.Action(ActionId::GroupMultiDelete)->trigger();
      w.Settle();
      QCOMPARE(w.boxes.asked.last().text, QStringLiteral("本当にいいですか？"));
      QCOMPARE(w.boxes.asked.last().icon, mainwin::BoxIcon::Information);
      QCOMPARE(f.ListBox_Group->model()->rowCount(), 1);
      QCOMPARE(f.Core().GroupList().ItemIndex(), -1);
      w.ClickRow(f.ListBox_Group, 0);
      w.ClickRow(f.ListBox_Item, 0);
      QCOMPARE(w.Text(), std::string("メモ本文"));
      // A double click on a list opens the entry dialog of that list.
      w.boxes.entryScript = [](mainwin::EntryFields& e) {
        e.name = "renamed";
        return true;
      };
      const QRect row = f.ListBox_Item->visualRect(f.ListBox_Item->model()->index(0, 0));
      QTest::mouseDClick(f.ListBox_Item->viewport(), Qt::LeftButton, {}, row.center());
      w.Settle();
      QCOMPARE(w.boxes.entryCaptions.last(), QStringLiteral("アイテム編集"));
      QCOMPARE(f.ListBox_Item->model()->index(0, 0).data().toString(), QStringLiteral("renamed"));
      const QRect grow = f.ListBox_Group->visualRect(f.ListBox_Group->model()->index(0, 0));
      QTest::mouseDClick(f.ListBox_Group->viewport(), Qt::LeftButton, {}, grow.center());
      w.Settle();
      QCOMPARE(w.boxes.entryCaptions.last(), QStringLiteral("グループ編集"));
      w.Close();
    }
    QCOMPARE(mwtest::StoredGroupNames(dir.Data()), std::vector<std::string>{"renamed"});
    QCOMPARE(mwtest::StoredItems(dir.Data(), 0)[0].text, std::string("メモ本文"));
  }

  void editingCommandsActOnTheEditorAlsoFromAList() {
    mwtest::TempDir dir;
    mwtest::Seed(dir.Data(), {{"g", {{"i", "abc\r\ndef"}}}}, 0);
    Window w(dir.Data());
    TMainForm& f = *w.form;
    editor::EditorModel& m = f.MainEditor->Model();
    f.ListBox_Item->setFocus();
    QTest::keyClick(f.ListBox_Item, Qt::Key_A, Qt::ControlModifier);
    w.Settle();
    QCOMPARE(m.SelText(), std::string("abc\r\ndef"));
    QVERIFY(f.Action(ActionId::Copy)->isEnabled());
    QTest::keyClick(f.ListBox_Item, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("abc\r\ndef"));
    // Undo and redo are enabled only with something to undo or redo.
    QVERIFY(!f.Action(ActionId::Undo)->isEnabled());
    QVERIFY(!f.Action(ActionId::Redo)->isEnabled());
    // Paste replaces the selection; undo brings it back.
    QApplication::clipboard()->setText(QStringLiteral("XY"));
    QTest::keyClick(f.ListBox_Item, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(w.Text(), std::string("XY"));
    w.Settle();
    QVERIFY(f.Action(ActionId::Undo)->isEnabled());
    QVERIFY(!f.Action(ActionId::Redo)->isEnabled());
    QTest::keyClick(f.ListBox_Item, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(w.Text(), std::string("abc\r\ndef"));
    w.Settle();
    QVERIFY(!f.Action(ActionId::Undo)->isEnabled());
    QVERIFY(f.Action(ActionId::Redo)->isEnabled());
    // Box paste puts each line at the caret's column of the rows below.
    m.SetRowCol(0, 1);
    QApplication::clipboard()->setText(QStringLiteral("1\r\n2"));
    f.Action(ActionId::PasteBox)->trigger();
    QCOMPARE(w.Text(), std::string("a1bc\r\nd2ef"));
    m.SetRowCol(0, 0);
    f.Action(ActionId::DelLine)->trigger();
    QCOMPARE(w.Text(), std::string("d2ef"));
    // Naming from the first line, from the editor's pop-up menu.
    QAction* fromText = nullptr;
    for (QAction* a : f.PopupMenu_Editor->actions())
      if (a == f.Action(ActionId::ItemNameFromText)) fromText = a;
    QVERIFY(fromText && fromText->isEnabled());
    fromText->trigger();
    w.Settle();
    QCOMPARE(f.ListBox_Item->model()->index(0, 0).data().toString(), QStringLiteral("d2ef"));
  }

  void bookmarksFromTheEditorsPopupMenuAndKeys() {
    mwtest::TempDir dir;
    mwtest::Seed(dir.Data(), {{"g", {{"i", "r0\r\nr1\r\nr2\r\nr3"}}}}, 0);
    {
      store::DataFolder folder(dir.Data());
      store::TListDataClass list;
      list.Load(folder);
      list.ShortCutList.assign(55, "");
      list.ShortCutList[static_cast<int>(ActionId::GroupAdd)] = "Ctrl+2";  // the window's keys win
      list.Save(folder);
    }
    Window w(dir.Data());
    TMainForm& f = *w.form;
    editor::EditorModel& m = f.MainEditor->Model();
    const std::vector<QAction*>& marks = f.BookmarkActions();
    QCOMPARE(marks.size(), size_t{20});
    QMenu* set = f.PopupMenu_Editor->findChild<QMenu*>(QStringLiteral("PopupMenu_SetMark"));
    QMenu* go = f.PopupMenu_Editor->findChild<QMenu*>(QStringLiteral("PopupMenu_GotoMark"));
    QVERIFY(set && go);
    QCOMPARE(Entries(set->actions()), Split("0 1 2 3 4 5 6 7 8 9"));
    QCOMPARE(set->actions()[1]->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+1")));
    QCOMPARE(go->actions()[1]->shortcut(), QKeySequence(QStringLiteral("Ctrl+1")));
    QCOMPARE(go->actions()[2]->shortcut(), QKeySequence());  // taken by the window
    // Mark 1 set on row 2 by its keys, mark 3 from the menu on row 1; back to mark 1 by its keys.
    f.MainEditor->setFocus();
    m.SetRowCol(2, 0);
    QTest::keyClick(f.MainEditor, Qt::Key_1, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(m.RowMarks(2) & (1u << 1));
    m.SetRowCol(1, 0);
    set->actions()[3]->trigger();
    QVERIFY(m.RowMarks(1) & (1u << 3));
    emit f.PopupMenu_Editor->aboutToShow();
    QVERIFY(go->actions()[1]->isChecked() && go->actions()[3]->isChecked() && !go->actions()[0]->isChecked());
    m.SetRowCol(0, 0);
    QTest::keyClick(f.MainEditor, Qt::Key_1, Qt::ControlModifier);
    QCOMPARE(m.Row(), 2);
    // Ctrl+2 stays the window's command.
    w.boxes.entryScript = [](mainwin::EntryFields&) { return false; };
    QTest::keyClick(f.MainEditor, Qt::Key_2, Qt::ControlModifier);
    QCOMPARE(w.boxes.entryCaptions, QStringList{QStringLiteral("グループ追加")});
  }

  void aboutEntryOpensTheAboutBox() {
    mwtest::TempDir dir;
    Window w(dir.Data());
    QVERIFY(w.form->MenuItem_About);
    QCOMPARE(w.form->MenuItem_About->text(), QStringLiteral("バージョン情報"));
    w.form->MenuItem_About->trigger();
    QCOMPARE(w.boxes.abouts, 1);
    QVERIFY(!w.form->windowIcon().isNull());
  }
};

}  // namespace

QTEST_MAIN(WindowCommands)
#include "window_commands_test.moc"
