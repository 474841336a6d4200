// The print dialog's editing rules: fields write through the setters, range radios, wrapping
// number fields, double-click resets, the font list, copies, and the dialog without lines.
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrinterInfo>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "codec/cp932.h"
#include "print/qt/printdialog.h"

using namespace print;
using namespace print::qt;

namespace {

QLineEdit* EditOf(QSpinBox* spin) { return spin->findChild<QLineEdit*>(); }

// Replaces the field's text by typing, as a user does.
void Type(QSpinBox* spin, const QString& text) {
  QLineEdit* edit = EditOf(spin);
  edit->setFocus();
  edit->selectAll();
  QTest::keyClicks(edit, text);
}

}  // namespace

class PrintDialogTest : public QObject {
  Q_OBJECT
 private slots:
  void pagesAndTexts() {
    std::vector<std::string> lines{"x"};
    TFormStringsPrint d(&lines);
    QCOMPARE(d.windowTitle(), QStringLiteral("印刷"));
    QCOMPARE(d.Pages()->count(), 2);
    QCOMPARE(d.Pages()->tabText(0), QStringLiteral("印刷設定１"));
    QCOMPARE(d.Pages()->tabText(1), QStringLiteral("印刷設定２"));
    QCOMPARE(d.PrintButton()->text(), QStringLiteral("印刷"));
    QVERIFY(d.PrintButton()->isDefault());
    QCOMPARE(d.SetupButton()->text(), QStringLiteral("プリンタ設定"));
    QCOMPARE(d.PreviewButton()->text(), QStringLiteral("プレビュー"));
    QCOMPARE(d.CancelButton()->text(), QStringLiteral("キャンセル"));
    QStringList labels;
    for (QLabel* l : d.findChildren<QLabel*>()) labels << l->text();
    for (const char* t :
         {"ヘッダ文字列", "フッタ文字列", "%g グループ名 , %f アイテム名 , %p ページ番号",
          "%y  年  ,  %m  月  ,  %d  日  ,  %t  時間", "行間", "左余白", "右余白", "上余白", "下余白", "サイズ",
          "開始ページ", "終了ページ", "開始番号", "段数", "段落間", "mm", "開始行", "終了行", "印刷枚数"})
      QVERIFY2(labels.contains(QString::fromUtf8(t)), t);
    QCOMPARE(d.HeaderAlign()->button(3)->text(), QStringLiteral("右"));
    QCOMPARE(d.PageOption()->button(1)->text(), QStringLiteral("奇数ページ"));
    QCOMPARE(d.LineNumber()->text(), QStringLiteral("行番号を印刷"));
    QCOMPARE(d.SizeList()->count(), 25);
    QCOMPARE(d.SizeList()->itemText(0), QStringLiteral("6"));
    QCOMPARE(d.SizeList()->itemText(24), QStringLiteral("30"));
    QCOMPARE(d.Copies()->minimum(), 1);
    QCOMPARE(d.Copies()->maximum(), 100);
  }

  void controlsShowTheStoredSettings() {
    std::vector<std::string> lines{"x"};
    TFormStringsPrint d(&lines);
    TStringsPrinter& w = d.Working();
    ApplyInitialPrintSettings(w);
    w.SetRangeOption(roLimited);
    w.SetStartPage(4);
    w.SetLastPage(9);
    w.SetFirstPageNumber(2);
    w.SetLineRangeOption(roLimited);
    w.SetStartLine(5);
    w.SetLastLine(50);
    w.SetFirstLineNumber(7);
    w.SetMarginLeft(12);
    w.SetMarginLine(3);
    w.SetColumnCount(2);
    w.SetLineNumber(true);
    d.show();

    QCOMPARE(d.StartPage()->value(), 4);
    QCOMPARE(d.LastPage()->value(), 9);
    QCOMPARE(d.FirstPageNumber()->value(), 2);
    QVERIFY(d.PageRange()->button(1)->isChecked());
    QVERIFY(d.StartPage()->isEnabled());
    QCOMPARE(d.StartLine()->value(), 5);
    QCOMPARE(d.LastLine()->value(), 50);
    QCOMPARE(d.FirstLineNumber()->value(), 7);
    QVERIFY(d.LineRange()->button(1)->isChecked());
    QVERIFY(d.LastLine()->isEnabled());
    QCOMPARE(d.MarginLeft()->value(), 12);
    QCOMPARE(d.MarginLine()->value(), 3);
    QVERIFY(d.Columns()->button(1)->isChecked());
    QVERIFY(d.LineNumber()->isChecked());
    QVERIFY(d.HeaderAlign()->button(haRight)->isChecked());
    QCOMPARE(d.HeaderText()->text(), QStringLiteral("%y/%m/%d %t %f"));
    QVERIFY(d.FooterAlign()->button(haCenter)->isChecked());
    QCOMPARE(d.FooterText()->text(), QStringLiteral("-%p-"));
    QCOMPARE(d.FontList()->currentText(), QStringLiteral("ＭＳ ゴシック"));
    QCOMPARE(d.SizeList()->currentText(), QStringLiteral("9"));
    // Loading wrote nothing new.
    QCOMPARE(w.FirstPageNumber(), 2);
    QCOMPARE(w.FirstLineNumber(), 7);
    QCOMPARE(w.StartLine(), 5);
  }

  void wholeRangesDisableTheirFieldsAndAStoredLastLineZeroShowsTheEnd() {
    std::vector<std::string> lines{"x"};
    TFormStringsPrint d(&lines);
    ApplyInitialPrintSettings(d.Working());
    d.show();
    QVERIFY(d.PageRange()->button(0)->isChecked());
    QVERIFY(!d.StartPage()->isEnabled());
    QVERIFY(!d.LastLine()->isEnabled());
    QVERIFY(d.FirstPageNumber()->isEnabled());
    QCOMPARE(d.LastLine()->value(), 999999);
    QCOMPARE(d.Working().LastLine(), 999999);
  }

  void numberFieldsWrap() {
    std::vector<std::string> lines{"x"};
    TFormStringsPrint d(&lines);
    d.Working().SetRangeOption(roLimited);
    d.show();
    d.Pages()->setCurrentIndex(1);
    Type(d.StartPage(), "0");
    QCOMPARE(d.StartPage()->value(), 999999);
    QCOMPARE(d.Working().StartPage(), 999999);
    Type(d.StartPage(), "1000000");
    QCOMPARE(d.StartPage()->value(), 1);
    QCOMPARE(d.Working().StartPage(), 1);
    // The spin arrows run round as well.
    d.LastLine()->setEnabled(true);
    d.LastLine()->setValue(999999);
    d.LastLine()->stepUp();
    QCOMPARE(d.LastLine()->value(), 1);
    d.LastLine()->stepDown();
    QCOMPARE(d.LastLine()->value(), 999999);
    for (QSpinBox* s : {d.FirstPageNumber(), d.FirstLineNumber(), d.StartLine(), d.LastPage()}) {
      s->setValue(0);
      QCOMPARE(s->value(), 999999);
      s->setValue(1000000);
      QCOMPARE(s->value(), 1);
    }
  }

  void limitedRangeSetsTheStartNumberAndWholeSetsItBack() {
    std::vector<std::string> lines{"x"};
    TFormStringsPrint d(&lines);
    d.show();
    d.Pages()->setCurrentIndex(1);
    d.StartPage()->setValue(3);
    QCOMPARE(d.Working().FirstPageNumber(), 1);  // the range is still whole
    QTest::mouseClick(d.PageRange()->button(1), Qt::LeftButton);
    QCOMPARE(d.Working().RangeOption(), roLimited);
    QCOMPARE(d.FirstPageNumber()->value(), 3);
    QCOMPARE(d.Working().FirstPageNumber(), 3);
    QVERIFY(d.StartPage()->isEnabled());
    // A new start inside the range is the new first number.
    Type(d.StartPage(), "5");
    QCOMPARE(d.Working().FirstPageNumber(), 5);
    QTest::mouseClick(d.PageRange()->button(0), Qt::LeftButton);
    QCOMPARE(d.Working().RangeOption(), roWhole);
    QCOMPARE(d.FirstPageNumber()->value(), 1);
    QVERIFY(!d.StartPage()->isEnabled());

    // The line group alike.
    d.StartLine()->setValue(8);
    QTest::mouseClick(d.LineRange()->button(1), Qt::LeftButton);
    QCOMPARE(d.Working().FirstLineNumber(), 8);
    QTest::mouseClick(d.LineRange()->button(0), Qt::LeftButton);
    QCOMPARE(d.Working().FirstLineNumber(), 1);
  }

  void doubleClickResets() {
    std::vector<std::string> lines{"x"};
    TFormStringsPrint d(&lines);
    d.Working().SetRangeOption(roLimited);
    d.Working().SetLineRangeOption(roLimited);
    d.show();
    d.Pages()->setCurrentIndex(1);
    d.StartPage()->setValue(40);
    d.LastPage()->setValue(50);
    d.FirstLineNumber()->setValue(60);
    QTest::mouseDClick(EditOf(d.StartPage()), Qt::LeftButton);
    QTest::mouseDClick(EditOf(d.LastPage()), Qt::LeftButton);
    QTest::mouseDClick(EditOf(d.FirstLineNumber()), Qt::LeftButton);
    QCOMPARE(d.StartPage()->value(), 1);
    QCOMPARE(d.LastPage()->value(), 999999);
    QCOMPARE(d.FirstLineNumber()->value(), 1);
    QCOMPARE(d.Working().LastPage(), 999999);
  }

  void fieldsWriteThroughTheSetters() {
    std::vector<std::string> lines{"x"};
    TFormStringsPrint d(&lines);
    ApplyInitialPrintSettings(d.Working());
    d.show();
    TStringsPrinter& w = d.Working();
    d.MarginTop()->setValue(22);
    QCOMPARE(w.MarginTop(), 22);
    QTest::mouseClick(d.HeaderAlign()->button(1), Qt::LeftButton);
    QCOMPARE(w.HeaderAlign(), haLeft);
    d.HeaderText()->setText(QStringLiteral("%g：%f"));
    QCOMPARE(codec::Cp932ToUtf8(w.Header()), "%g：%f");
    QTest::mouseClick(d.FooterAlign()->button(0), Qt::LeftButton);
    QCOMPARE(w.FooterAlign(), haNone);
    d.Pages()->setCurrentIndex(1);
    QTest::mouseClick(d.Columns()->button(2), Qt::LeftButton);
    QCOMPARE(w.ColumnCount(), 3);
    d.ColumnSpace()->setValue(7);
    QCOMPARE(w.ColumnSpace(), 7);
    QTest::mouseClick(d.PageOption()->button(2), Qt::LeftButton);
    QCOMPARE(w.PageOption(), poEven);
    d.LineNumber()->setChecked(true);
    QVERIFY(w.LineNumber());

    d.SizeList()->setCurrentText(QStringLiteral("14"));
    QCOMPARE(w.Font().Size(), 14);
    d.SizeList()->setCurrentText(QStringLiteral("big"));
    QCOMPARE(w.Font().Size(), 9);
    const int other = d.FontList()->findText(QStringLiteral("IPAMincho"));
    if (other >= 0) {
      d.FontList()->setCurrentIndex(other);
      QCOMPARE(w.Font().Name, std::string("IPAMincho"));
    }

    d.Copies()->setValue(3);
    QCOMPARE(d.Printer().copyCount(), 3);
  }

  void fontListLeavesOutVerticalFonts() {
    const QStringList in = {QStringLiteral("@IPAGothic"), QStringLiteral("IPAGothic"), QStringLiteral("@ＭＳ 明朝"),
                            QStringLiteral("DejaVu Sans")};
    QCOMPARE(PrintFontFamilies(in), (QStringList{QStringLiteral("IPAGothic"), QStringLiteral("DejaVu Sans")}));
    std::vector<std::string> lines{"x"};
    TFormStringsPrint d(&lines);
    d.show();
    QVERIFY(d.FontList()->count() > 0);
    for (int i = 0; i < d.FontList()->count(); ++i) QVERIFY(!d.FontList()->itemText(i).startsWith('@'));
  }

  void printerLabelsAndNoLines() {
    std::vector<std::string> lines{"x"};
    TFormStringsPrint d(&lines);
    d.Printer().setOutputFormat(QPrinter::PdfFormat);
    d.Printer().setPageSize(QPageSize(QPageSize::JisB5));
    d.Printer().setPageOrientation(QPageLayout::Landscape);
    d.show();
    QCOMPARE(d.PrinterNameLabel()->text(), QStringLiteral("不明"));
    QCOMPARE(d.OrientationLabel()->text(), QStringLiteral("poLandscape"));
    QCOMPARE(d.PaperNameLabel()->text(), QStringLiteral("DMPAPER_B5"));  // JIS B5, id 13
    d.Printer().setPageSize(QPageSize(QPageSize::B5));
    d.RefreshPrinterLabels();
    QCOMPARE(d.PaperNameLabel()->text(), QStringLiteral("DMPAPER_ENV_B5"));  // ISO B5, 176 x 250
    d.Printer().setPageOrientation(QPageLayout::Portrait);
    d.Printer().setPageSize(QPageSize(QPageSize::A4));
    d.RefreshPrinterLabels();
    QCOMPARE(d.OrientationLabel()->text(), QStringLiteral("poPortrait"));
    QCOMPARE(d.PaperNameLabel()->text(), QStringLiteral("DMPAPER_A4"));
    // The print system's queues, then the PDF file, shown as the choice; choosing it forgets a
    // file named before, so the next print asks for one.
    QCOMPARE(d.PrinterList()->count(), QPrinterInfo::availablePrinterNames().size() + 1);
    QCOMPARE(d.PrinterList()->currentText(), TFormStringsPrint::PdfFileChoice());
    d.Printer().setOutputFileName(QStringLiteral("/tmp/old.pdf"));
    emit d.PrinterList()->activated(d.PrinterList()->count() - 1);
    QCOMPARE(d.Printer().outputFormat(), QPrinter::PdfFormat);
    QVERIFY(d.Printer().outputFileName().isEmpty());

    TFormStringsPrint none(nullptr);
    none.show();
    QVERIFY(!none.PrintButton()->isEnabled());
    QVERIFY(!none.PreviewButton()->isEnabled());
    QVERIFY(!none.SetupButton()->isEnabled());
    QVERIFY(!none.PrinterNameLabel()->isEnabled());
    QVERIFY(!none.PrinterList()->isEnabled());
    QVERIFY(none.CancelButton()->isEnabled());
  }

  void runPrintDialogCopiesBackOnlyOnOk() {
    std::vector<std::string> lines{"x"};
    TStringsPrinter settings;
    ApplyInitialPrintSettings(settings);
    // Cancel: a change made in the dialog is dropped.
    QTimer::singleShot(0, [] {
      auto* d = qobject_cast<TFormStringsPrint*>(QApplication::activeModalWidget());
      QVERIFY(d);
      d->MarginTop()->setValue(40);
      d->CancelButton()->click();
    });
    QVERIFY(!RunPrintDialog(settings, &lines));
    QCOMPARE(settings.MarginTop(), 15);

    // OK (printing to a PDF file): the change comes back.
    const QString pdf = QDir::temp().filePath(QStringLiteral("sorame-dialog-test.pdf"));
    QFile::remove(pdf);
    QTimer::singleShot(0, [pdf] {
      auto* d = qobject_cast<TFormStringsPrint*>(QApplication::activeModalWidget());
      QVERIFY(d);
      d->MarginTop()->setValue(40);
      d->Printer().setOutputFormat(QPrinter::PdfFormat);
      d->Printer().setOutputFileName(pdf);
      d->PrintButton()->click();
    });
    QVERIFY(RunPrintDialog(settings, &lines));
    QCOMPARE(settings.MarginTop(), 40);
    QVERIFY(QFileInfo(pdf).size() > 0);
    QFile::remove(pdf);
  }

  void printCommandLoadsAndSavesPrintBin() {
    QTemporaryDir dir;
    const store::DataFolder folder((dir.path() + QStringLiteral("/UserData/")).toStdString());
    std::vector<std::string> lines{"x"};
    TStringsPrinter stored;
    ApplyInitialPrintSettings(stored);
    stored.SetMarginTop(33);
    SavePrintSettings(stored, folder);

    // The stored settings are what the dialog shows; cancelling writes nothing.
    TStringsPrinter settings;
    ApplyInitialPrintSettings(settings);
    QTimer::singleShot(0, [] {
      auto* d = qobject_cast<TFormStringsPrint*>(QApplication::activeModalWidget());
      QVERIFY(d);
      QCOMPARE(d->MarginTop()->value(), 33);
      QCOMPARE(d->Working().FileName(), std::string("item"));
      QCOMPARE(d->Working().GroupName(), std::string("group"));
      d->MarginTop()->setValue(44);
      d->CancelButton()->click();
    });
    QVERIFY(!RunPrintCommand(settings, folder, lines, "item", "group"));
    TStringsPrinter check;
    LoadPrintSettings(check, folder);
    QCOMPARE(check.MarginTop(), 33);

    // Printing writes print.bin with the new values, names included.
    const QString pdf = dir.filePath(QStringLiteral("out.pdf"));
    QTimer::singleShot(0, [pdf] {
      auto* d = qobject_cast<TFormStringsPrint*>(QApplication::activeModalWidget());
      QVERIFY(d);
      d->MarginTop()->setValue(44);
      d->Printer().setOutputFormat(QPrinter::PdfFormat);
      d->Printer().setOutputFileName(pdf);
      d->PrintButton()->click();
    });
    QVERIFY(RunPrintCommand(settings, folder, lines, "item", "group"));
    TStringsPrinter after;
    LoadPrintSettings(after, folder);
    QCOMPARE(after.MarginTop(), 44);
    QCOMPARE(after.FileName(), std::string("item"));
    QCOMPARE(after.GroupName(), std::string("group"));
  }
};

QTEST_MAIN(PrintDialogTest)
#include "printdialog_test.moc"
