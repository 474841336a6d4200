// Colouring definitions and the View option object: defaults, main values, notifications, the
// bracket limit, reserved word lists and the stored form.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "editor/fountain.h"
#include "editor/viewinfo.h"
#include "store/bytestream.h"
#include "store/errors.h"
#include "store/stream.h"

namespace editor {
namespace {

using namespace store;

TEST(FountainColor, DefaultsAndNotifications) {
  TFountainColor c;
  EXPECT_EQ(c.BkColor(), clNone);
  EXPECT_EQ(c.Color(), clNone);
  EXPECT_EQ(c.Style(), 0);
  int n = 0;
  c.OnChange = [&] { ++n; };
  c.SetColor(clNone);
  EXPECT_EQ(n, 0);  // unchanged values do not notify
  c.SetColor(clRed);
  c.SetBkColor(clBlue);
  c.SetStyle(fsBold | fsItalic);
  EXPECT_EQ(n, 3);
  TFountainColor other;
  c.Assign(other);
  EXPECT_EQ(n, 4);  // once for the whole copy
  EXPECT_TRUE(c.SameValues(other));
}

TEST(BracketCollection, FifteenthPairIsRefused) {
  TEditorFountain f;
  for (int i = 0; i < 14; ++i) f.Brackets().Add(std::string(1, 'a' + i), ")");
  try {
    f.Brackets().Add("x", "y");
    FAIL() << "15th pair accepted";
  } catch (const std::exception& e) {
    EXPECT_STREQ(e.what(), "TFountainBracketCollection\r\nYou can not add item over 14");
  }
  EXPECT_EQ(f.Brackets().Count(), 14u);
  // Through the stored-form interface as well.
  CollectionRef& ref = f.Brackets();
  EXPECT_THROW(ref.Append(), std::length_error);
}

TEST(BracketCollection, SetAllColoursOnce) {
  TEditorFountain f;
  f.Brackets().Add("(", ")");
  f.Brackets().Add("[", "]");
  int n = 0;
  f.Subscribe([&](FountainEvent) { ++n; });
  f.Brackets().SetColor(clGreen);
  f.Brackets().SetBkColor(clYellow);
  f.Brackets().SetStyle(fsUnderline);
  EXPECT_EQ(n, 3);
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(f.Brackets()[i].ItemColor.Color(), clGreen);
    EXPECT_EQ(f.Brackets()[i].ItemColor.BkColor(), clYellow);
    EXPECT_EQ(f.Brackets()[i].ItemColor.Style(), fsUnderline);
  }
}

TEST(Fountain, SubscribersHearOncePerChangeOrBracket) {
  TEditorFountain f;
  std::vector<FountainEvent> events;
  const int id = f.Subscribe([&](FountainEvent e) { events.push_back(e); });
  f.Reserve().SetColor(clRed);
  f.Colors().Url.SetStyle(fsBold);
  f.SetUrl(true);
  f.SetReserveWordList({"a"});
  auto& item = f.Brackets().Add("(", ")");
  item.ItemColor.SetColor(clBlue);
  item.SetRightBracket("]");
  EXPECT_EQ(events.size(), 7u);

  events.clear();
  f.BeginUpdate();
  f.SetMail(true);
  f.SetCommenter("//");
  f.Colors().Ank.SetColor(clGreen);
  EXPECT_TRUE(events.empty());
  f.EndUpdate();
  EXPECT_EQ(events.size(), 1u);

  events.clear();
  f.SetMail(true);  // unchanged
  EXPECT_TRUE(events.empty());
  f.Unsubscribe(id);
  f.SetMail(false);
  EXPECT_TRUE(events.empty());
}

TEST(Fountain, DestructionIsAnnounced) {
  bool destroying = false;
  {
    TEditorFountain f;
    f.Subscribe([&](FountainEvent e) { destroying |= e == FountainEvent::Destroying; });
  }
  EXPECT_TRUE(destroying);
}

TEST(Fountain, ReserveWordListIsSortedWithoutCaseDuplicates) {
  TFountain f;
  f.SetReserveWordList({"while", "Begin", "begin", "END", "end"});
  EXPECT_EQ(f.ReserveWordList(), (std::vector<std::string>{"Begin", "END", "while"}));
  f.AddReserveWord("WHILE");
  f.AddReserveWord("do");
  EXPECT_EQ(f.ReserveWordList(), (std::vector<std::string>{"Begin", "do", "END", "while"}));
  EXPECT_TRUE(f.IsReserveWord("begin"));
  EXPECT_TRUE(f.IsReserveWord("Do"));
  EXPECT_FALSE(f.IsReserveWord("beg"));
  EXPECT_FALSE(f.IsReserveWord(""));
}

TEST(Fountain, ItalicQuery) {
  TEditorFountain f;
  EXPECT_FALSE(f.HasItalicFontStyle());
  f.Colors().Hit.SetStyle(fsItalic);
  EXPECT_TRUE(f.HasItalicFontStyle());
  f.Colors().Hit.SetStyle(fsBold);
  EXPECT_FALSE(f.HasItalicFontStyle());
  f.Reserve().SetStyle(fsItalic);
  EXPECT_TRUE(f.HasItalicFontStyle());
  f.Reserve().SetStyle(0);
  f.Brackets().Add("(", ")").ItemColor.SetStyle(fsItalic);
  EXPECT_TRUE(f.HasItalicFontStyle());
}

TEST(EditorFountain, SetAllColoursSparesSelectAndHit) {
  TEditorFountain f;
  int n = 0;
  f.Subscribe([&](FountainEvent) { ++n; });
  f.SetColor(clPurple);
  f.SetBkColor(clAqua);
  f.SetStyle(fsStrikeOut);
  EXPECT_EQ(n, 3);
  TEditorColors& c = f.Colors();
  for (TEditorColor* m : c.Members()) {
    if (m == &c.Select || m == &c.Hit) continue;
    EXPECT_EQ(m->Color(), clPurple);
    EXPECT_EQ(m->BkColor(), clAqua);
    EXPECT_EQ(m->Style(), fsStrikeOut);
  }
  EXPECT_EQ(c.Select.BkColor(), clNavy);
  EXPECT_EQ(c.Select.Color(), clWhite);
  EXPECT_EQ(c.Hit.Color(), clNone);
  EXPECT_EQ(&c.Reserve(), &f.Reserve());
  EXPECT_EQ(f.Reserve().Color(), clPurple);
}

struct ColourValues {
  const char* member;
  TColor bk;
  TColor color;
};

const std::map<std::string, TEditorColor*> MemberMap(TEditorColors& c) {
  return {{"Ank", &c.Ank},   {"Comment", &c.Comment},   {"DBCS", &c.DBCS},     {"Hit", &c.Hit}, {"Int", &c.Int},
          {"Mail", &c.Mail}, {"Reserve", &c.Reserve()}, {"Select", &c.Select}, {"Str", &c.Str}, {"Symbol", &c.Symbol},
          {"Url", &c.Url}};
}

TEST(EditorColors, DefaultAndMainValues) {
  const ColourValues defaults[] = {{"Ank", clNone, clNone},     {"Comment", clNone, clNone}, {"DBCS", clNone, clNone},
                                   {"Hit", clNone, clNone},     {"Int", clNone, clNone},     {"Mail", clNone, clNone},
                                   {"Reserve", clNone, clNone}, {"Select", clNavy, clWhite}, {"Str", clNone, clNone},
                                   {"Symbol", clNone, clNone},  {"Url", clNone, clNone}};
  const ColourValues main[] = {{"Ank", clNone, clNone},    {"Comment", clNone, clMaroon}, {"DBCS", clNone, clNone},
                               {"Hit", clSilver, clBlue},  {"Int", clNone, clNone},       {"Mail", clNone, clGreen},
                               {"Reserve", clNone, clRed}, {"Select", clNavy, clWhite},   {"Str", clNone, clNone},
                               {"Symbol", clNone, clNone}, {"Url", clNone, clBlue}};
  TEditorViewInfo view;
  auto members = MemberMap(view.Colors());
  for (const auto& d : defaults) {
    EXPECT_EQ(members[d.member]->BkColor(), d.bk) << d.member;
    EXPECT_EQ(members[d.member]->Color(), d.color) << d.member;
    EXPECT_EQ(members[d.member]->Style(), 0) << d.member;
  }
  EXPECT_FALSE(view.Mail());
  EXPECT_FALSE(view.Url());
  view.SetMainValues();
  for (const auto& d : main) {
    EXPECT_EQ(members[d.member]->BkColor(), d.bk) << d.member;
    EXPECT_EQ(members[d.member]->Color(), d.color) << d.member;
  }
  EXPECT_TRUE(view.Mail());
  EXPECT_TRUE(view.Url());
  EXPECT_FALSE(view.ControlCode());
  EXPECT_TRUE(view.Commenter().empty());
  EXPECT_EQ(view.Brackets().Count(), 0u);
}

TEST(ViewInfo, ReadsAndWritesItsDefinition) {
  TEditorViewInfo view;
  int n = 0;
  view.OnChange = [&] { ++n; };
  view.SetQuotation("'abc");
  EXPECT_EQ(view.Quotation(), "'");
  EXPECT_EQ(view.Fountain().Quotation(), "'");
  view.SetHexPrefix("0x");
  view.Fountain().SetCommenter(";");
  EXPECT_EQ(view.Commenter(), ";");
  view.Colors().Url.SetColor(clRed);
  view.Brackets().Add("(", ")");
  EXPECT_EQ(n, 5);

  TEditorViewInfo copy;
  int m = 0;
  copy.OnChange = [&] { ++m; };
  copy.Assign(view);
  EXPECT_EQ(m, 1);
  EXPECT_EQ(copy.Quotation(), "'");
  EXPECT_EQ(copy.HexPrefix(), "0x");
  EXPECT_EQ(copy.Commenter(), ";");
  EXPECT_EQ(copy.Colors().Url.Color(), clRed);
  ASSERT_EQ(copy.Brackets().Count(), 1u);
  EXPECT_EQ(copy.Brackets()[0].RightBracket(), ")");
  // The copy is independent.
  view.Brackets()[0].SetRightBracket("]");
  EXPECT_EQ(copy.Brackets()[0].RightBracket(), ")");
}

// ---- Stored form

// Records every property path with its kind, descending into objects and collection items.
class Recorder : public PropertyVisitor {
 public:
  std::vector<std::string> out;
  std::string prefix;

  void Integer(std::string_view n, IntRef, int32_t, bool) override { Add("Integer", n); }
  void Colour(std::string_view n, IntRef v, int32_t def) override {
    Add("Colour", n);
    EXPECT_EQ(def, kNoDefault);
  }
  void Charset(std::string_view n, IntRef, int32_t) override { Add("Charset", n); }
  void Enum(std::string_view n, IntRef, NameList, int32_t) override { Add("Enum", n); }
  void Boolean(std::string_view n, IntRef, int32_t def) override {
    Add("Boolean", n);
    EXPECT_EQ(def, kNoDefault);
  }
  void Set(std::string_view n, IntRef, NameList members, int32_t) override {
    Add("Set", n);
    ASSERT_EQ(members.size(), 4u);
    EXPECT_EQ(members[1], "fsItalic");
  }
  void String(std::string_view n, StrRef, bool) override { Add("String", n); }
  void Object(std::string_view n, Persistent& sub) override {
    const std::string saved = prefix;
    prefix += std::string(n) + ".";
    sub.Describe(*this);
    prefix = saved;
  }
  void StringList(std::string_view n, std::vector<std::string>&) override { Add("StringList", n); }
  void Collection(std::string_view n, CollectionRef& items) override {
    Add("Collection", n);
    const std::string saved = prefix;
    for (size_t i = 0; i < items.Count(); ++i) {
      prefix = saved + std::string(n) + "[" + std::to_string(i) + "].";
      items.Item(i).Describe(*this);
    }
    prefix = saved;
  }

 private:
  void Add(const char* kind, std::string_view n) { out.push_back(std::string(kind) + " " + prefix + std::string(n)); }
};

TEST(ViewInfoStoredForm, PropertiesInStoredOrder) {
  TEditorViewInfo view;
  view.Brackets().Add("(", ")");
  Recorder r;
  view.Describe(r);
  std::vector<std::string> expected = {"Collection Brackets",
                                       "Colour Brackets[0].ItemColor.BkColor",
                                       "Colour Brackets[0].ItemColor.Color",
                                       "Set Brackets[0].ItemColor.Style",
                                       "String Brackets[0].LeftBracket",
                                       "String Brackets[0].RightBracket"};
  for (const char* m : {"Ank", "Comment", "DBCS", "Hit", "Int", "Mail", "Reserve", "Select", "Str", "Symbol", "Url"}) {
    expected.push_back(std::string("Colour Colors.") + m + ".BkColor");
    expected.push_back(std::string("Colour Colors.") + m + ".Color");
    expected.push_back(std::string("Set Colors.") + m + ".Style");
  }
  for (const char* p : {"String Commenter", "Boolean ControlCode", "String HexPrefix", "Boolean Mail",
                        "String Quotation", "Boolean Url"})
    expected.push_back(p);
  EXPECT_EQ(r.out, expected);
}

// Sets values by path, the way a reader does.
class Setter : public PropertyVisitor {
 public:
  std::map<std::string, int64_t> ints;
  std::map<std::string, std::string> strings;
  std::string prefix;

  void Integer(std::string_view n, IntRef v, int32_t, bool) override { SetInt(n, v); }
  void Colour(std::string_view n, IntRef v, int32_t) override { SetInt(n, v); }
  void Charset(std::string_view n, IntRef v, int32_t) override { SetInt(n, v); }
  void Enum(std::string_view n, IntRef v, NameList, int32_t) override { SetInt(n, v); }
  void Boolean(std::string_view n, IntRef v, int32_t) override { SetInt(n, v); }
  void Set(std::string_view n, IntRef v, NameList, int32_t) override { SetInt(n, v); }
  void String(std::string_view n, StrRef v, bool) override {
    auto it = strings.find(prefix + std::string(n));
    if (it != strings.end()) v.Set(std::string(it->second));
  }
  void Object(std::string_view n, Persistent& sub) override {
    const std::string saved = prefix;
    prefix += std::string(n) + ".";
    sub.Describe(*this);
    prefix = saved;
  }
  void StringList(std::string_view, std::vector<std::string>&) override {}
  void Collection(std::string_view n, CollectionRef& items) override {
    items.Clear();
    Persistent& item = items.Append();
    const std::string saved = prefix;
    prefix = std::string(n) + "[0].";
    item.Describe(*this);
    prefix = saved;
  }

 private:
  void SetInt(std::string_view n, IntRef v) {
    auto it = ints.find(prefix + std::string(n));
    if (it != ints.end()) v.Set(it->second);
  }
};

TEST(ViewInfoStoredForm, ReadingGoesThroughTheSetters) {
  TEditorViewInfo view;
  int n = 0;
  view.OnChange = [&] { ++n; };
  Setter s;
  s.ints = {{"Colors.Reserve.Color", clRed},
            {"Colors.Url.Style", fsBold | fsUnderline},
            {"Mail", 1},
            {"Brackets[0].ItemColor.Color", clTeal}};
  s.strings = {{"Quotation", "\"x"}, {"Brackets[0].LeftBracket", "<"}, {"Brackets[0].RightBracket", ">"}};
  view.Describe(s);
  EXPECT_EQ(view.Fountain().Reserve().Color(), clRed);
  EXPECT_EQ(view.Colors().Url.Style(), fsBold | fsUnderline);
  EXPECT_TRUE(view.Mail());
  EXPECT_EQ(view.Quotation(), "\"");
  ASSERT_EQ(view.Brackets().Count(), 1u);
  EXPECT_EQ(view.Brackets()[0].LeftBracket(), "<");
  EXPECT_EQ(view.Brackets()[0].ItemColor.Color(), clTeal);
  EXPECT_GT(n, 0);
}

TEST(FountainStoredForm, ReadReserveWordsAreSorted) {
  TFountain f;
  class ListFiller : public Recorder {
   public:
    void StringList(std::string_view n, std::vector<std::string>& lines) override {
      if (n == "ReserveWordList") lines = {"zeta", "Alpha", "alpha", "mid"};
    }
  } filler;
  f.Describe(filler);
  EXPECT_EQ(f.ReserveWordList(), (std::vector<std::string>{"Alpha", "mid", "zeta"}));
  EXPECT_TRUE(f.IsReserveWord("ZETA"));
}

// ---- Through the record stream

namespace stream_roundtrip {

struct Root : Component {
  TEditorViewInfo View;
  std::string_view ClassName() const override { return "TTestEditor"; }
  void Describe(PropertyVisitor& v) override {
    Component::Describe(v);
    v.Object("View", View);
  }
};

std::string Write(Component& c) {
  StringOutput out;
  WriteComponent(out, c);
  return out.Bytes();
}

TEST(ViewInfoStream, RoundTripKeepsEveryValue) {
  Root a;
  a.View.SetMainValues();
  a.View.Brackets().Add("/*", "*/").ItemColor.SetColor(clTeal);
  a.View.Brackets().Add(std::string("\x81\x75"), std::string("\x81\x76")).ItemColor.SetStyle(fsBold | fsItalic);
  a.View.SetCommenter("//");
  a.View.SetControlCode(true);
  a.View.SetHexPrefix("0x");
  a.View.SetQuotation("'");
  a.View.Colors().Select.SetBkColor(static_cast<TColor>(0x123456));
  const std::string bytes = Write(a);

  Root b;
  MemoryInput in(bytes);
  ReadComponent(in, b);
  EXPECT_EQ(Write(b), bytes);
  ASSERT_EQ(b.View.Brackets().Count(), 2u);
  EXPECT_EQ(b.View.Brackets()[1].LeftBracket(), "\x81\x75");
  EXPECT_EQ(b.View.Brackets()[1].ItemColor.Style(), fsBold | fsItalic);
  EXPECT_EQ(b.View.Brackets()[0].ItemColor.Color(), clTeal);
  EXPECT_EQ(b.View.Colors().Url.Color(), clBlue);
  EXPECT_EQ(b.View.Colors().Reserve().Color(), clRed);
  EXPECT_EQ(b.View.Fountain().Reserve().Color(), clRed);
  EXPECT_EQ(b.View.Colors().Select.BkColor(), 0x123456);
  EXPECT_TRUE(b.View.Mail());
  EXPECT_TRUE(b.View.ControlCode());
  EXPECT_EQ(b.View.Quotation(), "'");
}

TEST(ViewInfoStream, AStoredFifteenthBracketFailsToLoad) {
  Root a;
  for (int i = 0; i < 14; ++i) a.View.Brackets().Add(std::string(1, 'a' + i), ")");
  const std::string bytes = Write(a);
  MemoryInput in(bytes);
  StreamRecord rec = ReadRecord(in);
  auto it = std::find_if(rec.properties.begin(), rec.properties.end(),
                         [](const StreamProperty& p) { return p.path == "View.Brackets"; });
  ASSERT_NE(it, rec.properties.end());
  it->value.items.push_back(it->value.items.back());
  StringOutput out;
  WriteRecord(out, rec);
  const std::string bad = out.Bytes();

  Root b;
  MemoryInput in2(bad);
  try {
    ReadComponent(in2, b);
    FAIL() << "15 pairs loaded";
  } catch (const StreamError& e) {
    EXPECT_NE(std::string(e.what()).find("You can not add item over 14"), std::string::npos) << e.what();
  }
  EXPECT_EQ(b.View.Brackets().Count(), 14u);
}

TEST(FountainStream, ReserveWordsReadInAnyOrderAreFound) {
  TEditorFountain a;
  a.SetReserveWordList({"alpha", "beta", "gamma"});
  const std::string bytes = Write(a);
  MemoryInput in(bytes);
  StreamRecord rec = ReadRecord(in);
  auto it = std::find_if(rec.properties.begin(), rec.properties.end(),
                         [](const StreamProperty& p) { return p.path == "ReserveWordList.Strings"; });
  ASSERT_NE(it, rec.properties.end());
  std::reverse(it->value.list.begin(), it->value.list.end());
  StringOutput out;
  WriteRecord(out, rec);
  const std::string reversed = out.Bytes();

  TEditorFountain b;
  MemoryInput in2(reversed);
  ReadComponent(in2, b);
  EXPECT_TRUE(b.IsReserveWord("ALPHA"));
  EXPECT_TRUE(b.IsReserveWord("Gamma"));
  EXPECT_EQ(b.ReserveWordList(), (std::vector<std::string>{"alpha", "beta", "gamma"}));
}

}  // namespace stream_roundtrip

}  // namespace
}  // namespace editor
