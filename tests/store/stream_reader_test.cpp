// What the reader does with what it finds: names, errors and their wrapping, damaged and hostile
// input.
#include <gtest/gtest.h>

#include <type_traits>

#include "store/entries.h"
#include "store/errors.h"
#include "store/settings.h"
#include "testschema.h"
#include "testutil.h"

using namespace store;
using namespace testschema;
using testutil::Bytes;

namespace {

std::string ReadError(const std::string& bytes, Component& c) {
  try {
    Read(bytes, c);
  } catch (const StreamError& e) {
    return e.what();
  }
  return "(no error)";
}

// A TSample record with the given property entries.
std::string Record(const std::string& entries) { return Bytes().t("TPF0").ss("TSample").b({0}).t(entries).b({0, 0}); }

TEST(StreamReader, UnknownPropertyFailsWithTheClassNameAndPath) {
  TMainDataClass m;
  std::string bytes = Bytes().t("TPF0").ss("TMainDataClass").b({0}).ss("Bogus").b({2, 1}).b({0, 0});
  EXPECT_EQ(ReadError(bytes, m), "TMainDataClass.Bogus の読み込み中のエラー : プロパティが存在しません");
}

TEST(StreamReader, MissingPropertiesKeepTheirValuesAndNamesIgnoreCase) {
  Sample s;
  s.Number = 42;
  s.Text = "keep";
  Read(Record(Bytes().ss("nUMBER").b({2, 7}).ss("sub.WIDTH").b({2, 3})), s);
  EXPECT_EQ(s.Number, 7);
  EXPECT_EQ(s.Sub.Width, 3);
  EXPECT_EQ(s.Text, "keep");

  DataFolder folder("/nonexistent/");
  TRootComponent_Item items(folder, nullptr);
  Read(Bytes().t("TPF0").ss("TRootComponent_Item").b({0}).ss("selindex").b({2, 5}).b({0, 0}), items);
  EXPECT_EQ(items.SelIndex, 5);
}

TEST(StreamReader, IdentifiersAndMembersIgnoreCase) {
  Sample s;
  Read(Record(Bytes()
                  .ss("Colour")
                  .b({7})
                  .ss("CLNAVY")
                  .ss("Form")
                  .b({7})
                  .ss("SHSQUARE")
                  .ss("Flag")
                  .b({7})
                  .ss("true")
                  .ss("Style")
                  .b({11})
                  .ss("FSITALIC")
                  .b({0})),
       s);
  EXPECT_EQ(s.Colour, clNavy);
  EXPECT_EQ(s.Form, shSquare);
  EXPECT_TRUE(s.Flag);
  EXPECT_EQ(s.Style, fsItalic);
}

TEST(StreamReader, EveryCauseHasItsMessage) {
  struct Case {
    const char* what;
    std::string bytes;
    std::string message;
  } cases[] = {
      {"bad signature", Bytes().t("TPF1").ss("TSample").b({0, 0, 0}), "不正なストリーム フォーマット"},
      {"string for integer", Record(Bytes().ss("Number").b({6}).ss("1")),
       "TSample.Number の読み込み中のエラー : 不正なプロパティの値です"},
      {"identifier for a plain integer", Record(Bytes().ss("Number").b({7}).ss("clRed")),
       "TSample.Number の読み込み中のエラー : 不正なプロパティの値です"},
      {"unknown colour name", Record(Bytes().ss("Colour").b({7}).ss("clPink")),
       "TSample.Colour の読み込み中のエラー : 不正なプロパティの値です"},
      {"unknown set member", Record(Bytes().ss("Style").b({11}).ss("fsShadow").b({0})),
       "TSample.Style の読み込み中のエラー : 不正なプロパティの値です"},
      {"unknown enum member", Record(Bytes().ss("Form").b({7}).ss("shOval")),
       "TSample.Form の読み込み中のエラー : 不正なプロパティの値です"},
      {"integer for string", Record(Bytes().ss("Text").b({2, 1})),
       "TSample.Text の読み込み中のエラー : 不正なプロパティの値です"},
      {"wide string for string", Record(Bytes().ss("Text").b({18, 1, 0, 0, 0, 0x41, 0})),
       "TSample.Text の読み込み中のエラー : 不正なプロパティの値です"},
      {"path through a non-object", Record(Bytes().ss("Number.X").b({2, 1})),
       "TSample.Number.X の読み込み中のエラー : 不正なプロパティのパスです"},
      {"path through a missing name", Record(Bytes().ss("Nope.X").b({2, 1})),
       "TSample.Nope.X の読み込み中のエラー : プロパティが存在しません"},
      {"missing name inside a sub-object", Record(Bytes().ss("Sub.Height").b({2, 1})),
       "TSample.Sub.Height の読み込み中のエラー : プロパティが存在しません"},
      {"string list with another name", Record(Bytes().ss("Lines.Items").b({1, 0})),
       "TSample.Lines.Items の読み込み中のエラー : プロパティが存在しません"},
      {"read-only property", Record(Bytes().ss("Fixed").b({2, 1})),
       "TSample.Fixed の読み込み中のエラー : プロパティは書き込み禁止です"},
      {"stream ends inside a value", Bytes().t("TPF0").ss("TSample").b({0}).ss("Number").b({3, 1}),
       "TSample.Number の読み込み中のエラー : ストリームからの読み込みエラー"},
      {"stream ends before the end markers", Bytes().t("TPF0").ss("TSample").b({0}).ss("Number").b({2, 1}),
       "ストリームからの読み込みエラー"},
  };
  for (const auto& c : cases) {
    Sample s;
    EXPECT_EQ(ReadError(c.bytes, s), c.message) << c.what;
  }
}

TEST(StreamReader, ACollectionItemFailureIsWrappedForTheItemAndForTheCollection) {
  DataFolder folder("/nonexistent/");
  TRootComponent_Item items(folder, nullptr);
  std::string bytes = Bytes()
                          .t("TPF0")
                          .ss("TRootComponent_Item")
                          .b({0})
                          .ss("Collection")
                          .b({14, 1})
                          .ss("Name")
                          .b({6})
                          .ss("ok")
                          .b({0, 1})
                          .ss("Colour")
                          .b({2, 1, 0, 0})
                          .b({0, 0});
  EXPECT_EQ(ReadError(bytes, items),
            "TRootComponent_Item.Collection の読み込み中のエラー : "
            "TItemsCollectionItem.Colour の読み込み中のエラー : プロパティが存在しません");
  // The item read before the failure stays.
  ASSERT_GE(items.Collection.size(), 1u);
  EXPECT_EQ(items.Collection[0]->Name, "ok");
}

TEST(StreamReader, ReadingStopsAtTheFirstFailure) {
  Sample s;
  s.Text = "old";
  std::string bytes = Record(Bytes().ss("Number").b({2, 9}).ss("Bad").b({2, 1}).ss("Text").b({6}).ss("new"));
  EXPECT_NE(ReadError(bytes, s), "(no error)");
  EXPECT_EQ(s.Number, 9);
  EXPECT_EQ(s.Text, "old");
}

TEST(StreamReader, PrefixesItemIndexesAndChildrenAreSkipped) {
  Sample s;
  std::string bytes = Bytes()
                          .t("TPF0")
                          .b({0xF2, 2, 5})  // prefix with a child position
                          .ss("TSample")
                          .b({0})
                          .ss("Entries")
                          .b({14, 2, 0, 1})  // an item index in front of the item
                          .ss("Value")
                          .b({2, 4, 0, 0})
                          .b({0})
                          // one child object with a property, then the end of children
                          .ss("TChild")
                          .b({0})
                          .ss("X")
                          .b({5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0})
                          .b({0, 0})
                          .b({0})
                          .t("rest");
  MemoryInput in(bytes);
  // The input only views its bytes, so it must not be made from a temporary string.
  static_assert(!std::is_constructible_v<MemoryInput, std::string>);
  static_assert(std::is_constructible_v<MemoryInput, const std::string&>);
  ReadComponent(in, s);
  ASSERT_EQ(s.Entries.size(), 1u);
  EXPECT_EQ(s.Entries[0]->Value, 4);
  EXPECT_EQ(in.Remaining(), 4u);
}

TEST(StreamReader, UnknownValueKindsAreSkippedInStepBeforeTheError) {
  // A property the class lacks, holding each kind the system never writes: the reader consumes the
  // whole value (so the message names the property) and refuses.
  std::string values[] = {
      Bytes().b({5, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}),
      Bytes().b({10, 2, 0, 0, 0, 1, 2}),
      Bytes().b({15, 1, 2, 3, 4}),
      Bytes().b({16, 1, 2, 3, 4, 5, 6, 7, 8}),
      Bytes().b({17, 1, 2, 3, 4, 5, 6, 7, 8}),
      Bytes().b({18, 2, 0, 0, 0, 0x41, 0, 0x42, 0}),
      Bytes().b({19, 1, 2, 3, 4, 5, 6, 7, 8}),
      Bytes().b({13}),
      Bytes().b({1, 2, 1, 6}).ss("s").b({0}),
  };
  for (const auto& v : values) {
    Sample s;
    EXPECT_EQ(ReadError(Record(Bytes().ss("Other").t(v)), s),
              "TSample.Other の読み込み中のエラー : プロパティが存在しません");
  }
}

TEST(StreamReader, HostileLengthsGiveTheReadErrorWithoutAllocating) {
  // Each claims far more bytes than remain.
  std::string lengths[] = {
      Bytes().ss("Text").b({12, 0xFF, 0xFF, 0xFF, 0x7F}),
      Bytes().ss("Text").b({12, 0xFF, 0xFF, 0xFF, 0xFF}),
      Bytes().ss("Text").b({6, 200}).t("short"),
      Bytes().ss("Other").b({10, 0xFF, 0xFF, 0xFF, 0xFF}),
      Bytes().ss("Other").b({18, 0xFF, 0xFF, 0xFF, 0x7F}),
      Bytes().ss("Lines.Strings").b({1, 12, 0xF0, 0xFF, 0xFF, 0x0F}),
  };
  for (const auto& l : lengths) {
    Sample s;
    std::string message = ReadError(Bytes().t("TPF0").ss("TSample").b({0}).t(l), s);
    EXPECT_NE(message.find("ストリームからの読み込みエラー"), std::string::npos) << message;
  }
}

TEST(StreamReader, DeepNestingIsRefused) {
  std::string nested = Bytes().ss("Other").str();
  for (int k = 0; k < 100000; ++k) nested.push_back(1);  // vtList inside vtList ...
  Sample s;
  EXPECT_NE(ReadError(Record(nested), s).find("ストリームからの読み込みエラー"), std::string::npos);
}

TEST(StreamReader, EveryTruncationOfAValidRecordFailsCleanly) {
  Sample s;
  s.Number = 100000;
  s.Text = std::string(400, 't');
  s.Lines = {"a", "b"};
  s.Style = fsBold;
  s.Entries.push_back(std::make_unique<Entry>());
  std::string bytes = Write(s);
  for (size_t n = 0; n < bytes.size(); ++n) {
    Sample target;
    MemoryInput in(std::string_view(bytes).substr(0, n));
    EXPECT_THROW(ReadComponent(in, target), StreamError) << n;
  }
}

}  // namespace
