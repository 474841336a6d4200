// The dialog's three editor pages on Qt: the font list and its refusal, the preview following the
// pages, the colour list with grid, panels and style boxes, and the bracket pairs.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>

#include <QTest>

#include "dialogutil.h"
#include "editor/qt/oleddeditor.h"
#include "editorsettings/colortable.h"
#include "editorsettings/qt/colorwidgets.h"

using namespace dlgtest;
using namespace editorsettings;

class EditorPagesTest : public QObject {
  Q_OBJECT

 private:
  // Text as the user types it (the field reports an edit).
  static void Type(QLineEdit* edit, const QString& text) {
    edit->setText(text);
    emit edit->textEdited(text);
  }
  static void ClickCell(qt::ColorGrid* grid, int index, Qt::MouseButton button) {
    QTest::mouseClick(grid, button, {}, grid->CellRect(index).center());
  }

 private slots:
  void storedWindowsFontIsFoundThroughItsMapping() {
    Host h;
    RecordingBoxes boxes;
    auto dlg = OpenDialog(h, boxes);
    QCOMPARE(dlg->TabSheet_Editor1->ComboBox_Font->currentText(), QStringLiteral("ＭＳ ゴシック"));
    QVERIFY(dlg->TabSheet_Editor1->Label_FontNotFound->text().isEmpty());
    QCOMPARE(dlg->TabSheet_Editor1->SpinEdit_FontSize->value(), 12);
    // Only fonts that measure fixed pitch are offered.
    QVERIFY(dlg->TabSheet_Editor1->ComboBox_Font->findText(QStringLiteral("IPAGothic")) >= 0);
    QCOMPARE(dlg->TabSheet_Editor1->ComboBox_Font->findText(QStringLiteral("IPAPGothic")), -1);
    QCOMPARE(dlg->TabSheet_Editor1->ComboBox_Font->findText(QStringLiteral("DejaVu Sans")), -1);
  }

  void proportionalFontOpensWithNothingSelectedAndIsRefused() {
    Host h;
    h.global.DFont.Name = "DejaVu Sans";
    RecordingBoxes boxes;
    auto dlg = OpenDialog(h, boxes);
    QCOMPARE(dlg->TabSheet_Editor1->ComboBox_Font->currentIndex(), -1);
    QCOMPARE(dlg->TabSheet_Editor1->Label_FontNotFound->text(), QStringLiteral("DejaVu Sansが見つかりません"));
    dlg->Button_OK->click();
    QCOMPARE(boxes.errors, QStringList{QStringLiteral("フォントが選択されていません")});
    QCOMPARE(dlg->result(), int(QDialog::Rejected));
    QVERIFY(h.calls.isEmpty());  // nothing was stored
    // Choosing a font takes the note away and lets "登録" through.
    dlg->TabSheet_Editor1->ComboBox_Font->setCurrentIndex(
        dlg->TabSheet_Editor1->ComboBox_Font->findText(QStringLiteral("IPAGothic")));
    QVERIFY(dlg->TabSheet_Editor1->Label_FontNotFound->text().isEmpty());
    dlg->Button_OK->click();
    QCOMPARE(boxes.errors.size(), 1);
    QCOMPARE(dlg->result(), int(QDialog::Accepted));
    QCOMPARE(Unicode(dlg->Preview().Font().Name), QStringLiteral("IPAGothic"));
  }

  void fieldsAreCheckedInOrder() {
    Host h;
    RecordingBoxes boxes;
    auto dlg = OpenDialog(h, boxes);
    SpinText(dlg->TabSheet_Editor1->SpinEdit_WrapByte)->setText(QString());
    SpinText(dlg->TabSheet_Editor1->SpinEdit_FontSize)->setText(QString());
    dlg->Button_OK->click();
    SpinText(dlg->TabSheet_Editor1->SpinEdit_FontSize)->setText(QStringLiteral("14"));
    dlg->Button_OK->click();
    SpinText(dlg->TabSheet_Editor1->SpinEdit_WrapByte)->setText(QStringLiteral("70"));
    dlg->TabSheet_Editor1->ComboBox_TabLength->setCurrentIndex(-1);
    dlg->Button_OK->click();
    dlg->TabSheet_Editor1->ComboBox_TabLength->setCurrentIndex(1);
    dlg->TabSheet_ListBox->ComboBox_ListFont->setCurrentIndex(-1);
    dlg->Button_OK->click();
    QCOMPARE(boxes.errors,
             (QStringList{QStringLiteral("フォントサイズが不正です"), QStringLiteral("折り返し文字数が不正です"),
                          QStringLiteral("タブ文字の長さが選択されていません"),
                          QStringLiteral("グループのリストボックスのフォントが選択されていません")}));
    QCOMPARE(dlg->result(), int(QDialog::Rejected));
  }

  void pageChangesRewriteTheFirstLineAndPageTwoAppliesEverything() {
    Host h;
    h.global.DEditorViewInfo.SetCommenter("#");
    RecordingBoxes boxes;
    auto dlg = OpenDialog(h, boxes);
    editor::EditorModel& preview = dlg->Preview();
    QCOMPARE(Unicode(preview.Lines().Get(0)), QStringLiteral("#コメント"));
    QCOMPARE(Unicode(preview.Lines().Get(4)), QStringLiteral("（ここに書き込めます）"));

    dlg->TabSheet_Editor1->SpinEdit_WrapByte->setValue(42);
    dlg->TabSheet_Editor3->Edit_Commenter->setText(QStringLiteral("//"));
    QCOMPARE(preview.WrapOption().WrapByte(), 60);  // not yet: page one is applied with page two
    dlg->PageControl->setCurrentIndex(qt::pgEditor3);
    QCOMPARE(Unicode(preview.Lines().Get(0)), QStringLiteral("//コメント"));
    QCOMPARE(preview.WrapOption().WrapByte(), 60);
    dlg->PageControl->setCurrentIndex(qt::pgEditor2);
    QCOMPARE(preview.WrapOption().WrapByte(), 42);
    QCOMPARE(preview.View().Commenter(), std::string("//"));
  }

  void markBoxesReachThePreviewOnlyAfterInitialising() {
    Host h;
    RecordingBoxes boxes;
    auto dlg = OpenDialog(h, boxes);
    editor::EditorModel& preview = dlg->Preview();
    QVERIFY(dlg->Initialising());
    QCheckBox* ruler = dlg->TabSheet_Editor2->CheckBox_Mark[static_cast<size_t>(MarkBox::Ruler)];
    QVERIFY(ruler->isChecked());
    ruler->setChecked(false);
    QVERIFY(preview.Ruler().Visible());
    dlg->PageControl->setCurrentIndex(qt::pgEditor2);
    QVERIFY(!dlg->Initialising());
    QVERIFY(!preview.Ruler().Visible());  // page two applied the box's state
    QCheckBox* logical = dlg->TabSheet_Editor2->CheckBox_Mark[static_cast<size_t>(MarkBox::LogicalLines)];
    logical->setChecked(true);
    QCOMPARE(preview.Leftbar().ShowNumberMode(), editor::nmLine);
    dlg->TabSheet_Editor2->CheckBox_Mark[static_cast<size_t>(MarkBox::EofMark)]->setChecked(true);
    QVERIFY(preview.Marks().EofMark().Visible());
  }

  void colourEntriesEnableTheirControls() {
    Host h;
    RecordingBoxes boxes;
    auto dlg = OpenDialog(h, boxes);
    QCOMPARE(dlg->TabSheet_Editor2->ListBox_Color->count(), 14);
    QCOMPARE(dlg->ColorEntry(), int(ceWhole));
    // "全体": text and background, no style.
    QVERIFY(dlg->TabSheet_Editor2->ColorGrid1->FgEnabled());
    QVERIFY(dlg->TabSheet_Editor2->ColorGrid1->BgEnabled());
    for (QCheckBox* c : dlg->TabSheet_Editor2->CheckBox_Style) QVERIFY(!c->isEnabled());
    QCOMPARE(dlg->TabSheet_Editor2->ColorGrid1->FgMark(), GridIndex(store::clBlack));
    QCOMPARE(dlg->TabSheet_Editor2->ColorGrid1->BgMark(), GridIndex(store::clWhite));
    // "改行文字": text colour only.
    dlg->TabSheet_Editor2->ListBox_Color->setCurrentRow(ceRetMark);
    QVERIFY(dlg->TabSheet_Editor2->ColorGrid1->FgEnabled());
    QVERIFY(!dlg->TabSheet_Editor2->ColorGrid1->BgEnabled());
    QCOMPARE(dlg->TabSheet_Editor2->ColorGrid1->BgMark(), -1);
    for (QCheckBox* c : dlg->TabSheet_Editor2->CheckBox_Style) QVERIFY(!c->isEnabled());
    // "メールアドレス": all three; no background colour shows as a BG tag on "（色なし）".
    dlg->TabSheet_Editor2->ListBox_Color->setCurrentRow(ceMail);
    QVERIFY(dlg->TabSheet_Editor2->ColorGrid1->BgEnabled());
    for (QCheckBox* c : dlg->TabSheet_Editor2->CheckBox_Style) QVERIFY(c->isEnabled());
    QVERIFY(dlg->TabSheet_Editor2->Panel_NoColor->BgTag());
    QVERIFY(!dlg->TabSheet_Editor2->Panel_NoColor->FgTag());
  }

  void gridPanelsAndStylesChangeThePreviewAtOnce() {
    Host h;
    RecordingBoxes boxes;
    auto dlg = OpenDialog(h, boxes);
    editor::EditorModel& preview = dlg->Preview();
    dlg->TabSheet_Editor2->ListBox_Color->setCurrentRow(ceRetMark);
    ClickCell(dlg->TabSheet_Editor2->ColorGrid1, GridIndex(store::clRed), Qt::LeftButton);
    QCOMPARE(preview.Marks().RetMark().Color(), store::clRed);
    QCOMPARE(dlg->TabSheet_Editor2->ColorGrid1->FgMark(), GridIndex(store::clRed));
    ClickCell(dlg->TabSheet_Editor2->ColorGrid1, GridIndex(store::clBlue), Qt::RightButton);  // no background here
    QCOMPARE(preview.Marks().RetMark().Color(), store::clRed);
    QCOMPARE(dlg->TabSheet_Editor2->ColorGrid1->BgMark(), -1);

    dlg->TabSheet_Editor2->ListBox_Color->setCurrentRow(ceUrl);
    ClickCell(dlg->TabSheet_Editor2->ColorGrid1, GridIndex(store::clYellow), Qt::RightButton);
    QCOMPARE(preview.View().Colors().Url.BkColor(), store::clYellow);
    QTest::mouseClick(dlg->TabSheet_Editor2->Panel_NoColor, Qt::LeftButton);
    QCOMPARE(preview.View().Colors().Url.Color(), store::clNone);
    QVERIFY(dlg->TabSheet_Editor2->Panel_NoColor->FgTag());
    boxes.colour = QColor(0x12, 0x34, 0x56);
    QTest::mouseClick(dlg->TabSheet_Editor2->Panel_OtherColor, Qt::RightButton);
    QCOMPARE(boxes.colourDialogs, 1);
    QCOMPARE(preview.View().Colors().Url.BkColor(), store::TColor(0x563412));
    QVERIFY(dlg->TabSheet_Editor2->Panel_OtherColor->BgTag());
    QCOMPARE(dlg->TabSheet_Editor2->ColorGrid1->BgMark(), -1);
    boxes.colour.reset();  // cancelled: nothing changes
    QTest::mouseClick(dlg->TabSheet_Editor2->Panel_OtherColor, Qt::LeftButton);
    QCOMPARE(preview.View().Colors().Url.Color(), store::clNone);

    dlg->TabSheet_Editor2->CheckBox_Style[0]->click();  // 太字
    dlg->TabSheet_Editor2->CheckBox_Style[3]->click();  // 打ち消し線
    QCOMPARE(preview.View().Colors().Url.Style(), uint8_t(store::fsBold | store::fsStrikeOut));
    dlg->TabSheet_Editor2->CheckBox_Style[0]->click();
    QCOMPARE(preview.View().Colors().Url.Style(), uint8_t(store::fsStrikeOut));

    // "全体" is the font colour and the background.
    dlg->TabSheet_Editor2->ListBox_Color->setCurrentRow(ceWhole);
    ClickCell(dlg->TabSheet_Editor2->ColorGrid1, GridIndex(store::clNavy), Qt::LeftButton);
    ClickCell(dlg->TabSheet_Editor2->ColorGrid1, GridIndex(store::clSilver), Qt::RightButton);
    QCOMPARE(preview.Font().Color, store::clNavy);
    QCOMPARE(preview.Color(), store::clSilver);
  }

  void bracketButtonsNeedTwoDifferentTexts() {
    Host h;
    RecordingBoxes boxes;
    auto dlg = OpenDialog(h, boxes);
    QVERIFY(!dlg->TabSheet_Editor3->Button_BracketAdd->isEnabled());
    QVERIFY(!dlg->TabSheet_Editor3->Button_BracketDelete->isEnabled());
    QTest::keyClicks(dlg->TabSheet_Editor3->Edit_LeftBracket, QStringLiteral(" ["));
    QCOMPARE(dlg->TabSheet_Editor3->Edit_LeftBracket->text(), QStringLiteral("["));  // trimmed as typed
    QVERIFY(!dlg->TabSheet_Editor3->Button_BracketAdd->isEnabled());
    QVERIFY(!dlg->TabSheet_Editor3->Button_BracketChange->isEnabled());
    QTest::keyClicks(dlg->TabSheet_Editor3->Edit_RightBracket, QStringLiteral("["));
    QVERIFY(!dlg->TabSheet_Editor3->Button_BracketAdd->isEnabled());  // equal texts
    QTest::keyClick(dlg->TabSheet_Editor3->Edit_RightBracket, Qt::Key_Backspace);
    QTest::keyClicks(dlg->TabSheet_Editor3->Edit_RightBracket, QStringLiteral("] "));
    QCOMPARE(dlg->TabSheet_Editor3->Edit_RightBracket->text(), QStringLiteral("]"));
    QVERIFY(dlg->TabSheet_Editor3->Button_BracketAdd->isEnabled());
    QVERIFY(!dlg->TabSheet_Editor3->Button_BracketChange->isEnabled());  // no pair selected
  }

  void bracketPairsRebuildTheColourList() {
    Host h;
    RecordingBoxes boxes;
    auto dlg = OpenDialog(h, boxes);
    dlg->TabSheet_Editor2->ListBox_Color->setCurrentRow(ceComment);
    Type(dlg->TabSheet_Editor3->Edit_LeftBracket, QStringLiteral("「"));
    Type(dlg->TabSheet_Editor3->Edit_RightBracket, QStringLiteral("」"));
    dlg->TabSheet_Editor3->Button_BracketAdd->click();
    QCOMPARE(dlg->TabSheet_Editor3->ListBox_Brackets->count(), 1);
    QCOMPARE(dlg->TabSheet_Editor3->ListBox_Brackets->item(0)->text(), QStringLiteral("「 」"));
    QCOMPARE(dlg->TabSheet_Editor2->ListBox_Color->count(), 15);
    QCOMPARE(dlg->TabSheet_Editor2->ListBox_Color->item(14)->text(), QStringLiteral("強調表示(1)   「 」"));
    QCOMPARE(dlg->ColorEntry(), int(ceWhole));  // back to "全体"
    QCOMPARE(dlg->Preview().View().Brackets().ItemCount(), 1);

    Type(dlg->TabSheet_Editor3->Edit_LeftBracket, QStringLiteral("("));
    Type(dlg->TabSheet_Editor3->Edit_RightBracket, QStringLiteral(")"));
    dlg->TabSheet_Editor3->Button_BracketAdd->click();
    // A click on a pair copies its texts into the fields.
    dlg->TabSheet_Editor3->ListBox_Brackets->setCurrentRow(0);
    QCOMPARE(dlg->TabSheet_Editor3->Edit_LeftBracket->text(), QStringLiteral("「"));
    QCOMPARE(dlg->TabSheet_Editor3->Edit_RightBracket->text(), QStringLiteral("」"));
    QVERIFY(dlg->TabSheet_Editor3->Button_BracketChange->isEnabled());
    Type(dlg->TabSheet_Editor3->Edit_LeftBracket, QStringLiteral("『"));
    Type(dlg->TabSheet_Editor3->Edit_RightBracket, QStringLiteral("』"));
    dlg->TabSheet_Editor3->Button_BracketChange->click();
    QCOMPARE(dlg->TabSheet_Editor2->ListBox_Color->item(14)->text(), QStringLiteral("強調表示(1)   『 』"));
    dlg->TabSheet_Editor3->ListBox_Brackets->setCurrentRow(0);
    dlg->TabSheet_Editor3->Button_BracketDelete->click();
    QCOMPARE(dlg->TabSheet_Editor3->ListBox_Brackets->count(), 1);
    QCOMPARE(dlg->TabSheet_Editor2->ListBox_Color->item(14)->text(), QStringLiteral("強調表示(1)   ( )"));
    QVERIFY(!dlg->TabSheet_Editor3->Button_BracketDelete->isEnabled());
  }

  void reservedWordsAndQuotationReachThePreviewOnOk() {
    Host h;
    h.global.DReserveWordList = {"begin"};
    RecordingBoxes boxes;
    auto dlg = OpenDialog(h, boxes);
    QCOMPARE(Unicode(dlg->TabSheet_Editor3->Editor_ReserveWord->Model().Text()), QStringLiteral("begin"));
    dlg->TabSheet_Editor3->Editor_ReserveWord->Model().SetText(Cp932(QStringLiteral("begin\r\n\r\n予約\r\nend")));
    dlg->TabSheet_Editor3->Edit_Quotation->setText(QStringLiteral("'"));
    dlg->Button_OK->click();
    QCOMPARE(dlg->result(), int(QDialog::Accepted));
    QCOMPARE(dlg->Preview().ReserveWordList().size(), size_t(3));
    QCOMPARE(dlg->Preview().View().Quotation(), std::string("'"));
  }
};

QTEST_MAIN(EditorPagesTest)
#include "editor_pages_test.moc"
