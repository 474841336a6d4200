// The QString bridge: code page 932 both ways with the count of characters it cannot hold, and
// message texts whose CR LF line breaks Qt shows as LF.
#include <gtest/gtest.h>

#include "codec/qt/qtcp932.h"

namespace {

TEST(QtCp932, TextCrossesBothWaysAndCountsWhatCannotBeHeld) {
  const std::string memo = "\x83\x81\x83\x82 abc \x81\x40\r\n";  // "メモ abc 　" and CR LF
  const QString text = codec::qt::FromCp932(memo);
  EXPECT_EQ(text, QString::fromUtf8("メモ abc 　\r\n"));
  EXPECT_EQ(codec::qt::ToCp932(text), memo);
  // An emoji (two UTF-16 units) and a Hangul syllable: one "?" each.
  const codec::Encoded e = codec::qt::ToCp932Counted(QString::fromUtf8("a😀b한"));
  EXPECT_EQ(e.bytes, "a?b?");
  EXPECT_EQ(e.replaced, 2);
  EXPECT_EQ(codec::qt::FromCp932("\x82"), QString(QChar(0xFFFD)));
}

TEST(QtCp932, MessageTextsBreakOnLfAlone) {
  EXPECT_EQ(codec::qt::MessageText("保存できません\r\n\r\n理由"), QString::fromUtf8("保存できません\n\n理由"));
  EXPECT_EQ(codec::qt::MessageText(std::string_view("a\rb\nc", 5)), QStringLiteral("a\rb\nc"));
}

}  // namespace
