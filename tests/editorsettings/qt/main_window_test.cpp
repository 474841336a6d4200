// The dialog behind the main window's three settings commands, wired the way the window wires it:
// a global run reaches the editor, the wrap buttons and the actions' shortcuts; a group's own
// settings travel with the group.
#include <QAction>
#include <QCheckBox>
#include <QKeySequenceEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <functional>

#include "dialogutil.h"
#include "editor/qt/oleddeditor.h"
#include "fixture.h"
#include "mainwin/qt/mainform.h"

using mainwin::ActionId;
using mainwin::qt::TMainForm;

namespace {

class QuietBoxes : public mainwin::qt::MessageBoxes {
 public:
  QStringList errors;
  void Error(QWidget*, const QString& text) override { errors << text; }
  void Notice(QWidget*, const QString& text) override { errors << text; }
};

// Runs `action` and lets `user` act on the dialog once it is shown.
void WithDialog(TMainForm& f, ActionId action, const std::function<void(editorsettings::qt::TEditEditorDlg&)>& user) {
  bool shown = false;
  QTimer::singleShot(0, [&] {
    auto* dlg = qobject_cast<editorsettings::qt::TEditEditorDlg*>(QApplication::activeModalWidget());
    if (!dlg) return;
    shown = true;
    user(*dlg);
    if (dlg->isVisible()) dlg->reject();
  });
  f.Action(action)->trigger();
  QVERIFY2(shown, "the settings dialog did not open");
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void globalRunReachesEditorWrapButtonsAndShortcuts() {
    mwtest::TempDir dir;
    mwtest::Seed(dir.Data(), {{"仕事", {{"会議", "議題"}}, 0}});
    QuietBoxes boxes;
    mainwin::qt::MainFormOptions options;
    options.dataFolder = QString::fromStdString(dir.Data());
    options.boxes = &boxes;
    options.recoveryRoot = QString::fromStdString(dir.Path() + "/recovery/");
    TMainForm f(options);
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    QVERIFY(f.Action(ActionId::EditEditor)->isEnabled());
    QVERIFY(f.Action(ActionId::DelLine)->shortcut().isEmpty());

    WithDialog(f, ActionId::EditEditor, [](editorsettings::qt::TEditEditorDlg& d) {
      d.TabSheet_Editor1->CheckBox_WidthWordWrap->setChecked(true);
      d.TabSheet_Editor1->SpinEdit_MarginLeft->setValue(25);
      d.TabSheet_etc1->ListBox_ShortCut->setCurrentRow(int(ActionId::DelLine));
      d.TabSheet_etc1->HotKey1->setKeySequence(QKeySequence(QStringLiteral("Ctrl+D")));
      d.TabSheet_etc1->Button_ShortCutChange->click();
      d.Button_OK->click();
    });
    QVERIFY(boxes.errors.isEmpty());
    QCOMPARE(f.Core().Data().GlobalSettings().DEditorMargin.Left(), 25);
    QVERIFY(f.Core().Data().GlobalSettings().WidthWordWrap);
    QCOMPARE(f.MainEditor->Model().Margin().Left(), 25);
    QVERIFY(f.Action(ActionId::WordWrap_Width)->isChecked());
    QCOMPARE(f.Action(ActionId::DelLine)->shortcut(), QKeySequence(QStringLiteral("Ctrl+D")));
    QCOMPARE(f.Core().Data().ListData().ShortCutList[size_t(ActionId::DelLine)], std::string("Ctrl+D"));

    // The time-stamp command opens the same dialog on its page; cancelled, nothing changes.
    int page = -1;
    WithDialog(f, ActionId::EditEditor_TimeOpen, [&](editorsettings::qt::TEditEditorDlg& d) {
      page = d.PageControl->currentIndex();
      d.TabSheet_Editor1->SpinEdit_MarginLeft->setValue(3);
      d.Button_Cancel->click();
    });
    QCOMPARE(page, int(editorsettings::qt::pgTimeStamp));
    QCOMPARE(f.MainEditor->Model().Margin().Left(), 25);
  }

  void aGroupsOwnSettingsTravelWithTheGroup() {
    mwtest::TempDir dir;
    mwtest::Seed(dir.Data(), {{"仕事", {{"会議", "議題"}}, 0}, {"趣味", {{"読書", "猫"}}, 0}});
    QuietBoxes boxes;
    mainwin::qt::MainFormOptions options;
    options.dataFolder = QString::fromStdString(dir.Data());
    options.boxes = &boxes;
    options.recoveryRoot = QString::fromStdString(dir.Path() + "/recovery/");
    TMainForm f(options);
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    bool abortEnabled = true;
    WithDialog(f, ActionId::EditorEdit_Group, [&](editorsettings::qt::TEditEditorDlg& d) {
      abortEnabled = d.Button_mrAbort->isEnabled();
      d.TabSheet_Editor1->SpinEdit_MarginLeft->setValue(30);
      d.Button_OK->click();
    });
    QVERIFY(!abortEnabled);
    QVERIFY(f.Core().Data().GroupSettings().Enabled);
    QCOMPARE(f.MainEditor->Model().Margin().Left(), 30);
    QVERIFY(!f.MainEditor->Model().Modified());

    f.Core().GroupList().UserSelected(1);
    QCOMPARE(f.MainEditor->Model().Margin().Left(), 12);  // the other group has the global look
    f.Core().GroupList().UserSelected(0);
    QCOMPARE(f.MainEditor->Model().Margin().Left(), 30);
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
