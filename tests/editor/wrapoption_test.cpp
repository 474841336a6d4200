// The word-wrap option object: defaults, clamping, notification and its stored properties.
#include "editor/wrapoption.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace editor {
namespace {

TEST(TEditorWrapOption, DefaultsAndWrapByteClamping) {
  TEditorWrapOption o;
  EXPECT_EQ(o.WrapByte(), 80);
  EXPECT_FALSE(o.WordBreak());
  EXPECT_FALSE(o.FollowPunctuation());
  EXPECT_FALSE(o.Leading());
  EXPECT_FALSE(o.FollowRetMark());
  EXPECT_EQ(o.PunctuationStr(), "\x81\x41\x81\x42\x81\x43\x81\x44,.\xA1\xA4");
  EXPECT_EQ(o.LeadStr().substr(0, 2), "\x81\x69");  // （
  EXPECT_EQ(o.FollowStr().size(), 56u);             // 20 double-byte and 16 single-byte characters
  const std::vector<std::pair<int64_t, int>> clamps = {{10, 20}, {300, 250}, {20, 20}, {250, 250}, {60, 60}, {-5, 20}};
  for (auto [in, out] : clamps) {
    o.SetWrapByte(in);
    EXPECT_EQ(o.WrapByte(), out) << in;
  }
}

TEST(TEditorWrapOption, NotifiesOnRealChangesAndAssignNotifiesOnce) {
  TEditorWrapOption o;
  int changes = 0;
  o.OnChange = [&] { ++changes; };
  o.SetWrapByte(80);
  o.SetWordBreak(false);
  o.SetLeadStr(o.LeadStr());
  EXPECT_EQ(changes, 0);
  o.SetWrapByte(60);
  o.SetWrapByte(10);
  o.SetWrapByte(5);  // still 20
  o.SetFollowStr("x");
  EXPECT_EQ(changes, 3);

  TEditorWrapOption src;
  src.SetWrapByte(60);
  src.SetWordBreak(true);
  src.SetFollowPunctuation(true);
  src.SetFollowRetMark(true);
  src.SetPunctuationStr("p");
  changes = 0;
  o.Assign(src);
  EXPECT_EQ(changes, 1);
  EXPECT_TRUE(o == src);
  o.Assign(src);  // nothing differs, still one notification
  EXPECT_EQ(changes, 2);
}

// Records the schedule the record stream sees.
class Recorder : public store::PropertyVisitor {
 public:
  std::vector<std::string> seen;
  void Integer(std::string_view name, store::IntRef v, int32_t def, bool) override {
    seen.push_back("I:" + std::string(name) + "=" + std::to_string(v.Get()) + "/" + std::to_string(def));
    v.Set(7);  // the reader clamps through the setter
  }
  void Colour(std::string_view, store::IntRef, int32_t) override {}
  void Charset(std::string_view, store::IntRef, int32_t) override {}
  void Enum(std::string_view, store::IntRef, store::NameList, int32_t) override {}
  void Boolean(std::string_view name, store::IntRef v, int32_t def) override {
    seen.push_back("B:" + std::string(name) + "=" + std::to_string(v.Get()) + "/" + std::to_string(def));
    v.Set(1);
  }
  void Set(std::string_view, store::IntRef, store::NameList, int32_t) override {}
  void String(std::string_view name, store::StrRef v, bool) override {
    seen.push_back("S:" + std::string(name));
    v.Set(std::string("z"));
  }
  void Object(std::string_view, store::Persistent&) override {}
  void StringList(std::string_view, std::vector<std::string>&) override {}
  void Collection(std::string_view, store::CollectionRef&) override {}
};

TEST(TEditorWrapOption, DescribesItsPropertiesInStoredOrder) {
  TEditorWrapOption o;
  int changes = 0;
  o.OnChange = [&] { ++changes; };
  Recorder r;
  o.Describe(r);
  const std::vector<std::string> expected = {
      // No defaults: False and 80 are written like any other value.
      "B:FollowRetMark=0/" + std::to_string(store::kNoDefault),
      "B:FollowPunctuation=0/" + std::to_string(store::kNoDefault),
      "S:FollowStr",
      "B:Leading=0/" + std::to_string(store::kNoDefault),
      "S:LeadStr",
      "S:PunctuationStr",
      "B:WordBreak=0/" + std::to_string(store::kNoDefault),
      "I:WrapByte=80/" + std::to_string(store::kNoDefault),
  };
  EXPECT_EQ(r.seen, expected);
  EXPECT_EQ(o.ClassName(), "TEditorWrapOption");
  // Values read through the schedule go through the setters.
  EXPECT_TRUE(o.FollowRetMark());
  EXPECT_TRUE(o.WordBreak());
  EXPECT_EQ(o.FollowStr(), "z");
  EXPECT_EQ(o.WrapByte(), 20);
  EXPECT_EQ(changes, 8);
}

}  // namespace
}  // namespace editor
