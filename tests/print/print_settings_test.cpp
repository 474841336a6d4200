// The printer's stored settings: clamping setters, Assign, the main window's initial values,
// print.bin and the Fountain reference.
#include <gtest/gtest.h>

#include <unistd.h>
#include <filesystem>
#include <fstream>

#include "codec/cp932.h"
#include "editor/fountain.h"
#include "print/stringsprinter.h"
#include "store/bytestream.h"
#include "store/datafolder.h"
#include "store/stream.h"

using namespace print;

namespace {

class TempFolder {
 public:
  TempFolder() {
    std::string t = (std::filesystem::temp_directory_path() / "sorame-print-XXXXXX").string();
    path_ = mkdtemp(t.data());
  }
  ~TempFolder() { std::filesystem::remove_all(path_); }
  std::string Path() const { return path_ + "/"; }

 private:
  std::string path_;
};

TEST(PrintSettings, ClampingSetters) {
  struct Case {
    int in, tabs;
  };
  // Clamped to 2..8, then down to an even count.
  for (Case c : {Case{3, 2}, {9, 8}, {1, 2}, {5, 4}, {7, 6}, {-4, 2}, {100, 8}}) {
    TStringsPrinter p;
    p.SetTabSpaceCount(c.in);
    EXPECT_EQ(p.TabSpaceCount(), c.tabs) << c.in;
  }

  TStringsPrinter p;
  p.SetColumnCount(0);
  EXPECT_EQ(p.ColumnCount(), 1);
  p.SetColumnCount(5);
  EXPECT_EQ(p.ColumnCount(), 3);
  p.SetColumnCount(2);
  EXPECT_EQ(p.ColumnCount(), 2);

  p.SetMarginLeft(-1);
  p.SetMarginRight(101);
  p.SetMarginLine(250);
  p.SetColumnSpace(-7);
  EXPECT_EQ(p.MarginLeft(), 0);
  EXPECT_EQ(p.MarginRight(), 100);
  EXPECT_EQ(p.MarginLine(), 100);
  EXPECT_EQ(p.ColumnSpace(), 0);

  p.SetStartPage(0);
  p.SetLastPage(1000000);
  p.SetFirstLineNumber(-3);
  EXPECT_EQ(p.StartPage(), 1);
  EXPECT_EQ(p.LastPage(), 999999);
  EXPECT_EQ(p.FirstLineNumber(), 1);
}

TEST(PrintSettings, DefaultsOfANewComponent) {
  TStringsPrinter p;
  EXPECT_EQ(p.BkColor(), store::clWhite);
  EXPECT_EQ(p.ColumnCount(), 1);
  EXPECT_EQ(p.ColumnSpace(), 4);
  EXPECT_EQ(p.LastLine(), 0);
  EXPECT_EQ(p.LastPage(), 999999);
  EXPECT_EQ(p.TabSpaceCount(), 8);
  EXPECT_TRUE(p.WordBreak());
  EXPECT_EQ(p.PrintMode(), pmColorToken);
  EXPECT_EQ(p.HeaderAlign(), haNone);
  EXPECT_EQ(p.Fountain(), nullptr);
}

TEST(PrintSettings, LastLineZeroSurvivesItsOwnValueButNotAnotherOne) {
  TStringsPrinter p;
  p.SetLastLine(0);  // equal to the current value: nothing happens
  EXPECT_EQ(p.LastLine(), 0);
  p.SetLastLine(20);
  p.SetLastLine(0);
  EXPECT_EQ(p.LastLine(), 1);
}

TEST(PrintSettings, InitialValuesOfTheMainWindow) {
  TStringsPrinter p;
  ApplyInitialPrintSettings(p);
  EXPECT_EQ(codec::Cp932ToUtf8(p.Font().Name), "ＭＳ ゴシック");
  EXPECT_EQ(p.Font().Size(), 9);
  EXPECT_EQ(p.Font().Charset, store::SHIFTJIS_CHARSET);
  EXPECT_EQ(p.Header(), "%y/%m/%d %t %f");
  EXPECT_EQ(p.HeaderAlign(), haRight);
  EXPECT_EQ(p.Footer(), "-%p-");
  EXPECT_EQ(p.FooterAlign(), haCenter);
  EXPECT_EQ(p.MarginLeft(), 15);
  EXPECT_EQ(p.MarginTop(), 15);
  EXPECT_EQ(p.MarginRight(), 15);
  EXPECT_EQ(p.MarginBottom(), 15);
  EXPECT_EQ(p.ColumnSpace(), 15);
  EXPECT_EQ(p.ColumnCount(), 1);
  EXPECT_EQ(p.LastLine(), 0);
  EXPECT_EQ(p.LastPage(), 999999);
  EXPECT_EQ(p.PrintMode(), pmColorToken);
  EXPECT_EQ(p.TabSpaceCount(), 8);
  EXPECT_TRUE(p.WordBreak());
  EXPECT_FALSE(p.LineNumber());
}

// Every published property differs from the defaults.
void FillAll(TStringsPrinter& p) {
  p.SetBkColor(0x00FFFFFE);
  p.SetColumnCount(3);
  p.SetColumnSpace(12);
  p.SetFileName("memo \x95\x5C.txt");  // 表: a trail byte 0x5C
  p.SetFirstLineNumber(40000);
  p.SetFirstPageNumber(7);
  store::TFont f;
  f.Name = "IPAGothic";
  f.SetSize(11);
  f.Style = store::fsBold | store::fsUnderline;
  f.Color = store::clNavy;
  f.Charset = store::SHIFTJIS_CHARSET;
  p.SetFont(f);
  p.SetFooter("-%p-");
  p.SetFooterAlign(haLeft);
  p.SetHeader("%g %F");
  p.SetHeaderAlign(haCenter);
  p.SetHeaderColor(store::clRed);
  p.SetLastLine(300);
  p.SetLastPage(12);
  p.SetLineNumber(true);
  p.SetLineRangeOption(roLimited);
  p.SetMarginBottom(1);
  p.SetMarginLeft(2);
  p.SetMarginLine(3);
  p.SetMarginRight(4);
  p.SetMarginTop(5);
  p.SetPageOption(poEven);
  p.SetPrintMode(pmThreeColor);
  p.SetRangeOption(roLimited);
  p.SetStartLine(6);
  p.SetStartPage(2);
  p.SetTabSpaceCount(4);
  p.SetWordBreak(false);
  p.SetGroupName("group");
}

void ExpectSame(const TStringsPrinter& a, const TStringsPrinter& b) {
  EXPECT_EQ(a.BkColor(), b.BkColor());
  EXPECT_EQ(a.ColumnCount(), b.ColumnCount());
  EXPECT_EQ(a.ColumnSpace(), b.ColumnSpace());
  EXPECT_EQ(a.FileName(), b.FileName());
  EXPECT_EQ(a.FirstLineNumber(), b.FirstLineNumber());
  EXPECT_EQ(a.FirstPageNumber(), b.FirstPageNumber());
  EXPECT_TRUE(a.Font() == b.Font());
  EXPECT_EQ(a.Footer(), b.Footer());
  EXPECT_EQ(a.FooterAlign(), b.FooterAlign());
  EXPECT_EQ(a.Header(), b.Header());
  EXPECT_EQ(a.HeaderAlign(), b.HeaderAlign());
  EXPECT_EQ(a.HeaderColor(), b.HeaderColor());
  EXPECT_EQ(a.LastLine(), b.LastLine());
  EXPECT_EQ(a.LastPage(), b.LastPage());
  EXPECT_EQ(a.LineNumber(), b.LineNumber());
  EXPECT_EQ(a.LineRangeOption(), b.LineRangeOption());
  EXPECT_EQ(a.MarginBottom(), b.MarginBottom());
  EXPECT_EQ(a.MarginLeft(), b.MarginLeft());
  EXPECT_EQ(a.MarginLine(), b.MarginLine());
  EXPECT_EQ(a.MarginRight(), b.MarginRight());
  EXPECT_EQ(a.MarginTop(), b.MarginTop());
  EXPECT_EQ(a.PageOption(), b.PageOption());
  EXPECT_EQ(a.PrintMode(), b.PrintMode());
  EXPECT_EQ(a.RangeOption(), b.RangeOption());
  EXPECT_EQ(a.StartLine(), b.StartLine());
  EXPECT_EQ(a.StartPage(), b.StartPage());
  EXPECT_EQ(a.TabSpaceCount(), b.TabSpaceCount());
  EXPECT_EQ(a.WordBreak(), b.WordBreak());
  EXPECT_EQ(a.GroupName(), b.GroupName());
}

TEST(PrintSettings, AssignCopiesEveryPropertyAndTheFountain) {
  editor::TEditorFountain fountain;
  TStringsPrinter a, b;
  FillAll(a);
  a.SetFountain(&fountain);
  b.Assign(a);
  ExpectSame(a, b);
  EXPECT_EQ(b.Fountain(), &fountain);
}

TEST(PrintSettings, FountainReferenceIsClearedWhenTheDefinitionGoes) {
  TStringsPrinter a, b;
  {
    editor::TEditorFountain fountain;
    a.SetFountain(&fountain);
    b.Assign(a);
  }
  EXPECT_EQ(a.Fountain(), nullptr);
  EXPECT_EQ(b.Fountain(), nullptr);
}

TEST(PrintSettings, PrintBinRoundTripInTheDataFolder) {
  TempFolder dir;
  const store::DataFolder folder(dir.Path() + "UserData/");
  TStringsPrinter saved;
  FillAll(saved);
  SavePrintSettings(saved, folder);

  TStringsPrinter loaded;
  EXPECT_TRUE(LoadPrintSettings(loaded, folder));
  ExpectSame(saved, loaded);

  // The initial settings with LastLine 0 come back unchanged too.
  TStringsPrinter initial, again;
  ApplyInitialPrintSettings(initial);
  SavePrintSettings(initial, folder);
  ApplyInitialPrintSettings(again);
  again.SetLastLine(5);
  EXPECT_TRUE(LoadPrintSettings(again, folder));
  EXPECT_EQ(again.LastLine(), 1);  // a stored 0 read over another value is clamped
  TStringsPrinter fresh;
  EXPECT_TRUE(LoadPrintSettings(fresh, folder));
  ExpectSame(initial, fresh);
}

TEST(PrintSettings, MissingPrintBinCreatesTheFolderAndKeepsTheValues) {
  TempFolder dir;
  const store::DataFolder folder(dir.Path() + "nested/UserData/");
  TStringsPrinter p;
  ApplyInitialPrintSettings(p);
  EXPECT_FALSE(LoadPrintSettings(p, folder));
  EXPECT_TRUE(std::filesystem::is_directory(dir.Path() + "nested/UserData"));
  EXPECT_EQ(p.Header(), "%y/%m/%d %t %f");
}

TEST(PrintSettings, StoredOrderAndForm) {
  TStringsPrinter p;
  ApplyInitialPrintSettings(p);
  p.SetFileName("a.txt");
  p.SetGroupName("g");
  store::StringOutput out;
  store::WriteComponent(out, p);
  const std::string bytes = out.Bytes();
  store::MemoryInput in(bytes);
  const store::StreamRecord rec = store::ReadRecord(in);
  EXPECT_EQ(rec.className, "TStringsPrinter");
  std::vector<std::string> paths;
  for (const auto& prop : rec.properties) paths.push_back(prop.path);
  const std::vector<std::string> expected = {
      "BkColor",     "ColumnCount", "ColumnSpace",   "FileName",   "FirstLineNumber", "FirstPageNumber", "Font.Charset",
      "Font.Color",  "Font.Height", "Font.Name",     "Font.Style", "Footer",          "FooterAlign",     "Header",
      "HeaderAlign", "HeaderColor", "LastLine",      "LastPage",   "LineNumber",      "LineRangeOption", "MarginBottom",
      "MarginLeft",  "MarginLine",  "MarginRight",   "MarginTop",  "PageOption",      "PrintMode",       "RangeOption",
      "StartLine",   "StartPage",   "TabSpaceCount", "WordBreak",  "GroupName"};
  EXPECT_EQ(paths, expected);
  auto value = [&](const std::string& path) {
    for (const auto& prop : rec.properties)
      if (prop.path == path) return prop.value;
    return store::StreamValue{};
  };
  EXPECT_EQ(value("BkColor").tag, store::vtIdent);
  EXPECT_EQ(value("BkColor").bytes, "clWhite");
  EXPECT_EQ(value("Font.Charset").bytes, "SHIFTJIS_CHARSET");
  EXPECT_EQ(value("HeaderAlign").bytes, "haRight");
  EXPECT_EQ(value("LastPage").tag, store::vtInt32);
  EXPECT_EQ(value("LastPage").integer, 999999);
  EXPECT_EQ(value("WordBreak").tag, store::vtTrue);
  EXPECT_EQ(value("LineNumber").tag, store::vtFalse);
  EXPECT_EQ(value("PrintMode").bytes, "pmColorToken");
}

}  // namespace
