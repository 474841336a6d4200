// Input-method composition: laid out as if inserted at the caret (or in place of a selection),
// wrapping with the rows' rules, kept out of the document and the undo list until the commit;
// the commit with the input method's replacement; the text the input method reads.
#include <gtest/gtest.h>

#include <string>

#include "fake_viewport.h"

namespace editor::testing {
namespace {

const std::string kNihongo = "\x93\xFA\x96\x7B\x8C\xEA";                    // 日本語
const std::string kNoBun = "\x82\xCC\x95\xB6";                              // の文
const std::string kShouDesu = "\x8F\xCD\x82\xC5\x82\xB7\x81\x42";           // 章です。
const std::string kAtarashii = "\x82\xA0\x82\xBD\x82\xE7\x82\xB5\x82\xA2";  // あたらしい

std::string Painted(const EditorModel& m, int row) { return std::string(m.PaintInfo(row).text); }

TEST(Composition, MidLinePushesTheRestOfTheRowAndStaysOutOfTheDocument) {
  const std::string text = kNihongo + kNoBun + kShouDesu + "\r\nnext";
  Editor e(text);
  e.model.SetRowCol(0, 10);
  e.view.ShowScreen(e.model);
  const uint64_t revision = e.model.Document().TextRevision();
  e.model.SetComposition(kAtarashii, 6);  // cursor after あたら
  EXPECT_TRUE(e.model.Composing());
  EXPECT_EQ(Painted(e.model, 0), kNihongo + kNoBun + kAtarashii + kShouDesu);
  const RowPaintInfo info = e.model.PaintInfo(0);
  EXPECT_EQ(info.composition_start, 10);
  EXPECT_EQ(info.composition_end, 20);
  EXPECT_EQ(info.composition_offset, 0);
  EXPECT_EQ(Painted(e.model, 1), "next");
  // The input method's cursor is the caret, for painting and for the candidate window.
  EXPECT_EQ(e.model.CaretRect().x, e.model.ColX(16));
  EXPECT_EQ(e.model.CaretRect().y, e.model.RowY(0));
  e.view.Flush();
  EXPECT_EQ(e.view.screen, e.view.FreshScreen());
  // Nothing of it is in the document, the undo list or Modified.
  EXPECT_EQ(e.Text(), text);
  EXPECT_EQ(e.model.Document().TextRevision(), revision);
  EXPECT_EQ(e.UndoEntries(), 0u);
  EXPECT_FALSE(e.model.Modified());
  EXPECT_EQ(e.view.changes, 0);
  // Cursor hidden: the caret is not shown, but its place still counts.
  e.model.SetComposition(kAtarashii, 0, false);
  EXPECT_FALSE(e.model.CaretRect().visible);
  EXPECT_EQ(e.model.CaretRect().x, e.model.ColX(10));

  e.model.CommitComposition("\x90\x56\x82\xB5\x82\xA2");  // 新しい
  EXPECT_FALSE(e.model.Composing());
  EXPECT_EQ(e.Text(), kNihongo + kNoBun + "\x90\x56\x82\xB5\x82\xA2" + kShouDesu + "\r\nnext");
  EXPECT_EQ(e.Caret(), (Position{0, 16}));
  EXPECT_EQ(e.UndoEntries(), 1u);
  EXPECT_TRUE(e.model.Modified());
  e.view.Flush();
  EXPECT_EQ(e.view.screen, e.view.FreshScreen());
  e.model.Undo();
  EXPECT_EQ(e.Text(), text);
}

TEST(Composition, WrapsWithTheRowsAndMovesTheRowsBelow) {
  const std::string digits = "01234567890123456789";
  Editor e(digits + "abc\r\nlast\r\nz", 6);
  e.model.SetWordWrap(true);
  e.model.WrapOption().SetWrapByte(20);
  ASSERT_EQ(e.model.RowCount(), 4);
  e.model.SetRowCol(1, 3);  // end of the wrapped line
  e.model.Leftbar().SetVisible(true);
  e.model.Leftbar().SetShowNumberMode(nmLine);
  e.view.ShowScreen(e.model);
  e.model.SetComposition("XYZWVUTSRQPONMLKJIH12", 21);
  ASSERT_EQ(e.model.PaintRowCount(), 5);
  EXPECT_EQ(Painted(e.model, 0), digits);
  EXPECT_EQ(Painted(e.model, 1), "abcXYZWVUTSRQPONMLKJ");
  EXPECT_EQ(e.model.PaintInfo(1).attr, rowWrapped);
  EXPECT_EQ(Painted(e.model, 2), "IH12");
  EXPECT_EQ(e.model.PaintInfo(2).composition_offset, 17);
  EXPECT_EQ(Painted(e.model, 3), "last");
  EXPECT_EQ(e.model.LineNumberText(3), "   2");
  EXPECT_EQ(e.model.LineNumberText(2), "");
  EXPECT_EQ(e.model.CaretRect().y, e.model.RowY(2));
  EXPECT_EQ(e.model.CaretRect().x, e.model.ColX(4));
  e.view.Flush();
  EXPECT_EQ(e.view.screen, e.view.FreshScreen());
  // Shorter again, then gone: the rows below come back up.
  e.model.SetComposition("XY", 2);
  e.view.Flush();
  EXPECT_EQ(e.view.screen, e.view.FreshScreen());
  e.model.CancelComposition();
  e.view.Flush();
  EXPECT_EQ(e.view.screen, e.view.FreshScreen());
  EXPECT_EQ(e.Text(), digits + "abc\r\nlast\r\nz");
  // Composing on the last visible row scrolls its new row into view.
  e.model.SetText("");
  for (int i = 0; i < 7; ++i) e.model.InsertText(std::string(15, 'd') + "\r\n");
  e.model.SetTopRow(0);
  e.model.SetRowCol(5, 15);
  ASSERT_EQ(e.model.VisibleRows(), 6);
  ASSERT_EQ(e.model.TopRow(), 0);
  e.view.Flush();
  e.model.SetComposition("abcdefgh", 8);
  EXPECT_EQ(e.model.PaintTopRow(), 1);
  EXPECT_TRUE(e.model.PaintInfo(6).caret_row);
  EXPECT_EQ(Painted(e.model, 6), "fgh");
  e.view.Flush();
  EXPECT_EQ(e.view.screen, e.view.FreshScreen());
}

TEST(Composition, StandsInForASelectionUntilTheCommitWhichIsOneUndoStep) {
  Editor e("hello world\r\nbye");
  e.model.Select({0, 6}, {1, 1});
  e.model.SetComposition("X", 1);
  EXPECT_EQ(Painted(e.model, 0), "hello Xye");
  EXPECT_FALSE(e.model.PaintInfo(0).selection.any);
  EXPECT_EQ(e.model.PaintRowCount(), 1);
  // Given up: the selection is back.
  e.model.CancelComposition();
  EXPECT_TRUE(e.model.Selected());
  EXPECT_EQ(e.model.SelText(), "world\r\nb");
  e.model.SetComposition("X", 1);
  e.model.CommitComposition("YZ");
  EXPECT_EQ(e.Text(), "hello YZye");
  EXPECT_EQ(e.UndoEntries(), 1u);
  e.model.Undo();
  EXPECT_EQ(e.Text(), "hello world\r\nbye");
  // A box cannot stand in one place: it is deleted when composing starts.
  Editor b("abcd\r\nefgh");
  b.model.SetBoxSelection(true);
  b.model.Select({0, 1}, {1, 3});
  b.model.SetComposition("X", 1);
  EXPECT_EQ(b.Text(), "ad\r\neh");
  EXPECT_EQ(Painted(b.model, 0), "aXd");
}

TEST(Composition, EndsWhenTheTextOrCaretChangesOtherwiseAndNeverWhenReadOnly) {
  Editor e("abc");
  e.model.SetReadOnly(true);
  e.model.SetComposition("x", 1);
  EXPECT_FALSE(e.model.Composing());
  e.model.SetReadOnly(false);
  e.model.SetComposition("x", 1);
  e.model.SetReadOnly(true);
  EXPECT_FALSE(e.model.Composing());
  e.model.CommitComposition("y");
  EXPECT_EQ(e.Text(), "abc");
  e.model.SetReadOnly(false);

  e.model.SetComposition("x", 1);
  e.Key(keys::kRight);
  EXPECT_FALSE(e.model.Composing());
  e.model.SetComposition("x", 1);
  e.model.SetText("other");
  EXPECT_FALSE(e.model.Composing());
  EXPECT_EQ(Painted(e.model, 0), "other");
}

TEST(Composition, AfterAFinalLineBreakItIsANewLastRow) {
  Editor e("ab\r\n");
  e.model.SetRowCol(1, 0);
  e.model.Leftbar().SetVisible(true);
  e.model.SetComposition("xy", 2);
  EXPECT_EQ(e.model.PaintRowCount(), 2);
  EXPECT_EQ(Painted(e.model, 1), "xy");
  EXPECT_EQ(e.model.PaintInfo(1).attr, rowTextEnd);
  EXPECT_EQ(e.model.LineNumberText(1), "   2");
  EXPECT_EQ(e.model.LineNumberText(2), "");
  e.model.CommitComposition("xy");
  EXPECT_EQ(e.Text(), "ab\r\nxy");
}

TEST(Composition, CommitReplacesSurroundingTextAsTheInputMethodCountsIt) {
  // Characters, not bytes: 日本語 is six bytes and three characters.
  Editor e(kNihongo + "\r\nx");
  e.model.SetRowCol(0, 6);
  e.model.CommitComposition("X", -2, 2);
  EXPECT_EQ(e.Text(),
            "\x93\xFA"
            "X\r\nx");
  EXPECT_EQ(e.Caret(), (Position{0, 3}));
  EXPECT_EQ(e.UndoEntries(), 1u);
  // With a selection it goes first and the caret stands at its start: 日[本]語, delete one before.
  Editor s(kNihongo);
  s.model.Select({0, 2}, {0, 4});
  s.model.SetComposition("\x82\xD9", 2);
  s.model.CommitComposition("Z", -1, 1);
  EXPECT_EQ(s.Text(), "Z\x8C\xEA");
  EXPECT_EQ(s.UndoEntries(), 1u);
  // Deleting only (an empty commit), and ranges cut at the line's ends.
  Editor d("abcdef\r\nnext");
  d.model.SetRowCol(0, 3);
  d.model.CommitComposition("", 1, 1);
  EXPECT_EQ(d.Text(), "abcdf\r\nnext");
  d.model.CommitComposition("", -10, 100);
  EXPECT_EQ(d.Text(), "\r\nnext");
}

TEST(Composition, SurroundingTextIsTheLogicalLineWithCaretAndAnchor) {
  const std::string letters = "abcdefghijklmnopqrst";
  Editor e("first\r\n" + kNihongo + letters + "\r\nlast");
  e.model.SetWordWrap(true);
  e.model.WrapOption().SetWrapByte(20);
  e.model.Select({1, 2}, {2, 2});  // 本語abc...n | op: across the wrap
  SurroundingText s = e.model.Surrounding();
  EXPECT_EQ(s.text, kNihongo + letters);
  EXPECT_EQ(s.anchor, 2);
  EXPECT_EQ(s.cursor, 22);
  // While composing, as it will read after the commit.
  e.model.SetComposition("\x82\xA0", 2);
  s = e.model.Surrounding();
  EXPECT_EQ(s.text,
            "\x93\xFA"
            "qrst");
  EXPECT_EQ(s.cursor, 2);
  EXPECT_EQ(s.anchor, 2);
  // A long line gives a window of whole characters around the caret.
  Editor l(std::string(3000, 'a') + kNihongo + std::string(3000, 'b'));
  l.model.SetWordWrap(true);
  l.model.WrapOption().SetWrapByte(100);
  ASSERT_EQ(l.model.RowText(30).substr(0, 6), kNihongo);
  l.model.SetRowCol(30, 2);
  s = l.model.Surrounding();
  EXPECT_LE(s.text.size(), 4100u);
  EXPECT_EQ(s.text.substr(static_cast<size_t>(s.cursor) - 4, 6), "aa" + kNihongo.substr(0, 4));
}

}  // namespace
}  // namespace editor::testing
