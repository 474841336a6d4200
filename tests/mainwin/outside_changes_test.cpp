// Files changed under the running program (a sync tool, another machine): read again when nothing
// in them is unsaved, merged and told otherwise; the open group and item keep their place by
// NameID; conflict copies are merged and removed, at start and while running.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "fixture.h"
#include "store/folderlock.h"

using mwtest::App;
using mwtest::Sjis;

namespace {

using Names = std::vector<std::string>;

std::vector<mwtest::SeedGroup> Groups() {
  return {{"仕事", {{"会議", "議題"}, {"買い物", "牛乳\r\n卵\r\nパン", 2}}, 1}, {"趣味", {{"読書", "猫"}}, 0}};
}

// Another machine's change arriving: the file rewritten beside the program, as a sync tool does.
struct Outside {
  explicit Outside(const std::string& data) : folder(data) { groups.LoadFromFile("group.bin"); }
  void Items(int g, const std::function<void(store::TRootComponent_Item&)>& change) {
    store::TRootComponent_Item items(folder, editorsettings::EditorSettingsFactory());
    groups.LoadItems(g, &items);
    change(items);
    groups.SaveItems(g, &items);
  }
  void Groups(const std::function<void(store::TRootComponent_Group&)>& change) {
    change(groups);
    groups.SaveToFile("group.bin");
  }
  store::DataFolder folder;
  store::TRootComponent_Item current{folder, editorsettings::EditorSettingsFactory()};
  store::TRootComponent_Group groups{folder, editorsettings::EditorSettingsFactory(), current};
};

void AddItem(store::TRootComponent_Item& items, int at, const std::string& name, const std::string& text) {
  const int s = items.Add(at, -1, 0, 0, Sjis(name));
  items.ItemAt(items.DisplayIndexOf(s)).ItemText = Sjis(text);
}

Names Utf8(const std::vector<std::string>& cp932) {
  Names out;
  for (const std::string& n : cp932) out.push_back(mwtest::Utf8(n));
  return out;
}

Names StoredNames(const std::string& data, int g) {
  Names out;
  for (const mwtest::SeedItem& item : mwtest::StoredItems(data, g)) out.push_back(item.name);
  return out;
}

TEST(OutsideChanges, NothingUnsavedIsReadAgainWithTheOpenGroupAndItemKeptByNameID) {
  mwtest::TempDir dir;
  mwtest::Seed(dir.Data(), Groups(), 0);
  {
    App first(dir.Data());  // a first run stores the global editor settings it set up
    first.Start();
    first.Close();
  }
  App app(dir.Data());
  app.Start();
  ASSERT_EQ(app.core->OpenItem(), 1);
  app.editor.SetRow(1);  // a moved caret is nothing a reload loses
  Outside out(dir.Data());
  out.Items(0, [](store::TRootComponent_Item& items) {
    AddItem(items, 0, "電話", "折り返し");
    items.ItemAt(1).ItemText = Sjis("議題\r\n決定");
  });
  out.Groups([](store::TRootComponent_Group& groups) { groups.Add(0, -1, 0, 0, Sjis("新")); });

  app.core->TakeOutsideChanges();
  EXPECT_EQ(Utf8(app.groupView.rows), (Names{"新", "仕事", "趣味"}));
  EXPECT_EQ(app.groupView.selection, 1);
  EXPECT_EQ(Utf8(app.itemView.rows), (Names{"電話", "会議", "買い物"}));
  EXPECT_EQ(app.itemView.selection, 2);
  EXPECT_EQ(app.Text(), "牛乳\r\n卵\r\nパン");
  EXPECT_EQ(app.editor.Row(), 1);
  EXPECT_TRUE(app.host.notices.empty());
  EXPECT_EQ(app.host.statusMessages.size(), 1u);
  // Nothing changed since: nothing is read.
  app.core->TakeOutsideChanges();
  EXPECT_EQ(app.host.statusMessages.size(), 1u);

  // Leaving saves into the open group's own file, wherever it stands now.
  app.ClickGroup(2);
  EXPECT_EQ(app.Text(), "猫");
  EXPECT_EQ(StoredNames(dir.Data(), 1), (Names{"電話", "会議", "買い物"}));
  EXPECT_EQ(mwtest::StoredItems(dir.Data(), 1)[1].text, "議題\r\n決定");
  EXPECT_EQ(mwtest::StoredItems(dir.Data(), 1)[2].line, 1);
}

TEST(OutsideChanges, UnsavedWorkIsMergedByEntryAndToldInOneNotice) {
  mwtest::TempDir dir;
  mwtest::Seed(dir.Data(), Groups(), 0);
  App app(dir.Data());
  app.Start();
  app.Type("卵");
  Outside out(dir.Data());
  out.Items(0, [](store::TRootComponent_Item& items) {
    items.ItemAt(1).ItemText = Sjis("牛乳\r\n卵\r\nパン\r\n米");  // changed on both sides
    items.Delete(0);                                              // unchanged here: goes
    AddItem(items, 1, "電話", "折り返し");
  });

  app.core->TakeOutsideChanges();
  ASSERT_EQ(app.host.notices.size(), 1u);
  const std::string& notice = app.host.notices[0];
  for (const char* named :
       {"「買い物」 と 「買い物 (競合", "外部で追加されました: 「電話」", "外部で削除されました: 「会議」"})
    EXPECT_NE(notice.find(named), std::string::npos) << named << "\n" << notice;
  ASSERT_EQ(app.itemView.rows.size(), 3u);
  EXPECT_EQ(mwtest::Utf8(app.itemView.rows[0]), "買い物");
  EXPECT_EQ(mwtest::Utf8(app.itemView.rows[1]).rfind("買い物 (競合 ", 0), 0u);
  EXPECT_EQ(mwtest::Utf8(app.itemView.rows[2]), "電話");
  EXPECT_EQ(app.itemView.selection, 0);
  EXPECT_EQ(app.Text(), "牛乳\r\n卵\r\n卵パン");
  EXPECT_TRUE(app.editor.Modified());
  EXPECT_EQ(app.editor.Row(), 2);  // typing goes on where it was
  EXPECT_EQ(app.editor.Col(), 2);

  app.Close();
  const std::vector<mwtest::SeedItem> stored = mwtest::StoredItems(dir.Data(), 0);
  ASSERT_EQ(stored.size(), 3u);
  EXPECT_EQ(stored[0].text, "牛乳\r\n卵\r\n卵パン");
  EXPECT_EQ(stored[1].text, "牛乳\r\n卵\r\nパン\r\n米");
  EXPECT_EQ(stored[2].text, "折り返し");
}

TEST(OutsideChanges, AnItemChangedElsewhereOnlyShowsItsNewTextAndASaveMergesWhatCameMeanwhile) {
  mwtest::TempDir dir;
  mwtest::Seed(dir.Data(), Groups(), 0);
  App app(dir.Data());
  app.Start();
  Outside out(dir.Data());
  out.Items(0, [](store::TRootComponent_Item& items) { items.ItemAt(1).ItemText = Sjis("牛乳\r\n卵\r\n米"); });
  app.core->TakeOutsideChanges();
  EXPECT_EQ(app.Text(), "牛乳\r\n卵\r\n米");
  EXPECT_EQ(app.editor.Row(), 2);
  EXPECT_FALSE(app.editor.Modified());

  // Before the watcher says so, a save of the open group meets an item added elsewhere.
  app.Type("新");
  out.Items(0, [](store::TRootComponent_Item& items) { AddItem(items, 0, "電話", "折り返し"); });
  ASSERT_TRUE(app.core->SaveOpenGroup());
  EXPECT_EQ(Utf8(app.itemView.rows), (Names{"電話", "会議", "買い物"}));
  EXPECT_EQ(app.core->OpenItem(), 2);
  EXPECT_EQ(app.core->ItemList().CurIndex(), 2);
  ASSERT_EQ(app.host.notices.size(), 1u);
  EXPECT_NE(app.host.notices[0].find("電話"), std::string::npos);
  EXPECT_EQ(StoredNames(dir.Data(), 0), (Names{"電話", "会議", "買い物"}));
  EXPECT_EQ(mwtest::StoredItems(dir.Data(), 0)[2].text, "牛乳\r\n卵\r\n新米");
}

TEST(OutsideChanges, AGroupDeletedElsewhereStaysOpenWhileItsItemsHoldUnsavedWork) {
  mwtest::TempDir dir;
  mwtest::Seed(dir.Data(), Groups(), 0);
  App app(dir.Data());
  app.Start();
  app.Type("卵");
  Outside out(dir.Data());
  const std::string file = out.groups.ItemFileName(0);
  out.Groups([](store::TRootComponent_Group& groups) { groups.Delete(0); });
  app.core->TakeOutsideChanges();
  EXPECT_EQ(Utf8(app.groupView.rows), (Names{"仕事", "趣味"}));
  EXPECT_EQ(app.core->OpenGroup(), 0);
  EXPECT_EQ(app.Text(), "牛乳\r\n卵\r\n卵パン");
  ASSERT_EQ(app.host.notices.size(), 1u);
  EXPECT_NE(app.host.notices[0].find("アイテムが失われるため残しました: 「仕事」"), std::string::npos);

  // One with nothing unsaved goes.
  out.Groups([](store::TRootComponent_Group& groups) { groups.Delete(0); });
  app.core->TakeOutsideChanges();
  EXPECT_EQ(Utf8(app.groupView.rows), (Names{"仕事"}));
  app.Close();
  EXPECT_EQ(mwtest::StoredGroupNames(dir.Data()), (Names{"仕事"}));
  EXPECT_EQ(mwtest::StoredItems(dir.Data(), 0)[1].text, "牛乳\r\n卵\r\n卵パン");
  EXPECT_TRUE(std::filesystem::exists(dir.Data() + file));
}

TEST(OutsideChanges, ConflictCopiesAreMergedAndRemovedAtStartAndWhileRunning) {
  mwtest::TempDir dir;
  mwtest::Seed(dir.Data(), Groups(), 0);
  const std::string groupCopy = "group.sync-conflict-20240501-123005-ABCD2EF.bin";
  {
    Outside other(dir.Data());
    other.groups.Add(2, -1, 0, 0, Sjis("旅行"));
    other.groups.SaveToFile(groupCopy);
  }
  mwtest::WriteAll(dir.Data() + ".group.bin.tmp-Ab3xYz", "half a save");
  store::FolderLock lock(dir.Data());
  ASSERT_EQ(lock.TryLock(), store::FolderLock::State::Held);
  App app(dir.Data());
  app.Start();
  EXPECT_FALSE(std::filesystem::exists(dir.Data() + ".group.bin.tmp-Ab3xYz"));
  EXPECT_FALSE(std::filesystem::exists(dir.Data() + groupCopy));
  EXPECT_EQ(Utf8(app.groupView.rows), (Names{"仕事", "趣味", "旅行"}));
  ASSERT_EQ(app.host.questions.size(), 1u);  // told among the start-up's boxes
  EXPECT_NE(app.host.questions[0].text.find(groupCopy), std::string::npos) << app.host.questions[0].text;

  const std::string itemCopy = app.Data().Groups().ItemFileName(0) + ".sync-conflict-20240501-123005-ABCD2EF";
  {
    Outside other(dir.Data());
    store::TRootComponent_Item items(other.folder, editorsettings::EditorSettingsFactory());
    other.groups.LoadItems(0, &items);
    items.ItemAt(1).ItemText = Sjis("別の機械で");
    items.SaveToFile(itemCopy);
  }
  app.core->TakeOutsideChanges();
  EXPECT_FALSE(std::filesystem::exists(dir.Data() + itemCopy));
  ASSERT_EQ(app.host.notices.size(), 1u);
  EXPECT_NE(app.host.notices[0].find(itemCopy), std::string::npos);
  EXPECT_EQ(app.itemView.rows.size(), 3u);
  EXPECT_EQ(app.Text(), "牛乳\r\n卵\r\nパン");
  const std::vector<mwtest::SeedItem> stored = mwtest::StoredItems(dir.Data(), 0);
  ASSERT_EQ(stored.size(), 3u);
  EXPECT_EQ(stored[2].text, "別の機械で");
}

}  // namespace
