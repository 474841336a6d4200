// What the print commands hand to the print dialog: the open item's lines as the editor holds
// them, and all items of the group in list order after the save question.
#include <gtest/gtest.h>

#include "fixture.h"
#include "mainwin/printjobs.h"

using namespace mainwin;
using mwtest::App;
using mwtest::Sjis;

namespace {

std::vector<std::string> Utf8Lines(const std::vector<std::string>& lines) {
  std::vector<std::string> out;
  for (const auto& l : lines) out.push_back(mwtest::Utf8(l));
  return out;
}

TEST(PrintJobs, TheOpenItemWithTypingNotYetWrittenBack) {
  mwtest::TempDir dir;
  mwtest::Seed(dir.Data(), {{"仕事", {{"予定", "月曜\r\n火曜\r\n"}, {"b", "b"}}, 0}});
  App app(dir.Data());
  app.Start();
  app.Type("朝 ");
  const PrintJob job = app.commands->Printing().OpenItemJob();
  EXPECT_EQ(Utf8Lines(job.lines), (std::vector<std::string>{"朝 月曜", "火曜"}));
  EXPECT_EQ(job.itemName, Sjis("予定"));
  EXPECT_EQ(job.groupName, Sjis("仕事"));
  EXPECT_TRUE(app.host.questions.empty());
  EXPECT_TRUE(app.editor.Modified());
}

TEST(PrintJobs, GroupItemsFollowOneAnotherInListOrder) {
  mwtest::TempDir dir;
  // Only b ends with a line break: a, b, an empty line, c.
  mwtest::Seed(dir.Data(), {{"G", {{"c", "c"}, {"a", "a"}, {"b", "b\r\n"}}, 0}});
  App app(dir.Data());
  app.Start();
  // The list order differs from the order of storage after a move.
  app.commands->Entries().MoveEntryDown(kItemListTag, 0);  // a c b
  app.commands->Entries().MoveEntryDown(kItemListTag, 1);  // a b c
  app.ClickItem(0);
  const std::optional<PrintJob> job = app.commands->Printing().GroupItemsJob();
  ASSERT_TRUE(job);
  EXPECT_EQ(Utf8Lines(job->lines), (std::vector<std::string>{"a", "b", "", "c"}));
  EXPECT_EQ(job->itemName, "a");
  EXPECT_EQ(job->groupName, "G");
}

TEST(PrintJobs, GroupItemsAskBeforeWritingBackAndCancelStops) {
  mwtest::TempDir dir;
  mwtest::Seed(dir.Data(), {{"G", {{"a", "a"}, {"b", "b"}}, 1}});
  App app(dir.Data());
  app.Start();
  app.Type("X");
  app.host.confirmAnswer = false;
  EXPECT_FALSE(app.commands->Printing().GroupItemsJob());
  ASSERT_EQ(app.host.questions.size(), 1u);
  EXPECT_EQ(app.host.questions[0],
            (Question{"データ保存の確認", "印刷する前に開いているアイテムを保存します", BoxIcon::None, true}));
  EXPECT_TRUE(app.editor.Modified());
  EXPECT_EQ(app.core->Data().Items().ItemAt(1).ItemText, "b");
  app.host.confirmAnswer = true;
  const std::optional<PrintJob> job = app.commands->Printing().GroupItemsJob();
  ASSERT_TRUE(job);
  EXPECT_EQ(job->lines, (std::vector<std::string>{"a", "Xb"}));
  // Written back and reloaded: the editor is clean and shows the stored text.
  EXPECT_FALSE(app.editor.Modified());
  EXPECT_EQ(app.Text(), "Xb");
  // Unchanged text, or FindWarning off: no question, and the typing is still written back.
  ASSERT_TRUE(app.commands->Printing().GroupItemsJob());
  app.core->Data().MainData().FindWarning = false;
  app.Type("Y");
  const std::optional<PrintJob> again = app.commands->Printing().GroupItemsJob();
  ASSERT_TRUE(again);
  EXPECT_EQ(again->lines, (std::vector<std::string>{"a", "YXb"}));
  EXPECT_EQ(app.host.questions.size(), 2u);
}

TEST(PrintJobs, TheCommandsHandTheirJobsToTheWindowOnlyWithSomethingOpen) {
  mwtest::TempDir dir;
  mwtest::Seed(dir.Data(), {{"仕事", {{"予定", "月曜"}, {"b", "b"}}, 0}});
  App app(dir.Data());
  app.Start();
  EXPECT_TRUE(app.Run(ActionId::Print));
  EXPECT_TRUE(app.Run(ActionId::PrintGroupItems));
  ASSERT_EQ(app.window.printed.size(), 2u);
  EXPECT_EQ(Utf8Lines(app.window.printed[0].lines), (std::vector<std::string>{"月曜"}));
  EXPECT_EQ(Utf8Lines(app.window.printed[1].lines), (std::vector<std::string>{"月曜", "b"}));
  app.core->ItemList().UserSelected(-1);
  app.Run(ActionId::Print);
  EXPECT_EQ(app.window.printed.size(), 2u);
}

}  // namespace
