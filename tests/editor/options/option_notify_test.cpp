// Change notification: one per change, none for an unchanged value, one per Assign and per update
// bracket, and changes of owned sub-objects reported by their owner.
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

#include "changes.h"
#include "editor/updatescope.h"
#include "optionset.h"

using namespace editor;
using namespace store;
using optiontest::Change;
using optiontest::kChanges;
using optiontest::OptionSet;

namespace {

TEST(OptionNotify, EachChangeNotifiesOnceAndRepeatingItNotAtAll) {
  for (const Change& c : kChanges) {
    OptionSet o;
    c.apply(o);
    EXPECT_TRUE(c.check(o)) << c.name;
    EXPECT_EQ(o.changes, 1) << c.name;
    c.apply(o);
    EXPECT_EQ(o.changes, 1) << c.name << " set again";
  }
}

TEST(OptionNotify, AClampedValueEqualToTheCurrentOneDoesNotNotify) {
  OptionSet o;
  o.Caret.SetTabSpaceCount(9);  // 8 already
  o.Ruler.SetGaugeRange(11);    // 10 already
  o.Margin.SetCharacter(-1);    // 0 already
  o.Leftbar.SetColumn(4);       // 4 already
  EXPECT_EQ(o.changes, 0);
}

// Both a default and a main-valued object of each class.
template <class T>
class AssignTest : public ::testing::Test {};
using NotifyingOptions = ::testing::Types<TEditorCursors, TEditorCaret, TEditorMarks, TEditorMargin, TEditorRuler,
                                          TEditorLeftbar, TEditorImagebar>;
TYPED_TEST_SUITE(AssignTest, NotifyingOptions);

TYPED_TEST(AssignTest, AssignCopiesEverythingAndNotifiesOnce) {
  TypeParam target, main;
  main.SetMainValues();
  int changes = 0;
  target.OnChange = [&] { ++changes; };
  target.Assign(main);
  EXPECT_TRUE(target == main);
  EXPECT_EQ(changes, 1);
  target.Assign(main);  // nothing differs and still one notification
  EXPECT_EQ(changes, 2);
  target.Assign(target);
  EXPECT_EQ(changes, 3);
}

TYPED_TEST(AssignTest, UpdateBracketsHoldNotificationsUntilTheOutermostEnd) {
  TypeParam o;
  int changes = 0;
  o.OnChange = [&] { ++changes; };
  o.BeginUpdate();
  o.BeginUpdate();
  o.SetMainValues();
  TypeParam other;
  o.Assign(other);
  EXPECT_EQ(changes, 0);
  o.EndUpdate();
  EXPECT_EQ(changes, 0);
  o.EndUpdate();
  EXPECT_EQ(changes, 1);
}

TYPED_TEST(AssignTest, AnUpdateScopeLeftByAnExceptionStillClosesItsBracket) {
  TypeParam o;
  int changes = 0;
  o.OnChange = [&] { ++changes; };
  try {
    UpdateScope update(o);
    UpdateScope none(static_cast<TypeParam*>(nullptr));
    o.SetMainValues();
    throw std::runtime_error("interrupted");
  } catch (const std::runtime_error&) {}
  EXPECT_EQ(changes, 1);
  // Later changes notify again at once.
  o.Assign(TypeParam());
  EXPECT_EQ(changes, 2);
}

TEST(OptionNotify, AssignCarriesEveryChangedValueWithOneNotificationPerObject) {
  OptionSet source;
  for (const Change& c : kChanges) c.apply(source);
  OptionSet target;
  target.Caret.Assign(source.Caret);
  target.Marks.Assign(source.Marks);
  target.Margin.Assign(source.Margin);
  target.Ruler.Assign(source.Ruler);
  target.Leftbar.Assign(source.Leftbar);
  target.Imagebar.Assign(source.Imagebar);
  for (const Change& c : kChanges) EXPECT_TRUE(c.check(target)) << c.name;
  EXPECT_EQ(target.changes, 6);
}

TEST(OptionNotify, OwnedSubObjectsReportThroughTheirOwner) {
  OptionSet o;
  o.Caret.BeginUpdate();
  o.Caret.Cursors().SetInSelCursor(crIBeam);
  o.Marks.Underline().SetVisible(true);
  EXPECT_EQ(o.changes, 1);  // the marks at once, the caret held by its bracket
  o.Caret.EndUpdate();
  EXPECT_EQ(o.changes, 2);

  OptionSet main;
  main.SetMainValues();
  o.changes = 0;
  o.Marks.Assign(main.Marks);  // five marks change, one notification
  o.Caret.SetCursors(main.Caret.Cursors());
  EXPECT_EQ(o.changes, 2);
  EXPECT_TRUE(o.Marks == main.Marks);
  EXPECT_TRUE(o.Caret.Cursors() == main.Caret.Cursors());
}

TEST(OptionNotify, SpeedAssignCopiesWithoutNotification) {
  TEditorSpeed s, main;
  main.SetMainValues();
  main.SetPageVerticalRangeAc(4);
  s.Assign(main);
  EXPECT_TRUE(s == main);
  EXPECT_TRUE(s.InitBracketsFull());
  EXPECT_EQ(s.PageVerticalRangeAc(), 4);
}

}  // namespace
