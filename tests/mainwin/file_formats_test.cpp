// The file formats of the file commands: the exchange file's header and its checks on reading,
// the export name, text files written from lines and read in as item texts, names between items
// and files, and where "$temp.txt" goes.
#include <gtest/gtest.h>

#include <filesystem>

#include "fixture.h"
#include "mainwin/fileexchange.h"
#include "store/errors.h"

using namespace mainwin;
using mwtest::Sjis;

namespace {

// An item file as the program writes it: two items and the group's settings.
std::string SampleItemFile(const std::string& dataDir) {
  mwtest::Seed(dataDir, {{"G", {{"一", "本文\r\n二行目"}, {"two", "b"}}, 1}});
  store::DataFolder folder(dataDir);
  store::TRootComponent_Item current(folder, editorsettings::EditorSettingsFactory());
  store::TRootComponent_Group groups(folder, editorsettings::EditorSettingsFactory(), current);
  groups.LoadFromFile("group.bin");
  return mwtest::ReadAll(dataDir + groups.ItemFileName(0));
}

std::string Le32(uint32_t v) {
  std::string s;
  for (int k = 0; k < 4; ++k) s.push_back(static_cast<char>((v >> (8 * k)) & 0xFF));
  return s;
}

TEST(ExchangeFile, HeaderOfThreeDoubleByteCharactersHasLengthSeven) {
  const std::string name = Sjis("日本語");
  ASSERT_EQ(name.size(), 6u);
  const std::string h = ExchangeHeader(name, store::clRed);
  EXPECT_EQ(h, Le32(7) + name + std::string(1, '\0') + Le32(0x0000FF));
  EXPECT_EQ(h.size(), 8u + 7u);
  // A system colour keeps all 32 bits.
  EXPECT_EQ(ExchangeHeader("a", store::clSystemBase + 5).substr(6), Le32(0x80000005u));
}

TEST(ExchangeFile, ReadsBackWhatWasWritten) {
  mwtest::TempDir dir;
  const std::string items = SampleItemFile(dir.Data());
  const ExchangeGroup g = ParseExchangeFile(ExchangeHeader(Sjis("仕事"), store::clNavy) + items);
  EXPECT_EQ(g.name, Sjis("仕事"));
  EXPECT_EQ(g.colour, store::clNavy);
  EXPECT_EQ(g.itemFile, items);
  // The name ends at its NUL even when the L bytes go on.
  const ExchangeGroup cut = ParseExchangeFile(Le32(4) + std::string("ab\0x", 4) + Le32(1) + items);
  EXPECT_EQ(cut.name, "ab");
  EXPECT_EQ(cut.colour, 1);
}

TEST(ExchangeFile, RefusesFilesThatAreTruncatedOrForeign) {
  mwtest::TempDir dir;
  const std::string items = SampleItemFile(dir.Data());
  const std::string header = ExchangeHeader("G", 0);
  struct Case {
    const char* what;
    std::string bytes;
  };
  const Case cases[] = {
      {"empty", ""},
      {"shorter than L", std::string("\x02\x00\x00", 3)},
      {"L of zero", Le32(0) + Le32(0) + items},
      {"L past the end", Le32(1000) + "G"},
      {"no colour", Le32(2) + std::string("G\0", 2) + "\x01\x02"},
      {"no item file", header},
      {"text instead of an item file", header + "just some text\r\n"},
      {"item file cut short", header + items.substr(0, items.size() / 2)},
      {"a text file", "memo of the day\r\nsecond line\r\n"},
  };
  for (const Case& c : cases) {
    EXPECT_THROW(ParseExchangeFile(c.bytes), store::StreamError) << c.what;
  }
  EXPECT_NO_THROW(CheckItemFile(items));
}

TEST(ExchangeFile, ExportNameGetsTheExchangeExtension) {
  const std::pair<const char*, const char*> cases[] = {
      {"/home/u/out.txt", "/home/u/out.sted"},     {"/home/u/0001ABCD", "/home/u/0001ABCD.sted"},
      {"/home/u.d/plain", "/home/u.d/plain.sted"}, {"/home/u/a.tar.gz", "/home/u/a.tar.sted"},
      {"/home/u/x.sted", "/home/u/x.sted"},
  };
  for (const auto& [chosen, target] : cases) EXPECT_EQ(ExchangeFilePath(chosen), target) << chosen;
}

TEST(TextFiles, LinesEachEndWithCrLf) {
  EXPECT_EQ(JoinLines({"a", "b", "c"}), "a\r\nb\r\nc\r\n");
  EXPECT_EQ(JoinLines({"", "x"}), "\r\nx\r\n");
  EXPECT_EQ(JoinLines({}), "");
}

TEST(TextFiles, FileBytesBecomeItemTexts) {
  struct Case {
    const char* what;
    std::string bytes, text;
    int replaced;
    bool utf8;
  };
  const Case cases[] = {
      {"code page 932 unchanged", Sjis("日本語\r\nかな"), Sjis("日本語\r\nかな"), 0, false},
      {"plain ASCII", "abc\ndef", "abc\ndef", 0, false},
      {"Ctrl-Z ends the text",
       "abc\x1A"
       "def",
       "abc", 0, false},
      {"UTF-8 converted", "日本語\r\nかな", Sjis("日本語\r\nかな"), 0, true},
      {"UTF-8 with a byte-order mark",
       "\xEF\xBB\xBF"
       "abc",
       "abc", 0, true},
      {"characters code page 932 lacks",
       "a\xF0\x9F\x98\x80"
       "b\xC3\xA9",
       "a?b?", 2, true},
      {"invalid UTF-8 is code page 932", "\x82\xA0\xE3\x81", "\x82\xA0\xE3\x81", 0, false},
  };
  for (const Case& c : cases) {
    const ItemTextFromFile r = TextForItem(c.bytes);
    EXPECT_EQ(r.text, c.text) << c.what;
    EXPECT_EQ(r.replaced, c.replaced) << c.what;
    EXPECT_EQ(r.fromUtf8, c.utf8) << c.what;
  }
}

TEST(TextFiles, ReadingAndWritingWholeFiles) {
  mwtest::TempDir dir;
  const std::string path = dir.Path() + "/t.txt";
  WriteFileBytes(path, std::string("a\0b\r\n", 5));
  EXPECT_EQ(ReadFileBytes(path), std::string("a\0b\r\n", 5));
  EXPECT_TRUE(IsFile(path));
  EXPECT_FALSE(IsFile(dir.Path()));
  EXPECT_FALSE(IsFile(dir.Path() + "/missing"));
  EXPECT_THROW(ReadFileBytes(dir.Path() + "/missing"), store::StreamError);
  EXPECT_THROW(ReadFileBytes(dir.Path()), store::StreamError);
  EXPECT_THROW(WriteFileBytes(dir.Path() + "/no/such/folder/t.txt", "x"), store::StreamError);
  // Only the file itself is left: no temporary beside it.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

TEST(Names, BetweenItemsAndFiles) {
  const ItemNameFromFile n = ItemNameForFile("/tmp/フォルダ/メモ.txt");
  EXPECT_EQ(n.name, Sjis("メモ.txt"));
  EXPECT_EQ(n.replaced, 0);
  const ItemNameFromFile e = ItemNameForFile(
      "/tmp/\xF0\x9F\x98\x80"
      "x.md");
  EXPECT_EQ(e.name, "?x.md");
  EXPECT_EQ(e.replaced, 1);
  EXPECT_EQ(FileNameOf("plain"), "plain");
  EXPECT_EQ(FileNameForItem(Sjis("予定/来週")), "予定_来週");
  EXPECT_EQ(FileNameForItem(Sjis("買い物")), "買い物");
  for (const char* p : {"/d/link.lnk", "/d/LINK.LNK", "/d/a.Lnk"}) EXPECT_TRUE(IsShortcut(p)) << p;
  for (const char* p : {"/d/a.txt", "/d/lnk", "/d/a.lnk.txt", "/d.lnk/a"}) EXPECT_FALSE(IsShortcut(p)) << p;
}

TEST(OutsideEditor, BesideTheDataFolderUnlessThatFolderCannotBeWritten) {
  mwtest::TempDir dir;
  EXPECT_EQ(OutsideEditorFile(dir.Path() + "/UserData/"), dir.Path() + "/$temp.txt");
  EXPECT_EQ(OutsideEditorFile(dir.Path() + "/UserData"), dir.Path() + "/$temp.txt");
  // A folder that cannot exist (below a file) stands for one the user cannot write.
  mwtest::WriteAll(dir.Path() + "/file", "x");
  EXPECT_EQ(OutsideEditorFile(dir.Path() + "/file/bin/UserData/"), dir.Path() + "/file/bin/UserData/$temp.txt");
}

}  // namespace
