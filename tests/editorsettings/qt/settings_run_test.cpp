// Whole runs of the dialog, shown modally and answered by the test: the global and per-group
// forms, "登録" reaching the records and the main editor, switching a group's settings off.
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <functional>

#include <QTest>

#include "dialogutil.h"

using namespace dlgtest;
using namespace editorsettings;
using editorsettings::qt::TEditEditorDlg;

class SettingsRunTest : public QObject {
  Q_OBJECT

 private:
  // Runs the dialog and lets `user` act on it once it is shown.
  static bool Run(Host& h, RecordingBoxes& boxes, int page, bool perGroup, std::function<void(TEditEditorDlg&)> user) {
    bool acted = false;
    QTimer::singleShot(0, [&] {
      auto* dlg = qobject_cast<TEditEditorDlg*>(QApplication::activeModalWidget());
      if (!dlg) return;
      acted = true;
      user(*dlg);
      if (dlg->isVisible()) dlg->reject();
    });
    const bool ok = qt::RunEditorSettings(nullptr, h.mainEditor, h.host, page, perGroup, &boxes);
    if (!acted) QTest::qFail("the dialog was not shown", __FILE__, __LINE__);
    return ok;
  }

 private slots:
  void globalRunShowsEveryPageAndStoresOnOk() {
    Host h;
    h.global.WidthWordWrap = true;
    RecordingBoxes boxes;
    QString caption;
    int visiblePages = 0, current = -1;
    bool abortVisible = true;
    const bool ok = Run(h, boxes, 0, false, [&](TEditEditorDlg& d) {
      caption = d.windowTitle();
      for (int i = 0; i < d.PageControl->count(); ++i) visiblePages += d.PageControl->isTabVisible(i);
      current = d.PageControl->currentIndex();
      abortVisible = d.Button_mrAbort->isVisible();
      QVERIFY(d.TabSheet_Editor1->CheckBox_WidthWordWrap->isChecked());
      d.TabSheet_Editor1->CheckBox_WidthWordWrap->setChecked(false);
      d.TabSheet_Editor1->SpinEdit_WrapByte->setValue(48);
      d.TabSheet_Editor1->CheckBox_SoftTab->setChecked(true);
      d.Button_OK->click();
    });
    QVERIFY(ok);
    QCOMPARE(caption, QStringLiteral("カスタマイズ"));
    QCOMPARE(visiblePages, 6);
    QCOMPARE(current, int(qt::pgEditor1));
    QVERIFY(!abortVisible);
    QCOMPARE(h.global.DEditorWrapOption.WrapByte(), 48);
    QVERIFY(h.global.DEditorCaret.SoftTab());
    QVERIFY(!h.global.WidthWordWrap);
    QCOMPARE(h.mainEditor.WrapOption().WrapByte(), 48);
    QVERIFY(h.mainEditor.Caret().SoftTab());
    QVERIFY(h.calls.contains(QStringLiteral("fonts")));
  }

  void timeStampCommandOpensOnItsPage() {
    Host h;
    RecordingBoxes boxes;
    int current = -1;
    QVERIFY(!Run(h, boxes, 5, false, [&](TEditEditorDlg& d) { current = d.PageControl->currentIndex(); }));
    QCOMPARE(current, int(qt::pgTimeStamp));
  }

  void perGroupRunWithoutOwnSettings() {
    Host h;
    h.global.WidthWordWrap = true;
    RecordingBoxes boxes;
    QString caption;
    QList<bool> tabs;
    bool abortVisible = false, abortEnabled = true, widthWrap = false;
    const bool ok = Run(h, boxes, 0, true, [&](TEditEditorDlg& d) {
      caption = d.windowTitle();
      for (int i = 0; i < d.PageControl->count(); ++i) tabs << d.PageControl->isTabVisible(i);
      abortVisible = d.Button_mrAbort->isVisible();
      abortEnabled = d.Button_mrAbort->isEnabled();
      widthWrap = d.TabSheet_Editor1->CheckBox_WidthWordWrap->isChecked();
      d.TabSheet_ListBox->ComboBox_ListFont->setCurrentIndex(-1);  // a hidden page cannot stop "登録"
      d.TabSheet_Editor1->SpinEdit_MarginLeft->setValue(30);
      d.Button_OK->click();
    });
    QVERIFY(ok);
    QCOMPARE(caption, QStringLiteral("グループ独自のエディタ設定"));
    QCOMPARE(tabs, (QList<bool>{true, true, true, false, false, false}));
    QVERIFY(abortVisible);
    QVERIFY(!abortEnabled);
    QVERIFY(widthWrap);
    QVERIFY(boxes.errors.isEmpty());
    QVERIFY(h.group.Enabled);
    QVERIFY(h.group.WidthWordWrap);
    QCOMPARE(h.group.DEditorMargin.Left(), 30);
    QCOMPARE(h.global.DEditorMargin.Left(), 12);
    QCOMPARE(h.mainEditor.Margin().Left(), 30);
    // The application-wide settings were not touched.
    QVERIFY(h.calls.isEmpty());
  }

  void switchingAGroupsOwnSettingsOff() {
    Host h;
    h.group.CopyFromEditor(h.mainEditor);
    h.group.DEditorMargin.SetLeft(40);
    h.group.Enabled = true;
    h.group.WidthWordWrap = true;
    h.group.ApplyToEditor(h.mainEditor);
    RecordingBoxes boxes;
    boxes.answer = false;
    int previewMargin = 0;
    bool abortEnabled = false;
    // Declined first: the dialog stays; then confirmed.
    const bool ok = Run(h, boxes, 0, true, [&](TEditEditorDlg& d) {
      previewMargin = d.Preview().Margin().Left();
      abortEnabled = d.Button_mrAbort->isEnabled();
      d.Button_mrAbort->click();
      QVERIFY(d.isVisible());
      boxes.answer = true;
      d.Button_mrAbort->click();
    });
    QVERIFY(!ok);
    QCOMPARE(previewMargin, 40);
    QVERIFY(abortEnabled);
    QCOMPARE(boxes.asked, (QStringList{QStringLiteral("確認|グループ設定を初期化します"),
                                       QStringLiteral("確認|グループ設定を初期化します")}));
    QVERIFY(!h.group.Enabled);
    QCOMPARE(h.mainEditor.Margin().Left(), 12);  // the global look at once
    QVERIFY(h.global.WidthWordWrap);             // the check box went into the global record
  }

  void cancelLeavesRecordsAndEditor() {
    Host h;
    RecordingBoxes boxes;
    QVERIFY(!Run(h, boxes, 0, false, [&](TEditEditorDlg& d) {
      d.TabSheet_Editor1->SpinEdit_WrapByte->setValue(99);
      d.PageControl->setCurrentIndex(qt::pgEditor2);  // reaches the preview, not the records
      d.Button_Cancel->click();
    }));
    QCOMPARE(h.global.DEditorWrapOption.WrapByte(), 60);
    QCOMPARE(h.mainEditor.WrapOption().WrapByte(), 60);
    QVERIFY(h.calls.isEmpty());
  }
};

QTEST_MAIN(SettingsRunTest)
#include "settings_run_test.moc"
