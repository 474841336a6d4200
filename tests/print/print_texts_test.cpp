// Header and footer placeholders, the paper table and printer information, and the lines of a
// group's items.
#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "codec/cp932.h"
#include "print/grouplines.h"
#include "print/headerfooter.h"
#include "print/paper.h"

using namespace print;

namespace {

std::string Sjis(const char* utf8) { return codec::Utf8ToCp932(utf8).bytes; }

TEST(HeaderFooter, Placeholders) {
  HeaderFooterValues v;
  const std::string file = Sjis("C:\\メモ\\表.txt");  // 表 ends in byte 0x5C
  const std::string group = Sjis("仕事");
  v.fileName = file;
  v.groupName = group;
  v.page = 12;
  v.now = {2024, 3, 5, 9, 7, 3};
  struct Case {
    const char* in;
    std::string out;
  };
  for (const Case& c : {Case{"%y/%m/%d %t", "2024/3/5 9:07:03"}, Case{"-%p-", "-12-"}, Case{"%g", group},
                        Case{"%f", file}, Case{"%F", Sjis("表.txt")}, Case{"100%%", "100%"}, Case{"%x%", "x%"},
                        Case{"%", "%"}, Case{"", ""}, Case{"a%", "a%"}, Case{"%P", "P"}}) {
    EXPECT_EQ(ExpandHeaderFooter(c.in, v), c.out) << c.in;
  }
  // A double-byte character after "%" stands for itself, whole.
  EXPECT_EQ(ExpandHeaderFooter(Sjis("%表%p"), v), Sjis("表12"));
  // A trail byte that looks like "%" or "p" never starts a placeholder: ポ is 83 7C, プ 83 76.
  EXPECT_EQ(ExpandHeaderFooter(Sjis("プ%p"), v), Sjis("プ12"));
  // A lead byte cut off at the end is copied and nothing is read past the text.
  EXPECT_EQ(ExpandHeaderFooter(std::string_view("ab%\x82", 4), v), "ab\x82");
}

TEST(HeaderFooter, FileNameWithoutDirectory) {
  EXPECT_EQ(FileNameWithoutDirectory("a/b/c.txt"), "c.txt");
  EXPECT_EQ(FileNameWithoutDirectory("dir\\x"), "x");
  EXPECT_EQ(FileNameWithoutDirectory("plain"), "plain");
  // "表" is 95 5C: its second byte is no separator.
  EXPECT_EQ(FileNameWithoutDirectory(Sjis("表")), Sjis("表"));
}

TEST(PaperTableTest, SixtyEightIdsWithTheirSizes) {
  const auto table = PaperTable();
  ASSERT_EQ(table.size(), 68u);
  EXPECT_EQ(table[0].name, "DMPAPER_LETTER");
  EXPECT_EQ(table[1].name, "DMPAPER_LETTERSMALL");
  EXPECT_EQ(table[2].name, "DMPAPER_TABLOID");
  EXPECT_EQ(table[8].name, "DMPAPER_A4");
  EXPECT_EQ(table[8].width, 210);
  EXPECT_EQ(table[8].height, 297);
  EXPECT_EQ(table[47].name, "DMPAPER_RESERVED_48");
  EXPECT_EQ(table[48].name, "DMPAPER_RESERVED_49");
  for (int i : {47, 48}) {
    EXPECT_EQ(table[i].width, 100);
    EXPECT_EQ(table[i].height, 100);
  }
  EXPECT_EQ(table[65].name, "DMPAPER_A2");
  EXPECT_EQ(table[66].name, "DMPAPER_A3_TRANSVERSE");
  EXPECT_EQ(table[67].name, "DMPAPER_A3_EXTRA_TRANSVERSE");
  std::set<std::string_view> names;
  for (const auto& e : table) {
    EXPECT_TRUE(e.name.starts_with("DMPAPER_"));
    EXPECT_GT(e.width, 0);
    EXPECT_GT(e.height, 0);
    names.insert(e.name);
  }
  EXPECT_EQ(names.size(), 68u);

  EXPECT_EQ(PaperIdBySize(210, 297), 9);
  EXPECT_EQ(PaperIdBySize(297.4, 210.3), 9);  // either orientation
  EXPECT_EQ(PaperIdBySize(257, 364), 0);      // JIS B4 proper is not in the table
  EXPECT_EQ(PaperIdBySize(182, 257), 13);     // JIS B5
  EXPECT_EQ(PaperIdBySize(100, 148), 43);     // postcard
}

class FakeDriver : public PrinterDriver {
 public:
  int index = 0;
  std::string name = "LaserJet";
  std::optional<int> paper = 9;
  bool fails = false;
  std::vector<TPaperItem> papers;
  mutable int queries = 0;

  int PrinterIndex() const override { return index; }
  std::string PrinterName() const override { return name; }
  std::optional<int> PaperId() const override { return paper; }
  bool QueryPapers(std::vector<TPaperItem>& out) const override {
    ++queries;
    if (fails) {
      out.push_back({"half", 1, 1, 1});
      return false;
    }
    out = papers;
    return true;
  }
};

TEST(PrinterInfo, NameAndPaperFromThePrinterOrTheTable) {
  TStringsPrinterInfo info;
  // No printer at all.
  EXPECT_EQ(info.PrinterName(), "不明");
  EXPECT_EQ(info.PaperId(), 9);
  EXPECT_EQ(info.PaperName(), "DMPAPER_A4");
  EXPECT_EQ(info.PaperSize(), (PaperSizeMm{210, 297}));

  FakeDriver d;
  d.papers = {{"A4 (the printer's own)", 210, 297, 9}, {"Hagaki", 100, 148, 300}};
  info.SetDriver(&d);
  EXPECT_EQ(info.PrinterName(), "LaserJet");
  EXPECT_EQ(info.PaperName(), "A4 (the printer's own)");
  d.paper = 300;  // an id only the printer knows
  EXPECT_EQ(info.PaperName(), "Hagaki");
  EXPECT_EQ(info.PaperSize(), (PaperSizeMm{100, 148}));
  d.paper = 11;  // not in the printer's list: the table
  EXPECT_EQ(info.PaperName(), "DMPAPER_A5");
  d.paper = 500;  // nowhere
  EXPECT_EQ(info.PaperName(), "");
  EXPECT_EQ(info.PaperSize(), (PaperSizeMm{0, 0}));
  d.paper.reset();  // no device settings: A4
  EXPECT_EQ(info.PaperId(), 9);
  d.name.clear();
  EXPECT_EQ(info.PrinterName(), "不明");
}

TEST(PrinterInfo, PaperListIsRebuiltOnlyWhenThePrinterChangesAndEmptiedOnFailure) {
  TStringsPrinterInfo info;
  FakeDriver d;
  d.papers = {{"One", 10, 20, 1}};
  info.SetDriver(&d);
  EXPECT_EQ(info.Papers().Count(), 1);
  EXPECT_EQ(info.Papers().Count(), 1);
  EXPECT_EQ(d.queries, 1);
  d.index = 1;
  d.fails = true;
  EXPECT_EQ(info.Papers().Count(), 0);
  EXPECT_EQ(d.queries, 2);
  EXPECT_EQ(info.RefreshedPrinterIndex(), 1);
}

TEST(PrinterInfo, PaperNamesAreCutTo64BytesOnACharacterBoundary) {
  TPaperItemList list;
  list.Add({std::string(63, 'a') + Sjis("紙"), 1, 1, 1});
  EXPECT_EQ(list[0].Name, std::string(63, 'a'));
  list.Add({std::string(70, 'b'), 1, 1, 2});
  EXPECT_EQ(list[1].Name.size(), 64u);
}

TEST(GroupLines, ItemsFollowEachOtherAndATrailingBreakLeavesOneEmptyLine) {
  EXPECT_EQ(GroupItemLines({"a", "b\r\n", "c"}), (std::vector<std::string>{"a", "b", "", "c"}));
  EXPECT_EQ(GroupItemLines({"one\r\ntwo", "", "x\ny\rz"}), (std::vector<std::string>{"one", "two", "", "x", "y", "z"}));
  EXPECT_TRUE(GroupItemLines({}).empty());
}

}  // namespace
