// The entry dialog, the multi-delete dialog and the About box as a user meets them: their texts
// and layout, the name check, the colour swatch, selecting and counting, where they open, and
// the real dialogs run from the window's commands.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include "mainwin/qt/aboutbox.h"
#include "mainwin/qt/groupeditform.h"
#include "mainwin/qt/multidelete.h"
#include "windowutil.h"

using mainwin::EntryFields;
using mainwin::qt::TAboutBox;
using mainwin::qt::TForm_MultiDelete1;
using mainwin::qt::TGroupEditForm;
using wintest::Window;

namespace {

QStringList LabelTexts(const QWidget& w) {
  QStringList out;
  for (const QLabel* l : w.findChildren<QLabel*>()) out << l->text();
  return out;
}

// Runs `fn` on the modal dialog once it is up.
void WhenModal(std::function<void(QWidget*)> fn) {
  QTimer::singleShot(0, [fn = std::move(fn)] {
    QTRY_VERIFY(QApplication::activeModalWidget() != nullptr);
    fn(QApplication::activeModalWidget());
  });
}

class EntryDialogs : public QObject {
  Q_OBJECT

 private slots:
  void entryDialogShowsAndReturnsTheFields() {
    TGroupEditForm form;
    QCOMPARE(form.size(), QSize(285, 187));
    QVERIFY(form.windowFlags() & Qt::WindowStaysOnTopHint);
    QCOMPARE(form.Edit_GroupName->text(), QStringLiteral("新規"));
    QVERIFY(LabelTexts(form).contains(QStringLiteral("名前")));
    QVERIFY(LabelTexts(form).contains(QStringLiteral("文字色")));
    QCOMPARE(form.GroupBox_FontStyle->title(), QStringLiteral("FontStyle"));
    QCOMPARE(form.CheckBox_Bold->text(), QStringLiteral("太字"));
    QCOMPARE(form.CheckBox_Italic->text(), QStringLiteral("斜体"));
    QCOMPARE(form.CheckBox_Underline->text(), QStringLiteral("下線"));
    QCOMPARE(form.CheckBox_StrikeOut->text(), QStringLiteral("打ち消し線"));
    QCOMPARE(form.Button_OK->text(), QStringLiteral("OK"));
    QVERIFY(form.Button_OK->isDefault());
    QCOMPARE(form.Button_Cancel->text(), QStringLiteral("キャンセル"));

    form.SetFields({mwtest::Sjis("メモ"), store::clGreen, 4 | 8});
    QCOMPARE(form.Edit_GroupName->text(), QStringLiteral("メモ"));
    QVERIFY(!form.CheckBox_Bold->isChecked());
    QVERIFY(form.CheckBox_Underline->isChecked());
    QVERIFY(form.CheckBox_StrikeOut->isChecked());
    form.CheckBox_Bold->setChecked(true);
    form.CheckBox_StrikeOut->setChecked(false);
    form.Edit_GroupName->setText(QStringLiteral(" 名前 "));
    const EntryFields f = form.Fields();
    QCOMPARE(f.name, mwtest::Sjis(" 名前 "));  // as typed
    QCOMPARE(f.colour, store::clGreen);
    QCOMPARE(int(f.style), 1 | 4);
    // A character code page 932 cannot hold becomes "?" and is counted.
    form.Edit_GroupName->setText(QStringLiteral("a\U0001F600b"));
    QCOMPARE(form.Fields().name, std::string("a?b"));
    QCOMPARE(form.ReplacedInName(), 1);
  }

  void theColourSwatchOpensTheColourDialog() {
    TGroupEditForm form;
    form.SetFields({"x", store::clBlack, 0});
    QColor offered;
    form.ChooseColor = [&offered](const QColor& current) {
      offered = current;
      return QColor(255, 0, 0);
    };
    QTest::mouseClick(form.Panel_FontColor, Qt::LeftButton);
    QCOMPARE(offered, QColor(0, 0, 0));
    QCOMPARE(form.Fields().colour, store::clRed);
    QVERIFY(form.Panel_FontColor->styleSheet().contains(QStringLiteral("#ff0000")));
    form.ChooseColor = [](const QColor&) { return QColor(); };  // cancelled
    QTest::mouseClick(form.Panel_FontColor, Qt::LeftButton);
    QCOMPARE(form.Fields().colour, store::clRed);
  }

  void okRefusesAnEmptyNameAndStaysOpen() {
    const QString refused[] = {QString(), QStringLiteral("   "), QStringLiteral("　"), QStringLiteral(" \t　 ")};
    for (const QString& name : refused) {
      TGroupEditForm form;
      QStringList shown;
      form.Refuse = [&shown](const QString& caption, const QString& text) { shown << caption << text; };
      form.show();
      form.Edit_GroupName->setText(name);
      QTest::mouseClick(form.Button_OK, Qt::LeftButton);
      QCOMPARE(shown, (QStringList{QStringLiteral("KANATA"), QStringLiteral("名前を入力してください")}));
      QVERIFY(form.isVisible());
      QCOMPARE(form.result(), int(QDialog::Rejected));
      QCOMPARE(form.Edit_GroupName->text(), QString());
    }
    TGroupEditForm form;
    bool refused2 = false;
    form.Refuse = [&refused2](const QString&, const QString&) { refused2 = true; };
    form.show();
    form.Edit_GroupName->setText(QStringLiteral("　　"));
    QTest::mouseClick(form.Button_OK, Qt::LeftButton);
    QVERIFY(!refused2);
    QCOMPARE(form.result(), int(QDialog::Accepted));
  }

  void theWindowsEntryDialogForANewGroup() {
    mwtest::TempDir dir;
    Window w(dir.Data());
    QString title;
    QString proposed;
    bool selectedAll = false;
    WhenModal([&](QWidget* modal) {
      auto* form = qobject_cast<TGroupEditForm*>(modal);
      QVERIFY(form);
      title = form->windowTitle();
      proposed = form->Edit_GroupName->text();
      selectedAll = form->Edit_GroupName->selectedText() == proposed;
      // Typing replaces the proposed name; Enter is OK.
      QTest::keyClicks(form->Edit_GroupName, QStringLiteral("Diary"));
      QTest::keyClick(form->Edit_GroupName, Qt::Key_Return);
    });
    w.form->Action(mainwin::ActionId::GroupAdd)->trigger();
    w.Settle();
    QCOMPARE(title, QStringLiteral("グループ追加"));
    QCOMPARE(proposed, QStringLiteral("新規グループ"));
    QVERIFY(selectedAll);
    QCOMPARE(w.form->ListBox_Group->model()->index(0, 0).data().toString(), QStringLiteral("Diary"));
  }

  void multiDeleteDialogCountsSelectsAllAndInverts() {
    TForm_MultiDelete1 dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("複数削除モード"));
    QCOMPARE(dialog.size(), QSize(528, 388));
    const QStringList texts = LabelTexts(dialog);
    for (const char* t :
         {"削除したい複数項目を選択し", "ＯＫボタンを押してください", "リストボックスにおける複数選択方法",
          "Shiftキーを押しながら選択すると連続選択", "Ctrlキーを押しながら選択すると追加選択", "現在の選択数",
          "選択項目をすべて削除します", "よく確認してからＯＫボタンを押してください"})
      QVERIFY2(texts.contains(QString::fromUtf8(t)), t);
    for (const QLabel* l : dialog.findChildren<QLabel*>())
      if (l->text() == QStringLiteral("リストボックスにおける複数選択方法")) QVERIFY(l->font().underline());
    QCOMPARE(dialog.Button_SelectAll->text(), QStringLiteral("すべて選択"));
    QCOMPARE(dialog.Button_Invert->text(), QStringLiteral("選択反転"));
    QCOMPARE(dialog.Button_Cancel->text(), QStringLiteral("キャンセル"));
    QCOMPARE(dialog.Action_SelectAll->text(), QStringLiteral("すべてを選択(&A)"));
    QCOMPARE(dialog.Action_SelectAll->shortcut(), QKeySequence(QStringLiteral("Ctrl+A")));

    dialog.SetNames({"a", "b", mwtest::Sjis("ノート"), "d", "e"});
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(dialog.Label_Counter->text(), QStringLiteral("0"));
    QCOMPARE(dialog.ListBox1->item(2)->text(), QStringLiteral("ノート"));
    QListWidget* list = dialog.ListBox1;
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier,
                      list->visualItemRect(list->item(3)).center());
    QCOMPARE(dialog.Label_Counter->text(), QStringLiteral("2"));
    QCOMPARE(dialog.Selected(), (std::vector<int>{1, 3}));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ShiftModifier,
                      list->visualItemRect(list->item(3)).center());
    QCOMPARE(dialog.Selected(), (std::vector<int>{1, 2, 3}));
    QCOMPARE(dialog.Label_Counter->text(), QStringLiteral("3"));
    QTest::mouseClick(dialog.Button_Invert, Qt::LeftButton);
    QCOMPARE(dialog.Selected(), (std::vector<int>{0, 4}));
    QCOMPARE(dialog.Label_Counter->text(), QStringLiteral("2"));
    QTest::mouseClick(dialog.Button_SelectAll, Qt::LeftButton);
    QCOMPARE(dialog.Label_Counter->text(), QStringLiteral("5"));
    QTest::mouseClick(dialog.Button_Invert, Qt::LeftButton);
    QCOMPARE(dialog.Label_Counter->text(), QStringLiteral("0"));
    QTest::keyClick(list, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(dialog.Label_Counter->text(), QStringLiteral("5"));
  }

  void multiDeleteFromTheWindowOpensBesideItAndAsksAgain() {
    mwtest::TempDir dir;
    mwtest::Seed(dir.Data(), {{"g", {{"i0", "0"}, {"i1", "1"}, {"i2", "2"}, {"i3", "3"}, {"i4", "4"}}, 0}}, 0);
    Window w(dir.Data());
    QPoint at;
    QPoint expected;
    WhenModal([&](QWidget* modal) {
      auto* dialog = qobject_cast<TForm_MultiDelete1*>(modal);
      QVERIFY(dialog);
      at = dialog->pos();
      expected = TForm_MultiDelete1::PlaceFor(w.form.get());
      QListWidget* list = dialog->ListBox1;
      for (int r : {1, 3, 4}) list->item(r)->setSelected(true);
      QTest::mouseClick(dialog->Button_OK, Qt::LeftButton);
    });
    w.form->Action(mainwin::ActionId::ItemMultiDelete)->trigger();
    w.Settle();
    QCOMPARE(at, expected);
    QCOMPARE(expected, w.form->frameGeometry().topLeft() + QPoint(30, 60));
    QCOMPARE(w.boxes.confirmations, QStringList{QStringLiteral("複数削除の確認")});
    QCOMPARE(w.form->ListBox_Item->model()->rowCount(), 2);
    QCOMPARE(w.form->ListBox_Item->model()->index(1, 0).data().toString(), QStringLiteral("i2"));
    // Cancel, and OK with nothing selected, delete nothing and ask nothing.
    WhenModal([](QWidget* modal) {
      QTest::mouseClick(static_cast<TForm_MultiDelete1*>(modal)->Button_Cancel, Qt::LeftButton);
    });
    w.form->Action(mainwin::ActionId::ItemMultiDelete)->trigger();
    WhenModal(
        [](QWidget* modal) { QTest::mouseClick(static_cast<TForm_MultiDelete1*>(modal)->Button_OK, Qt::LeftButton); });
    w.form->Action(mainwin::ActionId::ItemMultiDelete)->trigger();
    w.Settle();
    QCOMPARE(w.boxes.confirmations.size(), 1);
    QCOMPARE(w.form->ListBox_Item->model()->rowCount(), 2);
  }

  void aboutBox() {
    TAboutBox box;
    QCOMPARE(box.windowTitle(), QStringLiteral("バージョン情報"));
    QCOMPARE(box.ProductName->text(), QStringLiteral("ソラメtext"));
    QCOMPARE(box.VersionLabel->text(), QStringLiteral("ver"));
    QCOMPARE(box.Version->text(), QStringLiteral("1.15"));
    QCOMPARE(box.DateLabel->text(), QStringLiteral("2010/1/24"));
    QCOMPARE(box.Panel1->palette().color(QPalette::Window), QColor(0, 0, 128));
    QVERIFY(box.Panel1->autoFillBackground());
    QVERIFY(!box.ProgramIcon->pixmap().isNull());
    // Run shows it modally, centred on the screen, until OK.
    QPoint centre;
    WhenModal([&centre](QWidget* modal) {
      centre = modal->geometry().center();
      QTest::keyClick(modal, Qt::Key_Return);
    });
    TAboutBox::Run(nullptr);
    QVERIFY(qAbs(centre.x() - QGuiApplication::primaryScreen()->availableGeometry().center().x()) <= 2);
    QVERIFY(QApplication::activeModalWidget() == nullptr);
  }
};

}  // namespace

QTEST_MAIN(EntryDialogs)
#include "entry_dialogs_test.moc"
