// The byte encoding of records: value tags, smallest integers, names, defaults, collections.
#include <gtest/gtest.h>

#include <cstring>

#include "store/entries.h"
#include "store/errors.h"
#include "store/font.h"
#include "store/history.h"
#include "store/stream.h"
#include "testschema.h"
#include "testutil.h"

using namespace store;
using testutil::Bytes;
using namespace testschema;

namespace {

// The bytes of one property entry of a Sample written with everything else at its zero state.
std::string PropertyBytes(Sample& s, const std::string& name) {
  std::string all = Write(s);
  std::string key = std::string(1, static_cast<char>(name.size())) + name;
  size_t at = all.find(key);
  if (at == std::string::npos) return {};
  at += key.size();
  // Up to the next property entry (the sample's fixed order makes the next name known).
  static const char* order[] = {"Number", "Colour", "Charset",   "Form",    "Flag",
                                "Style",  "Text",   "Sub.Width", "Entries", nullptr};
  for (size_t k = 0; order[k]; ++k) {
    if (name != order[k]) continue;
    for (size_t j = k + 1; order[j]; ++j) {
      std::string nextKey = std::string(1, static_cast<char>(std::strlen(order[j]))) + order[j];
      size_t next = all.find(nextKey, at);
      if (next != std::string::npos) return all.substr(at, next - at);
    }
  }
  return all.substr(at);
}

TEST(StreamFormat, IntegersTakeTheSmallestWidth) {
  struct Case {
    int32_t value;
    std::string bytes;
  } cases[] = {
      {0, Bytes().b({2, 0})},
      {127, Bytes().b({2, 0x7F})},
      {-128, Bytes().b({2, 0x80})},
      {128, Bytes().b({3, 0x80, 0x00})},
      {-129, Bytes().b({3, 0x7F, 0xFF})},
      {32767, Bytes().b({3, 0xFF, 0x7F})},
      {32768, Bytes().b({4, 0x00, 0x80, 0x00, 0x00})},
      {-32769, Bytes().b({4, 0xFF, 0x7F, 0xFF, 0xFF})},
      {2147483647, Bytes().b({4, 0xFF, 0xFF, 0xFF, 0x7F})},
  };
  for (const auto& c : cases) {
    Sample s;
    s.Number = c.value;
    EXPECT_EQ(PropertyBytes(s, "Number"), c.bytes) << c.value;
    Sample back;
    Read(Write(s), back);
    EXPECT_EQ(back.Number, c.value);
  }
}

TEST(StreamFormat, ColoursAndCharsetsWithNamesAreIdentifiers) {
  Sample s;
  s.Colour = 0x00FFFFFF;
  EXPECT_EQ(PropertyBytes(s, "Colour"), Bytes().b({7}).ss("clWhite").str());
  s.Colour = 0x00FFFFFE;
  EXPECT_EQ(PropertyBytes(s, "Colour"), Bytes().b({4, 0xFE, 0xFF, 0xFF, 0x00}).str());
  s.Colour = clNone;
  EXPECT_EQ(PropertyBytes(s, "Colour"), Bytes().b({7}).ss("clNone").str());
  s.Colour = static_cast<TColor>(0x80000018);
  EXPECT_EQ(PropertyBytes(s, "Colour"), Bytes().b({7}).ss("clInfoBk").str());
  s.Charset = 128;
  EXPECT_EQ(PropertyBytes(s, "Charset"), Bytes().b({7}).ss("SHIFTJIS_CHARSET").str());
  s.Charset = 100;
  EXPECT_EQ(PropertyBytes(s, "Charset"), Bytes().b({2, 100}).str());

  Sample back;
  s.Colour = clNavy;
  Read(Write(s), back);
  EXPECT_EQ(back.Colour, clNavy);
  EXPECT_EQ(back.Charset, 100);
}

TEST(StreamFormat, EveryNamedColourRoundTrips) {
  int named = 0;
  for (int64_t v : {0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0x808080, 0xC0C0C0, 0x0000FF,
                    0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF, 0x1FFFFFFF}) {
    EXPECT_TRUE(ColorToIdent(static_cast<TColor>(v)).has_value()) << std::hex << v;
    ++named;
  }
  for (uint32_t v = 0x80000000u; v <= 0x80000018u; ++v) {
    auto name = ColorToIdent(static_cast<TColor>(v));
    ASSERT_TRUE(name.has_value());
    EXPECT_EQ(IdentToColor(*name), static_cast<TColor>(v));
    ++named;
  }
  EXPECT_EQ(named, 42);
  EXPECT_FALSE(ColorToIdent(0x80000019).has_value());
  EXPECT_EQ(IdentToColor("CLWHITE"), clWhite);
}

TEST(StreamFormat, MarkerValueIsNeverWrittenAndReadingKeepsTheOldValue) {
  Sample s;
  s.Number = INT32_MIN;
  s.Colour = clScrollBar;  // the same bits as the marker
  std::string bytes = Write(s);
  EXPECT_EQ(bytes.find("\x06Number"), std::string::npos);
  EXPECT_EQ(bytes.find("\x06"
                       "Colour"),
            std::string::npos);
  Sample back;
  back.Number = 5;
  back.Colour = clRed;
  Read(bytes, back);
  EXPECT_EQ(back.Number, 5);
  EXPECT_EQ(back.Colour, clRed);
}

TEST(StreamFormat, StringsUseTheShortTagBelow256Bytes) {
  Sample s;
  s.Text = std::string(255, 'x');
  std::string p = PropertyBytes(s, "Text");
  ASSERT_EQ(p.size(), 2u + 255u);
  EXPECT_EQ(p[0], 6);
  EXPECT_EQ(static_cast<unsigned char>(p[1]), 255);

  s.Text = std::string(256, 'y');
  p = PropertyBytes(s, "Text");
  ASSERT_EQ(p.size(), 5u + 256u);
  EXPECT_EQ(p.substr(0, 5), Bytes().b({12, 0x00, 0x01, 0x00, 0x00}).str());
  Sample back;
  Read(Write(s), back);
  EXPECT_EQ(back.Text, s.Text);
}

TEST(StreamFormat, EmptyValuesAndDefaults) {
  Sample s;
  std::string bytes = Write(s);
  // Empty strings and lists and defaulted ordinals are left out; booleans, sets and plain
  // integers without a default are always written; an empty collection is still written.
  EXPECT_EQ(bytes.find("\x04Text"), std::string::npos);
  EXPECT_EQ(bytes.find("Lines"), std::string::npos);
  EXPECT_EQ(bytes.find("\x05Pitch"), std::string::npos);
  EXPECT_EQ(bytes.find("\x03Tag"), std::string::npos);
  EXPECT_EQ(bytes.find("\x04Name"), std::string::npos);
  EXPECT_NE(bytes.find(Bytes().ss("Flag").b({8}).str()), std::string::npos);
  EXPECT_NE(bytes.find(Bytes().ss("Style").b({11, 0}).str()), std::string::npos);
  EXPECT_NE(bytes.find(Bytes().ss("Entries").b({14, 0}).str()), std::string::npos);
  EXPECT_NE(bytes.find(Bytes().ss("Number").b({2, 0}).str()), std::string::npos);
  EXPECT_EQ(bytes.substr(bytes.size() - 2), std::string("\0\0", 2));
  s.Tag = 3;
  s.Pitch = 1;
  bytes = Write(s);
  EXPECT_NE(bytes.find(Bytes().ss("Tag").b({2, 3}).str()), std::string::npos);
  EXPECT_NE(bytes.find(Bytes().ss("Pitch").b({2, 1}).str()), std::string::npos);
}

TEST(StreamFormat, SetsEnumsSubObjectsListsAndCollections) {
  Sample s;
  s.Style = fsBold | fsUnderline;
  s.Form = shSquare;
  s.Flag = true;
  s.Sub.Width = 4;
  s.Sub.Label = "L";
  s.Lines = {"one", std::string(300, 'z')};
  s.Entries.push_back(std::make_unique<Entry>());
  s.Entries.back()->Value = 9;
  std::string bytes = Write(s);
  EXPECT_NE(bytes.find(Bytes().ss("Style").b({11}).ss("fsBold").ss("fsUnderline").b({0}).str()), std::string::npos);
  EXPECT_NE(bytes.find(Bytes().ss("Form").b({7}).ss("shSquare").str()), std::string::npos);
  EXPECT_NE(bytes.find(Bytes().ss("Flag").b({9}).str()), std::string::npos);
  EXPECT_NE(bytes.find(Bytes().ss("Sub.Width").b({2, 4}).ss("Sub.Label").b({6}).ss("L").str()), std::string::npos);
  EXPECT_NE(bytes.find(Bytes().ss("Lines.Strings").b({1, 6}).ss("one").b({12, 0x2C, 0x01, 0, 0}).str()),
            std::string::npos);
  // Items: vtList, paths without the collection's prefix, vtNull; then vtNull.
  EXPECT_NE(bytes.find(Bytes().ss("Entries").b({14, 1}).ss("Value").b({2, 9, 0, 0}).str()), std::string::npos);

  Sample back;
  Read(bytes, back);
  EXPECT_EQ(back.Style, fsBold | fsUnderline);
  EXPECT_EQ(back.Form, shSquare);
  EXPECT_TRUE(back.Flag);
  EXPECT_EQ(back.Sub.Width, 4);
  EXPECT_EQ(back.Sub.Label, "L");
  EXPECT_EQ(back.Lines, s.Lines);
  ASSERT_EQ(back.Entries.size(), 1u);
  EXPECT_EQ(back.Entries[0]->Value, 9);
}

TEST(StreamFormat, CollectionReadingReplacesItemsUnlessTheStoredOneIsEmpty) {
  Sample stored;
  stored.Entries.push_back(std::make_unique<Entry>());
  stored.Entries.back()->Value = 1;
  Sample target;
  for (int k = 0; k < 3; ++k) target.Entries.push_back(std::make_unique<Entry>());
  Read(Write(stored), target);
  ASSERT_EQ(target.Entries.size(), 1u);
  EXPECT_EQ(target.Entries[0]->Value, 1);

  Sample empty;
  Read(Write(empty), target);
  EXPECT_EQ(target.Entries.size(), 1u);
}

TEST(StreamFormat, OneItemItemFileRecordIsByteExact) {
  DataFolder folder("/nonexistent/");
  TRootComponent_Item items(folder, nullptr);
  int s = items.Add(0, -1, fsBold, clBlack, "abc");
  auto& item = static_cast<TItemsCollectionItem&>(*items.Collection[static_cast<size_t>(s)]);
  item.NameID = 0x12345678;
  item.ItemText = "x";
  item.Line = 0;
  items.SelIndex = 0;
  std::string expected = Bytes()
                             .t("TPF0")
                             .ss("TRootComponent_Item")
                             .b({0})
                             .ss("Collection")
                             .b({0x0E, 0x01})
                             .ss("Name")
                             .b({0x06})
                             .ss("abc")
                             .ss("ListTxtColor")
                             .b({0x07})
                             .ss("clBlack")
                             .ss("FontStyle")
                             .b({0x0B})
                             .ss("fsBold")
                             .b({0x00})
                             .ss("NameID")
                             .b({0x04, 0x78, 0x56, 0x34, 0x12})
                             .ss("ItemText")
                             .b({0x06, 0x01, 0x78})
                             .ss("Line")
                             .b({0x02, 0x00})
                             .b({0x00, 0x00})
                             .ss("SelIndex")
                             .b({0x02, 0x00})
                             .b({0x00, 0x00});
  EXPECT_EQ(Write(items), expected);
}

TEST(StreamFormat, HistoryRecordIsByteExact) {
  THistoryCollection h;
  h.PushBack(0, 1);
  std::string expected = Bytes()
                             .t("TPF0")
                             .ss("THistoryCollection")
                             .b({0})
                             .ss("CollectionBk")
                             .b({0x0E, 0x01})
                             .ss("HGroupIndex")
                             .b({0x02, 0x00})
                             .ss("HItemIndex")
                             .b({0x02, 0x01, 0x00, 0x00})
                             .ss("CollectionFw")
                             .b({0x0E, 0x00})
                             .b({0x00, 0x00});
  EXPECT_EQ(Write(h), expected);
}

TEST(StreamFormat, FontSubObjectOmitsDefaultPitchAndNeverStoresSize) {
  class Holder final : public Component {
   public:
    TFont Font;
    std::string_view ClassName() const override { return "THolder"; }
    void Describe(PropertyVisitor& v) override {
      Component::Describe(v);
      v.Object("DFont", Font);
    }
  } h;
  h.Font.Name = "x";
  h.Font.Charset = SHIFTJIS_CHARSET;
  h.Font.Color = clBlack;
  h.Font.Height = -16;
  std::string bytes = Write(h);
  std::string expected = Bytes()
                             .t("TPF0")
                             .ss("THolder")
                             .b({0})
                             .ss("DFont.Charset")
                             .b({7})
                             .ss("SHIFTJIS_CHARSET")
                             .ss("DFont.Color")
                             .b({7})
                             .ss("clBlack")
                             .ss("DFont.Height")
                             .b({2, 0xF0})
                             .ss("DFont.Name")
                             .b({6})
                             .ss("x")
                             .ss("DFont.Style")
                             .b({11, 0})
                             .b({0, 0});
  EXPECT_EQ(bytes, expected);
  h.Font.Pitch = fpFixed;
  EXPECT_NE(Write(h).find(Bytes().ss("DFont.Pitch").b({7}).ss("fpFixed").str()), std::string::npos);
  EXPECT_EQ(h.Font.Size(), 12);
}

TEST(StreamFormat, SeveralRecordsFollowOneAnother) {
  Sample a, b;
  a.Number = 1;
  b.Number = 2;
  StringOutput out;
  WriteComponent(out, a);
  WriteComponent(out, b);
  std::string bytes = out.Bytes();
  MemoryInput in(bytes);
  Sample ra, rb;
  ReadComponent(in, ra);
  ReadComponent(in, rb);
  EXPECT_EQ(ra.Number, 1);
  EXPECT_EQ(rb.Number, 2);
  EXPECT_EQ(in.Remaining(), 0u);
}

TEST(StreamFormat, GenericRecordWritesBackWhatItRead) {
  Sample s;
  s.Number = 300;
  s.Style = fsItalic;
  s.Lines = {"a"};
  s.Entries.push_back(std::make_unique<Entry>());
  s.Text = std::string(1000, 'q');
  std::string bytes = Write(s);
  GenericRecord g;
  Read(bytes, g);
  EXPECT_EQ(g.ClassName(), "TSample");
  EXPECT_EQ(Write(g), bytes);
}

}  // namespace
