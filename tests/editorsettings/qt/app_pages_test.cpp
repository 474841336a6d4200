// The dialog's application-wide pages on Qt: list boxes with their sample, time stamps, shortcuts
// with the hot-key field, window layout and placement, and what "登録" stores.
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeySequenceEdit>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>

#include <QTest>

#include "dialogutil.h"
#include "editorsettings/qt/samplelist.h"
#include "mainwin/listbox.h"

using namespace dlgtest;
using namespace editorsettings;

class AppPagesTest : public QObject {
  Q_OBJECT

 private:
  static QString Shortcut(const editorsettings::qt::TEditEditorDlg& dlg) {
    return dlg.TabSheet_etc1->HotKey1->keySequence().toString(QKeySequence::PortableText);
  }

 private slots:
  void listBoxPageEditsTwoRecordsAndDrawsTheSample() {
    Host h;
    h.main.ItemFontSize = 16;
    h.main.ItemLineMargin = 3;
    RecordingBoxes boxes;
    auto dlg = OpenDialog(h, boxes);
    QCOMPARE(dlg->TabSheet_ListBox->Button_ListCopy->text(), QStringLiteral("アイテムに合わせる"));
    QCOMPARE(dlg->TabSheet_ListBox->ComboBox_ListFont->currentText(), QStringLiteral("ＭＳ Ｐゴシック"));
    QCOMPARE(dlg->TabSheet_ListBox->SpinEdit_ListFontSize->value(), 10);
    QCOMPARE(dlg->TabSheet_ListBox->RadioGroup_SelFontColor->checkedId(), int(store::fcUnSelColor));
    qt::SampleList* sample = dlg->TabSheet_ListBox->ListBox_Sample;
    QCOMPARE(sample->count(), 8);
    QCOMPARE(sample->item(3)->text(), QStringLiteral("赤"));
    QCOMPARE(sample->LineColour(3), store::clRed);
    QCOMPARE(sample->LineColour(0), store::clBlack);
    // Rows as in the window's lists: size x 1.3, but never lower than the line spacing.
    const auto rowHeight = [sample](int size, int margin) {
      return std::max(editorsettings::RowHeight(size, margin), QFontMetrics(sample->ListFont()).height() + margin);
    };
    QCOMPARE(sample->visualItemRect(sample->item(1)).height(), rowHeight(10, 0));

    dlg->TabSheet_ListBox->RadioButton_Item->click();
    QCOMPARE(dlg->TabSheet_ListBox->Button_ListCopy->text(), QStringLiteral("グループに合わせる"));
    QCOMPARE(dlg->TabSheet_ListBox->SpinEdit_ListFontSize->value(), 16);
    QCOMPARE(sample->visualItemRect(sample->item(1)).height(), rowHeight(16, 3));

    // An emptied field takes its minimum; typing beyond the range is not taken.
    QLineEdit* size = SpinText(dlg->TabSheet_ListBox->SpinEdit_ListFontSize);
    size->clear();
    emit size->textEdited(QString());
    QCOMPARE(size->text(), QStringLiteral("6"));
    QCOMPARE(dlg->App().lists.Current().fontSize, 6);
    size->selectAll();
    QTest::keyClicks(size, QStringLiteral("40"));
    QCOMPARE(dlg->App().lists.Current().fontSize, 6);
    dlg->TabSheet_ListBox->SpinEdit_LeftMargin->setValue(9);
    QCOMPARE(dlg->App().lists.Current().leftMargin, 9);

    boxes.colour = QColor(0x00, 0x80, 0x00);
    dlg->TabSheet_ListBox->Button_FontColor->click();
    QCOMPARE(dlg->App().lists.Current().fontColor, store::clGreen);
    QCOMPARE(sample->LineColour(0), store::clGreen);
    dlg->TabSheet_ListBox->RadioGroup_SelFontColor->button(store::fcBkColor)->click();
    QCOMPARE(sample->Look().selFontColorType, int(store::fcBkColor));

    // "グループに合わせる" copies the group record; "デフォルトに戻す" restores the defaults.
    dlg->TabSheet_ListBox->Button_ListCopy->click();
    QCOMPARE(dlg->App().lists.Record(ListKind::Item), dlg->App().lists.Record(ListKind::Group));
    QCOMPARE(dlg->TabSheet_ListBox->SpinEdit_ListFontSize->value(), 10);
    dlg->TabSheet_ListBox->SpinEdit_LineMargin->setValue(5);
    dlg->TabSheet_ListBox->Button_ListDefault->click();
    QCOMPARE(dlg->App().lists.Current(), DefaultListBoxRecord(ListKind::Item));
    QCOMPARE(dlg->TabSheet_ListBox->SpinEdit_LineMargin->value(), 0);

    dlg->TabSheet_ListBox->RadioButton_Group->click();
    dlg->TabSheet_ListBox->SpinEdit_ListFontSize->setValue(12);
    dlg->Button_OK->click();
    QCOMPARE(dlg->result(), int(QDialog::Accepted));
    QCOMPARE(h.main.GroupFontSize, 12);
    QCOMPARE(h.main.ItemFontSize, 10);
    QVERIFY(h.calls.contains(QStringLiteral("fonts")));
  }

  void timeStampPageKeepsAtMostSevenFormats() {
    Host h;
    h.list.TimeStampList = {"yyyy/mm/dd"};
    RecordingBoxes boxes;
    auto dlg = OpenDialog(h, boxes);
    QCOMPARE(dlg->TabSheet_TimeStamp->ListBox_DefTimeStamp->count(), 7);
    QCOMPARE(dlg->TabSheet_TimeStamp->ListBox_DefTimeResult->item(0)->text(), QStringLiteral("2024/3/9"));
    QCOMPARE(dlg->TabSheet_TimeStamp->ListBox_TimeResult->item(0)->text(), QStringLiteral("2024/03/09"));
    QVERIFY(!dlg->TabSheet_TimeStamp->Button_TimeAdd->isEnabled());
    dlg->TabSheet_TimeStamp->Edit_TimeStamp->setText(QStringLiteral("h'時'n'分'"));
    QCOMPARE(dlg->TabSheet_TimeStamp->Label_TimeResult->text(), QStringLiteral("14時5分"));
    QVERIFY(dlg->TabSheet_TimeStamp->Button_TimeAdd->isEnabled());
    QVERIFY(!dlg->TabSheet_TimeStamp->Button_TimeChange->isEnabled());  // no format selected
    for (int k = 0; k < 6; ++k) {
      QVERIFY(dlg->TabSheet_TimeStamp->Button_TimeAdd->isEnabled());
      dlg->TabSheet_TimeStamp->Button_TimeAdd->click();
      QCOMPARE(dlg->TabSheet_TimeStamp->ListBox_TimeStamp->currentRow(), k + 1);
    }
    QCOMPARE(dlg->TabSheet_TimeStamp->ListBox_TimeStamp->count(), 7);
    QVERIFY(!dlg->TabSheet_TimeStamp->Button_TimeAdd->isEnabled());
    // The two lists select together.
    dlg->TabSheet_TimeStamp->ListBox_TimeResult->setCurrentRow(3);
    QCOMPARE(dlg->TabSheet_TimeStamp->ListBox_TimeStamp->currentRow(), 3);
    dlg->TabSheet_TimeStamp->Edit_TimeStamp->setText(QStringLiteral("nn"));
    dlg->TabSheet_TimeStamp->Button_TimeChange->click();
    QCOMPARE(dlg->TabSheet_TimeStamp->ListBox_TimeResult->item(3)->text(), QStringLiteral("05"));
    dlg->TabSheet_TimeStamp->Button_TimeDelete->click();
    QCOMPARE(dlg->TabSheet_TimeStamp->ListBox_TimeStamp->count(), 6);
    QCOMPARE(dlg->TabSheet_TimeStamp->ListBox_TimeStamp->currentRow(), 2);
    QVERIFY(dlg->TabSheet_TimeStamp->Button_TimeAdd->isEnabled());
    dlg->Button_OK->click();
    QCOMPARE(h.list.TimeStampList.size(), size_t(6));
    QCOMPARE(h.list.TimeStampMenuList.size(), size_t(13));
  }

  void shortcutsRefuseDuplicatesAndAllowClearing() {
    Host h;
    RecordingBoxes boxes;
    auto dlg = OpenDialog(h, boxes);
    QListWidget* list = dlg->TabSheet_etc1->ListBox_ShortCut;
    QCOMPARE(list->count(), mainwin::kActionCount);
    QCOMPARE(list->item(0)->text(), QStringLiteral("全て選択   [ Ctrl+A ]"));
    QCOMPARE(list->item(int(mainwin::ActionId::DelLine))->text(), QStringLiteral("一行削除   [ なし ]"));
    QCOMPARE(Shortcut(*dlg), QStringLiteral("Ctrl+A"));

    list->setCurrentRow(int(mainwin::ActionId::DelLine));
    dlg->TabSheet_etc1->HotKey1->setKeySequence(QKeySequence(QStringLiteral("Ctrl+C")));
    dlg->TabSheet_etc1->Button_ShortCutChange->click();
    QCOMPARE(boxes.errors, QStringList{QStringLiteral("キーが重複しています")});
    QCOMPARE(list->currentItem()->text(), QStringLiteral("一行削除   [ なし ]"));
    QCOMPARE(boxes.beeps, 0);

    dlg->TabSheet_etc1->HotKey1->setKeySequence(QKeySequence(QStringLiteral("Ctrl+D")));
    dlg->TabSheet_etc1->Button_ShortCutChange->click();
    QCOMPARE(list->currentItem()->text(), QStringLiteral("一行削除   [ Ctrl+D ]"));
    QCOMPARE(boxes.beeps, 1);

    list->setCurrentRow(int(mainwin::ActionId::Copy));
    QCOMPARE(Shortcut(*dlg), QStringLiteral("Ctrl+C"));
    dlg->TabSheet_etc1->HotKey1->clear();
    dlg->TabSheet_etc1->Button_ShortCutChange->click();
    QCOMPARE(list->currentItem()->text(), QStringLiteral("コピー   [ なし ]"));
    QCOMPARE(boxes.errors.size(), 1);

    dlg->Button_OK->click();
    QCOMPARE(h.list.ShortCutList[size_t(mainwin::ActionId::DelLine)], std::string("Ctrl+D"));
    QCOMPARE(h.list.ShortCutList[size_t(mainwin::ActionId::Copy)], std::string());
    QCOMPARE(h.shortcutsSet.size(), size_t(mainwin::kActionCount));
    QCOMPARE(h.shortcutsSet[size_t(mainwin::ActionId::DelLine)].second, std::string("Ctrl+D"));
  }

  void keysInTheListGoToTheHotKeyField() {
    Host h;
    RecordingBoxes boxes;
    auto dlg = OpenDialog(h, boxes);
    dlg->show();
    QVERIFY(QTest::qWaitForWindowExposed(dlg.get()));
    dlg->PageControl->setCurrentIndex(qt::pgEtc);
    QListWidget* list = dlg->TabSheet_etc1->ListBox_ShortCut;
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(list->currentRow(), 1);
    QVERIFY(list->hasFocus());
    QTest::keyClick(list, Qt::Key_F5);
    QVERIFY(dlg->TabSheet_etc1->HotKey1->hasFocus());
    QCOMPARE(Shortcut(*dlg), QStringLiteral("Ctrl+C"));  // only the focus moved
    list->setFocus();
    QTest::keyClick(list, Qt::Key_K, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(dlg->TabSheet_etc1->HotKey1->hasFocus());
    QCOMPARE(Shortcut(*dlg), QStringLiteral("Ctrl+Shift+K"));
    QCOMPARE(list->currentRow(), 1);
    dlg->reject();
  }

  void shortcutResetTakesEffectAtOnceAndSurvivesCancel() {
    Host h;
    RecordingBoxes boxes;
    boxes.answer = false;
    auto dlg = OpenDialog(h, boxes);
    dlg->TabSheet_etc1->Button_ShortCutReset->click();
    QCOMPARE(boxes.asked, QStringList{QStringLiteral(
                              "設定リセットの確認|次回起動時にショートカットキーの\n全設定がデフォルトに戻ります")});
    QCOMPARE(h.list.ShortCutList.size(), size_t(mainwin::kActionCount));
    boxes.answer = true;
    dlg->TabSheet_etc1->Button_ShortCutReset->click();
    QVERIFY(h.list.ShortCutList.empty());
    QCOMPARE(dlg->TabSheet_etc1->ListBox_ShortCut->count(), 1);
    QCOMPARE(dlg->TabSheet_etc1->ListBox_ShortCut->item(0)->text(), QStringLiteral("設定リセット予約済み"));
    QVERIFY(!dlg->TabSheet_etc1->GroupBox_ShortCut->isEnabled());
    dlg->reject();
    QVERIFY(h.list.ShortCutList.empty());

    // Reopened before a restart: the same state; "登録" leaves the list empty.
    auto again = OpenDialog(h, boxes);
    QCOMPARE(again->TabSheet_etc1->ListBox_ShortCut->count(), 1);
    QCOMPARE(again->TabSheet_etc1->ListBox_ShortCut->item(0)->text(), QStringLiteral("設定リセット予約済み"));
    QVERIFY(!again->TabSheet_etc1->GroupBox_ShortCut->isEnabled());
    again->Button_OK->click();
    QVERIFY(h.list.ShortCutList.empty());
    QVERIFY(h.shortcutsSet.empty());
  }

  void layoutButtonsAndWindowPlacement() {
    Host h;
    h.main.WindowOptionEnabled = true;
    h.main.ListBoxViewType = store::lvTop_tate;
    RecordingBoxes boxes;
    auto dlg = OpenDialog(h, boxes);
    auto panelColour = [&](int v) {
      return dlg->TabSheet_etc1->Panel_View[size_t(v)]->palette().color(QPalette::Window);
    };
    QVERIFY(dlg->TabSheet_etc1->SpeedButton_View[store::lvTop_tate]->isChecked());
    QCOMPARE(panelColour(store::lvTop_tate), QColor(0xFF, 0xAC, 0xD6));
    QVERIFY(panelColour(store::lvLeft_tate) != QColor(0xFF, 0xAC, 0xD6));
    dlg->TabSheet_etc1->SpeedButton_View[store::lvLeft_yoko]->click();
    QVERIFY(!dlg->TabSheet_etc1->SpeedButton_View[store::lvTop_tate]->isChecked());
    QCOMPARE(panelColour(store::lvLeft_yoko), QColor(0xFF, 0xAC, 0xD6));
    QCOMPARE(panelColour(store::lvTop_tate), dlg->palette().color(QPalette::Button));
    QCOMPARE(dlg->TabSheet_etc1->RadioGroup_WindowOption->checkedId(), int(WindowPlacement::Restore));

    // Saved at once, through the window, and the third choice is selected.
    h.main.WindowOptionFixed = true;
    dlg->TabSheet_etc1->Button_SaveWindowPos->click();
    QCOMPARE(h.calls, QStringList{QStringLiteral("geometry")});
    QCOMPARE(h.main.Left, 123);
    QVERIFY(h.main.WindowOptionFixed);
    QCOMPARE(dlg->TabSheet_etc1->RadioGroup_WindowOption->checkedId(), int(WindowPlacement::Fixed));

    dlg->TabSheet_etc1->CheckBox_FindWarning->setChecked(false);
    dlg->TabSheet_etc1->CheckBox_IME_ON->setChecked(true);
    dlg->Button_OK->click();
    QCOMPARE(h.main.ListBoxViewType, int(store::lvLeft_yoko));
    QVERIFY(!h.main.FindWarning);
    QVERIFY(h.main.IME_ON);
    QVERIFY(h.main.WindowOptionEnabled && h.main.WindowOptionFixed);
    QCOMPARE(h.calls, (QStringList{QStringLiteral("geometry"), QStringLiteral("layout"), QStringLiteral("fonts")}));
  }

  void cancelStoresNothing() {
    Host h;
    RecordingBoxes boxes;
    auto dlg = OpenDialog(h, boxes);
    dlg->TabSheet_etc1->CheckBox_FindWarning->setChecked(false);
    dlg->TabSheet_ListBox->SpinEdit_ListFontSize->setValue(20);
    dlg->TabSheet_TimeStamp->Edit_TimeStamp->setText(QStringLiteral("yy"));
    dlg->TabSheet_TimeStamp->Button_TimeAdd->click();
    dlg->Button_Cancel->click();
    QCOMPARE(dlg->result(), int(QDialog::Rejected));
    QVERIFY(h.main.FindWarning);
    QCOMPARE(h.main.GroupFontSize, 10);
    QVERIFY(h.list.TimeStampList.empty());
    QVERIFY(h.calls.isEmpty());
  }
};

QTEST_MAIN(AppPagesTest)
#include "app_pages_test.moc"
