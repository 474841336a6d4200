// TFormSearch: values in and out (the combined line-break/space box), the history list, the
// refusal of an empty text, and RunFindDialog.
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QtTest>

#include "boxutil.h"
#include "codec/cp932.h"
#include "search/qt/formsearch.h"

using namespace search;
using search::qt::TFormSearch;

namespace {
std::string Sjis(const char* utf8) { return codec::Utf8ToCp932(utf8).bytes; }
}  // namespace

class FormSearchTest : public QObject {
  Q_OBJECT

 private slots:
  void ValuesShowAndReadBack() {
    struct Case {
      TSearchOptions in;
      bool backward, matchCase, whole, width, breaks;
    };
    const Case cases[] = {
        {0, false, false, false, false, false},
        {soBackward | soMatchCase, true, true, false, false, false},
        {soForward | soWholeWord | soIgnoreWidth, false, false, true, true, false},
        {soIgnoreLineBreaks, false, false, false, false, false},  // only one of the two: unticked
        {soIgnoreSpaces, false, false, false, false, false},
        {soIgnoreLineBreaks | soIgnoreSpaces, false, false, false, false, true},
    };
    for (const auto& c : cases) {
      TFormSearch f;
      f.SetValues({Sjis("検索"), c.in, srNames}, {});
      QCOMPARE(f.Edit_Text->text(), QStringLiteral("検索"));
      QCOMPARE(f.RadioButton_Backward->isChecked(), c.backward);
      QCOMPARE(f.RadioButton_Forward->isChecked(), !c.backward);
      QCOMPARE(f.CheckBox_MatchCase->isChecked(), c.matchCase);
      QCOMPARE(f.CheckBox_WholeWord->isChecked(), c.whole);
      QCOMPARE(f.CheckBox_IgnoreWidth->isChecked(), c.width);
      QCOMPARE(f.CheckBox_IgnoreBreaks->isChecked(), c.breaks);
      QVERIFY(f.RadioButton_Range[srNames]->isChecked());
      // Read back: exactly one direction bit, and the combined box gives both bits or none.
      const FindDialogValues v = f.Values();
      QCOMPARE(v.Text, Sjis("検索"));
      QCOMPARE(v.SearchRange, static_cast<int>(srNames));
      TSearchOptions expected = c.backward ? soBackward : soForward;
      if (c.matchCase) expected |= soMatchCase;
      if (c.whole) expected |= soWholeWord;
      if (c.width) expected |= soIgnoreWidth;
      if (c.breaks) expected |= soIgnoreLineBreaks | soIgnoreSpaces;
      QCOMPARE(v.Options, expected);
    }
    TFormSearch f;
    f.SetValues({"x", 0, srOpenItem}, {});
    f.CheckBox_IgnoreBreaks->setChecked(true);
    f.RadioButton_Backward->setChecked(true);
    f.RadioButton_Range[srGroupItems]->setChecked(true);
    const FindDialogValues v = f.Values();
    QCOMPARE(v.Options, static_cast<TSearchOptions>(soBackward | soIgnoreLineBreaks | soIgnoreSpaces));
    QCOMPARE(v.SearchRange, static_cast<int>(srGroupItems));
  }

  void HistoryClickCopiesIntoTheEditBox() {
    TFormSearch f;
    f.SetValues({"now", 0, 0}, {Sjis("最近"), "older"});
    QCOMPARE(f.ListBox_History->count(), 2);
    QCOMPARE(f.ListBox_History->item(0)->text(), QStringLiteral("最近"));
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    const QRect r = f.ListBox_History->visualItemRect(f.ListBox_History->item(1));
    QTest::mouseClick(f.ListBox_History->viewport(), Qt::LeftButton, {}, r.center());
    QCOMPARE(f.Edit_Text->text(), QStringLiteral("older"));
    QCOMPARE(f.Values().Text, std::string("older"));
  }

  void ShownCentredWithTheTextFocused() {
    TFormSearch f;
    f.SetValues({"abc", 0, 0}, {});
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    const QPoint centre = f.screen()->availableGeometry().center();
    QVERIFY(qAbs(f.frameGeometry().center().x() - centre.x()) <= 1);
    QVERIFY(qAbs(f.frameGeometry().center().y() - centre.y()) <= 1);
    QTRY_VERIFY(f.Edit_Text->hasFocus());
    QCOMPARE(f.Edit_Text->selectedText(), QStringLiteral("abc"));
  }

  void EmptyTextIsRefusedAndTheDialogStays() {
    TFormSearch f;
    f.SetValues({"", 0, 0}, {});
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    auto box = searchqt::AnswerNextBox(QMessageBox::Ok);
    f.Button_OK->click();
    QVERIFY(box->seen);
    QCOMPARE(box->title, QStringLiteral("KANATA"));
    QCOMPARE(box->text, QStringLiteral("検索文字を入力してください"));
    QCOMPARE(box->icon, QMessageBox::Critical);
    QVERIFY(f.isVisible());
    QCOMPARE(f.result(), static_cast<int>(QDialog::Rejected));

    f.Edit_Text->setText(QStringLiteral("x"));
    f.Button_OK->click();
    QVERIFY(!f.isVisible());
    QCOMPARE(f.result(), static_cast<int>(QDialog::Accepted));
  }

  void RunFindDialogReturnsTheValuesOnlyOnOk() {
    for (bool ok : {true, false}) {
      FindDialogValues v{"before", soMatchCase, srOpenItem};
      QTimer::singleShot(0, [ok] {
        auto* f = qobject_cast<TFormSearch*>(QApplication::activeModalWidget());
        QVERIFY(f != nullptr);
        f->Edit_Text->setText(QStringLiteral("after"));
        f->RadioButton_Range[srAllItems]->setChecked(true);
        (ok ? f->Button_OK : f->Button_Cancel)->click();
      });
      const bool accepted = search::qt::RunFindDialog(nullptr, v, {"h"});
      QCOMPARE(accepted, ok);
      QCOMPARE(v.Text, std::string(ok ? "after" : "before"));
      QCOMPARE(v.SearchRange, ok ? static_cast<int>(srAllItems) : static_cast<int>(srOpenItem));
      QCOMPARE(v.Options,
               ok ? static_cast<TSearchOptions>(soForward | soMatchCase) : static_cast<TSearchOptions>(soMatchCase));
    }
  }
};

QTEST_MAIN(FormSearchTest)
#include "formsearch_test.moc"
