// TReplaceDialog and the commands behind FindDialogsQt: the dialog's texts and values, its
// buttons reaching FindCommands with a real editor, result rows reaching OpenRow, message boxes.
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QtTest>

#include "boxutil.h"
#include "codec/cp932.h"
#include "editor/editormodel.h"
#include "search/qt/editormodelfind.h"
#include "search/qt/finddialogs.h"
#include "search/qt/findgridform.h"
#include "search/qt/replacedialog.h"
#include "store/datafolder.h"
#include "store/entries.h"

using namespace search;
using search::qt::TReplaceDialog;

namespace {

std::string Sjis(const char* utf8) { return codec::Utf8ToCp932(utf8).bytes; }

// Just enough main window: an editor, no files, and a record of what was asked.
struct Host final : FindHost {
  editor::EditorModel model;
  search::qt::EditorModelFind find{model};
  store::DataFolder folder{"/nonexistent-sorame-folder/"};
  store::TRootComponent_Item items{folder, nullptr};
  store::TRootComponent_Group groups{folder, nullptr, items};
  std::vector<std::string> history, messages, selected;

  FindEditor& Editor() override { return find; }
  std::vector<std::string>& SearchHistory() override { return history; }
  bool FindWarning() const override { return false; }
  store::TRootComponent_Group& Groups() override { return groups; }
  int SelectedGroup() const override { return -1; }
  store::TRootComponent_Item& OpenGroupItems() override { return items; }
  void StoreOpenItem() override {}
  bool SaveOpenGroup() override { return true; }
  bool SelectGroup(int g) override {
    selected.push_back("group " + std::to_string(g));
    return true;
  }
  bool SelectItem(int i) override {
    selected.push_back("item " + std::to_string(i));
    return true;
  }
  void FocusGroupList() override {}
  void FocusEditor() override {}
  bool Ask(const std::string&, const std::string&, QuestionButtons, MessageIcon) override { return false; }
  void ShowMessage(const std::string&, const std::string& text, MessageIcon) override { messages.push_back(text); }
  void ShowError(const std::string&) override {}
};

}  // namespace

class ReplaceDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void TextsValuesAndButtons() {
    TReplaceDialog d;
    QVERIFY(!d.isModal());
    QCOMPARE(d.windowTitle(), QStringLiteral("置換"));
    QVERIFY(d.RadioButton_Down->isChecked());
    QVERIFY(!d.Button_FindNext->isEnabled());  // nothing to look for yet
    d.SetTexts(Sjis("検索"), Sjis("置換後"));
    QCOMPARE(d.Edit_FindText->text(), QStringLiteral("検索"));
    QCOMPARE(d.Edit_ReplaceText->text(), QStringLiteral("置換後"));
    QVERIFY(d.Button_FindNext->isEnabled() && d.Button_Replace->isEnabled() && d.Button_ReplaceAll->isEnabled());
    d.CheckBox_MatchCase->setChecked(true);
    d.RadioButton_Up->setChecked(true);
    ReplaceDialogValues v = d.Values();
    QCOMPARE(v.FindText, Sjis("検索"));
    QCOMPARE(v.ReplaceText, Sjis("置換後"));
    QVERIFY(v.MatchCase && !v.WholeWord && !v.Down);

    QSignalSpy spy(&d, &TReplaceDialog::buttonPressed);
    d.show();
    QVERIFY(QTest::qWaitForWindowExposed(&d));
    d.Button_ReplaceAll->click();
    d.Button_Replace->click();
    QTest::keyClick(d.Edit_FindText, Qt::Key_Return);  // Find next is the default
    QCOMPARE(spy.count(), 3);
    QCOMPARE(spy[0][0].value<ReplaceButton>(), ReplaceButton::ReplaceAll);
    QCOMPARE(spy[1][0].value<ReplaceButton>(), ReplaceButton::Replace);
    QCOMPARE(spy[2][0].value<ReplaceButton>(), ReplaceButton::FindNext);

    d.Button_Close->click();
    QVERIFY(!d.isVisible());
    d.SetTexts("a", "b");  // reopening keeps the user's choices
    QVERIFY(d.CheckBox_MatchCase->isChecked());
    QVERIFY(d.RadioButton_Up->isChecked());
  }

  void ButtonsRunTheCommandsOnTheEditor() {
    QWidget window;
    Host host;
    search::qt::FindDialogsQt dialogs(&window);
    FindCommands commands(host, dialogs);
    dialogs.Attach(&commands);
    host.model.SetText("red green red");
    host.model.SetSelStart(4);
    host.model.SetSelLength(5);
    commands.Replace();
    TReplaceDialog* d = dialogs.ReplaceDialog();
    QVERIFY(d != nullptr && d->isVisible());
    QCOMPARE(d->Edit_FindText->text(), QStringLiteral("green"));
    d->Edit_FindText->setText(QStringLiteral("red"));
    d->Edit_ReplaceText->setText(QStringLiteral("blue"));
    d->Button_ReplaceAll->click();
    QCOMPARE(host.model.Text(), std::string("blue green blue"));
    QCOMPARE(host.messages, std::vector<std::string>{"2 個を置き換えました"});
    QCOMPARE(host.history.front(), std::string("red"));
    commands.Replace();
    QCOMPARE(dialogs.ReplaceDialog(), d);  // the same dialog every time

    dialogs.ShowResults([] {
      auto g = std::make_unique<FindGrid>();
      g->Prepare("x", FindGrid::mdGroup, soForward);
      g->AppendHits({SearchHit{4, 2, 0, "g", "i", "x"}}, false);
      return g;
    }());
    dialogs.LastResults()->OpenCurrentRow();
    QCOMPARE(host.selected, (std::vector<std::string>{"group 4", "item 2"}));
  }

  void MessageBoxesCarryCaptionIconAndButtons() {
    auto seen = searchqt::AnswerNextBox(QMessageBox::Yes);
    QVERIFY(search::qt::AskFindQuestion(nullptr, "検索結果", "一行目\r\n二行目", QuestionButtons::YesNo,
                                        MessageIcon::Question));
    QCOMPARE(seen->title, QStringLiteral("検索結果"));
    QCOMPARE(seen->text, QStringLiteral("一行目\n二行目"));
    QCOMPARE(seen->icon, QMessageBox::Question);
    QCOMPARE(seen->buttons, QMessageBox::Yes | QMessageBox::No);

    seen = searchqt::AnswerNextBox(QMessageBox::Cancel);
    QVERIFY(
        !search::qt::AskFindQuestion(nullptr, "データ保存の確認", "t", QuestionButtons::OkCancel, MessageIcon::None));
    QCOMPARE(seen->icon, QMessageBox::NoIcon);
    QCOMPARE(seen->buttons, QMessageBox::Ok | QMessageBox::Cancel);

    seen = searchqt::AnswerNextBox(QMessageBox::Ok);
    search::qt::ShowFindMessage(nullptr, "置き換え結果", "0 個を置き換えました", MessageIcon::Information);
    QCOMPARE(seen->icon, QMessageBox::Information);
    QCOMPARE(seen->text, QStringLiteral("0 個を置き換えました"));
  }
};

Q_DECLARE_METATYPE(search::ReplaceButton)

QTEST_MAIN(ReplaceDialogTest)
#include "replacedialog_test.moc"
