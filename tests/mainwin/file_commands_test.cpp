// The file commands as the user runs them: adding files from the dialog or by dropping them,
// saving the open item and the whole group, the outside editor's copy, exporting a group and
// importing it back; what they ask, what they write, and what they leave alone when something
// fails or the user cancels.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "fixture.h"
#include "mainwin/filecommands.h"
#include "mainwin/fileexchange.h"

using namespace mainwin;
using mwtest::App;
using mwtest::SeedGroup;
using mwtest::Sjis;

namespace {

struct FileApp : App {
  explicit FileApp(const mwtest::TempDir& dir) : App(dir.Data(), dir.Path() + "/$temp.txt") {}

  std::vector<std::string> ItemNames() {
    std::vector<std::string> out;
    for (int i = 0; i < core->Data().Items().Count(); ++i)
      out.push_back(mwtest::Utf8(core->Data().Items().ItemAt(i).Name));
    return out;
  }
  std::string ItemText(int i) { return mwtest::Utf8(core->Data().Items().ItemAt(i).ItemText); }
  std::string ItemFile(int g) { return core->Data().Folder().Path() + core->Data().Groups().ItemFileName(g); }
};

std::vector<SeedGroup> Groups() {
  return {{"仕事", {{"a", "a"}, {"b", "b"}, {"c", "c"}}, 0}, {"日本語", {{"本", "読む"}}, 0}};
}

std::set<std::string> FilesIn(const std::string& folder) {
  std::set<std::string> out;
  for (const auto& e : std::filesystem::directory_iterator(folder)) out.insert(e.path().filename().string());
  return out;
}

// ---- adding files

TEST(DropFiles, TwoTextFilesAndAShortcutWithYesAddTwoItemsWithoutDialogs) {
  mwtest::TempDir dir;
  mwtest::Seed(dir.Data(), Groups(), 0);
  mwtest::WriteAll(dir.Path() + "/メモ.txt", Sjis("一行目\r\n二行目"));
  mwtest::WriteAll(dir.Path() + "/notes.md", "plain");
  mwtest::WriteAll(dir.Path() + "/start.LNK", "shortcut");
  std::filesystem::create_directory(dir.Path() + "/folder");
  FileApp app(dir);
  app.Start();
  app.ClickItem(1);
  app.host.confirmAnswer = true;  // Yes: names from the files
  app.Files().Panel_Drop_ItemDropFiles(
      {dir.Path() + "/メモ.txt", dir.Path() + "/start.LNK", dir.Path() + "/folder", dir.Path() + "/notes.md"});
  ASSERT_EQ(app.host.questions.size(), 1u);
  EXPECT_EQ(
      app.host.questions[0],
      (Question{"自動処理確認", "複数のファイルを取り込みました\r\nファイル名をアイテム名として自動処理しますか？",
                BoxIcon::Question, true, true}));
  EXPECT_TRUE(app.host.entryCaptions.empty());
  EXPECT_EQ(app.ItemNames(), (std::vector<std::string>{"a", "b", "c", "メモ.txt", "notes.md"}));
  EXPECT_EQ(app.ItemText(3), "一行目\r\n二行目");
  EXPECT_EQ(app.ItemText(4), "plain");
  // The last file added is open, unmodified, and the position left is in the history.
  EXPECT_EQ(app.core->ItemList().ItemIndex(), 4);
  EXPECT_EQ(app.Text(), "plain");
  EXPECT_FALSE(app.editor.Modified());
  const auto back = store::THistoryCollection::Positions(app.core->Data().History().CollectionBk);
  EXPECT_NE(std::find(back.begin(), back.end(), store::HistoryPosition{0, 1}), back.end());
  app.Close();
  EXPECT_EQ(mwtest::StoredItems(dir.Data(), 0).size(), 5u);
}

TEST(DropFiles, NoShowsTheEntryDialogForEachFileAndCancelSkipsIt) {
  mwtest::TempDir dir;
  mwtest::Seed(dir.Data(), Groups(), 0);
  mwtest::WriteAll(dir.Path() + "/one.txt", "1");
  mwtest::WriteAll(dir.Path() + "/two.txt", "2");
  FileApp app(dir);
  app.Start();
  app.host.confirmAnswer = false;  // No: a dialog for every file
  std::vector<std::string> offered;
  app.host.entryDialog = [&offered](EntryFields& f) {
    offered.push_back(mwtest::Utf8(f.name));
    if (offered.size() == 1) return false;  // the first one is cancelled
    f.name = Sjis("二番");
    return true;
  };
  app.Files().Panel_Drop_ItemDropFiles({dir.Path() + "/one.txt", dir.Path() + "/two.txt"});
  EXPECT_EQ(offered, (std::vector<std::string>{"one.txt", "two.txt"}));
  EXPECT_EQ(app.ItemNames(), (std::vector<std::string>{"a", "b", "c", "二番"}));
  EXPECT_EQ(app.ItemText(3), "2");
}

TEST(DropFiles, WithoutAGroupNothingIsAdded) {
  mwtest::TempDir dir;
  mwtest::WriteAll(dir.Path() + "/one.txt", "1");
  FileApp app(dir);
  app.Start();
  app.Files().Panel_Drop_ItemDropFiles({dir.Path() + "/one.txt"});
  ASSERT_EQ(app.host.questions.size(), 1u);
  EXPECT_EQ(app.host.questions[0],
            (Question{"KANATA", "グループを選択してからドロップしてください", BoxIcon::None, false}));
  EXPECT_EQ(app.core->Data().Items().Count(), 0);
  // The same through the command itself.
  app.Files().AddFileAsItem(dir.Path() + "/one.txt", false);
  EXPECT_EQ(app.host.questions.back().text, "グループが選択されていません");
  EXPECT_EQ(app.core->Data().Items().Count(), 0);
}

TEST(AddFile, OneFileFromTheDialogAsksForItsNameOnly) {
  mwtest::TempDir dir;
  mwtest::Seed(dir.Data(), Groups(), 0);
  mwtest::WriteAll(dir.Path() + "/予定.txt", "月曜\r\n火曜");
  FileApp app(dir);
  app.Start();
  app.Type("typed ");  // the item left keeps its typing
  app.files.openAnswers = {{dir.Path() + "/予定.txt"}};
  EXPECT_TRUE(app.Run(ActionId::AddFile));
  EXPECT_TRUE(app.host.questions.empty());
  ASSERT_EQ(app.host.entryCaptions, (std::vector<std::string>{"アイテム追加"}));
  EXPECT_EQ(mwtest::Utf8(app.host.entryShown[0].name), "予定.txt");
  EXPECT_EQ(app.ItemNames().back(), "予定.txt");
  EXPECT_EQ(app.Text(), "月曜\r\n火曜");
  EXPECT_EQ(app.ItemText(0), "typed a");
  // A cancelled dialog adds nothing.
  EXPECT_TRUE(app.Run(ActionId::AddFile));
  EXPECT_EQ(app.core->Data().Items().Count(), 4);
}

TEST(AddFile, Utf8FilesAreConvertedAndReplacedCharactersReported) {
  mwtest::TempDir dir;
  mwtest::Seed(dir.Data(), Groups(), 0);
  mwtest::WriteAll(dir.Path() + "/u1.txt", "日本語 \xF0\x9F\x98\x80");
  mwtest::WriteAll(dir.Path() + "/u2.txt", "caf\xC3\xA9 \xC3\xA9t\xC3\xA9");
  FileApp app(dir);
  app.Start();
  app.files.openAnswers = {{dir.Path() + "/u1.txt", dir.Path() + "/u2.txt"}};
  app.Files().Action_AddFileExecute();
  EXPECT_EQ(app.ItemText(3), "日本語 ?");
  EXPECT_EQ(app.ItemText(4), "caf? ?t?");
  ASSERT_EQ(app.host.questions.size(), 2u);  // Yes/No, then one report for the whole command
  EXPECT_EQ(app.host.questions[1].caption, "処理結果");
  EXPECT_EQ(app.host.questions[1].text, "4 文字は Shift-JIS で表せないため「?」に置き換えて取り込みました");
  EXPECT_FALSE(app.host.questions[1].cancel);
}

TEST(AddFile, AnUnreadableFileAddsNoItem) {
  mwtest::TempDir dir;
  mwtest::Seed(dir.Data(), Groups(), 0);
  FileApp app(dir);
  app.Start();
  EXPECT_FALSE(app.Files().AddFileAsItem(dir.Path() + "/gone.txt", false));
  ASSERT_EQ(app.host.errors.size(), 1u);
  EXPECT_NE(app.host.errors[0].find("gone.txt"), std::string::npos);
  EXPECT_EQ(app.core->Data().Items().Count(), 3);
}

// ---- saving text files

TEST(SaveToFile, WritesTheEditorsLinesWithUnsavedTyping) {
  mwtest::TempDir dir;
  mwtest::Seed(dir.Data(), {{"G", {{"予定/来週", "月曜\r\n火曜"}}, 0}});
  FileApp app(dir);
  app.Start();
  app.Type("朝 ");
  const std::string out = dir.Path() + "/out.txt";
  mwtest::WriteAll(out, "old contents that are longer");
  app.files.saveAnswers = {out};
  app.Run(ActionId::SaveToFile);
  EXPECT_EQ(app.files.proposed, (std::vector<std::string>{"予定_来週"}));
  EXPECT_EQ(mwtest::ReadAll(out), Sjis("朝 月曜\r\n火曜\r\n"));
  // Nothing was written back: the item keeps its stored text.
  EXPECT_EQ(app.ItemText(0), "月曜\r\n火曜");
  EXPECT_TRUE(app.editor.Modified());
  // Cancelled: no file.
  app.Run(ActionId::SaveToFile);
  EXPECT_FALSE(std::filesystem::exists(dir.Path() + "/予定_来週"));
}

TEST(SaveToFileGroupItems, ThreeItemsAreJoinedWithCrLf) {
  mwtest::TempDir dir;
  mwtest::Seed(dir.Data(), Groups(), 0);
  FileApp app(dir);
  app.Start();
  const std::string out = dir.Path() + "/all.txt";
  app.files.saveAnswers = {out};
  app.Run(ActionId::SaveToFile_GroupItems);
  EXPECT_TRUE(app.host.questions.empty());  // nothing typed
  EXPECT_EQ(mwtest::ReadAll(out), "a\r\nb\r\nc\r\n");
  // The dialog keeps its last name: "NewFile" at first, then the file chosen.
  app.Run(ActionId::SaveToFile_GroupItems);
  EXPECT_EQ(app.files.proposed, (std::vector<std::string>{"NewFile", out}));
}

TEST(SaveToFileGroupItems, TypingIsWrittenBackAfterTheQuestionAndCancelStops) {
  mwtest::TempDir dir;
  mwtest::Seed(dir.Data(), Groups(), 0);
  FileApp app(dir);
  app.Start();
  app.ClickItem(1);
  app.Type("X");
  const std::string out = dir.Path() + "/all.txt";
  app.host.confirmAnswer = false;
  app.files.saveAnswers = {out};
  app.Run(ActionId::SaveToFile_GroupItems);
  ASSERT_EQ(app.host.questions.size(), 1u);
  EXPECT_EQ(app.host.questions[0],
            (Question{"データ保存の確認", "ファイル作成する前に開いているアイテムを保存します", BoxIcon::None, true}));
  EXPECT_TRUE(app.files.proposed.empty());
  EXPECT_TRUE(app.editor.Modified());
  app.host.confirmAnswer = true;
  app.Run(ActionId::SaveToFile_GroupItems);
  EXPECT_EQ(mwtest::ReadAll(out), "a\r\nXb\r\nc\r\n");
  EXPECT_FALSE(app.editor.Modified());
  EXPECT_EQ(app.Text(), "Xb");
  // Without FindWarning nothing is asked, the typing is still written back.
  app.core->Data().MainData().FindWarning = false;
  app.Type("Y");
  app.files.saveAnswers = {out};
  app.Run(ActionId::SaveToFile_GroupItems);
  EXPECT_EQ(app.host.questions.size(), 2u);
  EXPECT_EQ(mwtest::ReadAll(out), "a\r\nYXb\r\nc\r\n");
}

// ---- the outside editor

TEST(OutsideEditor, TheOpenItemWithTypingAndTheGroupWithout) {
  mwtest::TempDir dir;
  mwtest::Seed(dir.Data(), Groups(), 0);
  FileApp app(dir);
  app.Start();
  const std::string temp = dir.Path() + "/$temp.txt";
  app.Type("new ");
  app.Run(ActionId::OpenFormEditor);
  EXPECT_EQ(mwtest::ReadAll(temp), "new a\r\n");
  EXPECT_EQ(app.files.opened, (std::vector<std::string>{temp}));
  // Right after typing, the group's copy holds the texts as stored.
  app.Run(ActionId::OpenFormEditor_GroupItems);
  EXPECT_EQ(mwtest::ReadAll(temp), "a\r\nb\r\nc\r\n");
  EXPECT_EQ(app.files.opened.size(), 2u);
  EXPECT_TRUE(app.host.questions.empty());
  EXPECT_TRUE(app.editor.Modified());
  EXPECT_EQ(app.Text(), "new a");
  // Nothing to open it with: said, not passed over.
  app.files.openSucceeds = false;
  app.Run(ActionId::OpenFormEditor);
  ASSERT_EQ(app.host.errors.size(), 1u);
  EXPECT_NE(app.host.errors[0].find("$temp.txt"), std::string::npos);
}

// ---- export and import

TEST(Export, TheItemFileGrownByItsHeaderAfterSavingTheTyping) {
  mwtest::TempDir dir;
  mwtest::Seed(dir.Data(), Groups(), 1);
  FileApp app(dir);
  app.Start();
  app.core->Data().Groups().EntryAt(1).ListTxtColor = store::clGreen;
  app.Type("more ");
  app.host.confirmAnswer = true;
  app.files.saveAnswers = {dir.Path() + "/export.txt"};
  app.Run(ActionId::GroupExport);
  ASSERT_GE(app.host.questions.size(), 2u);
  EXPECT_EQ(app.host.questions[0],
            (Question{"保存確認", "エクスポートする前に開いているグループを保存します", BoxIcon::Warning, true}));
  EXPECT_EQ(app.host.questions[1], (Question{"処理結果", "エクスポートに成功しました", BoxIcon::None, false}));
  EXPECT_EQ(app.files.proposed, (std::vector<std::string>{app.core->Data().Groups().ItemFileName(1)}));
  EXPECT_FALSE(std::filesystem::exists(dir.Path() + "/export.txt"));
  const std::string exported = mwtest::ReadAll(dir.Path() + "/export.sted");
  const std::string items = mwtest::ReadAll(app.ItemFile(1));
  // Three double-byte characters: L = 7, the file is the item file plus 8 + L bytes.
  EXPECT_EQ(exported.size(), items.size() + 8 + 7);
  EXPECT_EQ(exported.substr(0, 4), std::string("\x07\x00\x00\x00", 4));
  EXPECT_EQ(exported.substr(15), items);
  EXPECT_EQ(mwtest::StoredItems(dir.Data(), 1)[0].text, "more 読む");
  // The editor kept its contents through the save.
  EXPECT_EQ(app.Text(), "more 読む");
}

TEST(Export, CancelAndFailuresWriteNothingAndSaySo) {
  mwtest::TempDir dir;
  mwtest::Seed(dir.Data(), Groups(), 0);
  FileApp app(dir);
  app.Start();
  app.Type("x");
  app.host.confirmAnswer = false;
  app.Run(ActionId::GroupExport);
  EXPECT_TRUE(app.files.proposed.empty());  // cancelled before the dialog
  app.host.confirmAnswer = true;
  app.Run(ActionId::GroupExport);  // dialog cancelled
  EXPECT_EQ(app.files.proposed.size(), 1u);
  app.files.saveAnswers = {dir.Path() + "/no/such/folder/g.sted"};
  app.Run(ActionId::GroupExport);
  ASSERT_EQ(app.host.errors.size(), 1u);
  EXPECT_NE(app.host.errors[0].find("g.sted"), std::string::npos);
  // No success message after the failure: the last box is the save question.
  EXPECT_EQ(app.host.questions.back().caption, "保存確認");
}

TEST(Import, TwiceGivesTwoGroupsWithTheSameNameAndTheirOwnFiles) {
  mwtest::TempDir dir;
  mwtest::Seed(dir.Data(), Groups(), 1);
  FileApp app(dir);
  app.Start();
  const std::string sted = dir.Path() + "/g.sted";
  app.files.saveAnswers = {sted};
  app.Run(ActionId::GroupExport);
  app.ClickGroup(0);
  app.Type("kept ");
  app.files.importAnswers = {sted, sted};
  app.Run(ActionId::GroupImport);
  EXPECT_EQ(app.host.questions.back(), (Question{"処理結果", "インポートに成功しました", BoxIcon::None, false}));
  app.Run(ActionId::GroupImport);
  ASSERT_EQ(app.core->Data().Groups().Count(), 4);
  EXPECT_EQ(mwtest::Utf8(app.core->Data().Groups().EntryAt(2).Name), "日本語");
  EXPECT_EQ(mwtest::Utf8(app.core->Data().Groups().EntryAt(3).Name), "日本語");
  const std::set<int32_t> ids = {app.core->Data().Groups().EntryAt(1).NameID,
                                 app.core->Data().Groups().EntryAt(2).NameID,
                                 app.core->Data().Groups().EntryAt(3).NameID};
  EXPECT_EQ(ids.size(), 3u);
  // The second copy is open, with the exported item.
  EXPECT_EQ(app.core->GroupList().ItemIndex(), 3);
  EXPECT_EQ(app.ItemNames(), (std::vector<std::string>{"本"}));
  EXPECT_EQ(app.Text(), "読む");
  // The typing in the group left reached its file on the switch.
  EXPECT_EQ(mwtest::StoredItems(dir.Data(), 0)[0].text, "kept a");
  app.Close();
  EXPECT_EQ(mwtest::StoredGroupNames(dir.Data()), (std::vector<std::string>{"仕事", "日本語", "日本語", "日本語"}));
  EXPECT_EQ(mwtest::StoredItems(dir.Data(), 0)[0].text, "kept a");
  EXPECT_EQ(mwtest::StoredItems(dir.Data(), 3)[0].text, "読む");
}

TEST(Import, ATruncatedOrForeignFileAddsNothing) {
  mwtest::TempDir dir;
  mwtest::Seed(dir.Data(), Groups(), 0);
  FileApp app(dir);
  app.Start();
  const std::string sted = dir.Path() + "/g.sted";
  app.files.saveAnswers = {sted};
  app.Run(ActionId::GroupExport);
  const std::string whole = mwtest::ReadAll(sted);
  mwtest::WriteAll(dir.Path() + "/cut.sted", whole.substr(0, whole.size() - 10));
  mwtest::WriteAll(dir.Path() + "/text.sted", "not an exchange file\r\n");
  mwtest::WriteAll(dir.Path() + "/short.sted", "\x03");
  const auto dataFiles = FilesIn(dir.Data());
  const auto besideFiles = FilesIn(dir.Path());
  app.files.importAnswers = {dir.Path() + "/cut.sted", dir.Path() + "/text.sted", dir.Path() + "/short.sted",
                             dir.Path() + "/missing.sted"};
  for (int k = 0; k < 4; ++k) app.Run(ActionId::GroupImport);
  EXPECT_EQ(app.host.errors.size(), 4u);
  EXPECT_EQ(app.host.errors[0], dir.Path() + "/cut.sted の読み込み中のエラー : ストリームからの読み込みエラー");
  EXPECT_EQ(app.core->Data().Groups().Count(), 2);
  EXPECT_EQ(app.core->GroupList().ItemIndex(), 0);
  EXPECT_EQ(FilesIn(dir.Data()), dataFiles);
  EXPECT_EQ(FilesIn(dir.Path()), besideFiles);
  // No success message was shown.
  for (const auto& q : app.host.questions) EXPECT_NE(q.text, "インポートに成功しました");
}

}  // namespace
