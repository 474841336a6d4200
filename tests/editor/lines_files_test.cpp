// Loading and saving the editor's text: line ends across block boundaries, Ctrl-Z, errors, and a
// save that never leaves a half-written file.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "editor/editorstrings.h"
#include "editor/wrapoption.h"
#include "fake_view.h"

namespace editor {
namespace {

namespace fs = std::filesystem;
using testing::FakeSink;
using testing::FakeView;
using testing::Layout;

class LinesFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("editor_files_" + std::to_string(::getpid()) + "_" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string Write(const std::string& name, const std::string& bytes) {
    const fs::path p = dir_ / name;
    std::ofstream(p, std::ios::binary) << bytes;
    return p.string();
  }
  static std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  fs::path dir_;
};

TEST_F(LinesFiles, LoadCutsLinesLikeSettingText) {
  struct Case {
    std::string bytes;
    std::string layout;
  };
  const std::vector<Case> cases = {
      {"a\r\nb", "a|b$"},
      {"a\r\n", "a|"},
      {"a\rb\nc\r\n", "a|b|c|"},
      {"", ""},
      {"abc\x1A"
       "def\r\nghi",
       "abc$"},  // Ctrl-Z ends the text
      {"abc\r\n\x1A\r\nmore", "abc|"},
      {std::string("a\0b", 3), std::string("a\0b$", 4)},  // NUL is an ordinary byte
      {"\x82\xA0\x82\xA2\r\n", "\x82\xA0\x82\xA2|"},
  };
  for (const Case& c : cases) {
    TEditorScreenStrings doc;
    TEditorStrings lines(doc, nullptr);
    lines.LoadFromFile(Write("in.txt", c.bytes));
    EXPECT_EQ(Layout(doc), c.layout);
  }
}

TEST_F(LinesFiles, LineBreaksSplitAcrossReadBlocksCountOnce) {
  // A CR as the last byte of the first 8192-byte block and its LF at the start of the next.
  std::string bytes(8191, 'x');
  bytes += "\r\ny\r";
  bytes += std::string(8192 - 3, 'z');
  bytes += "\nw";
  TEditorScreenStrings doc;
  TEditorStrings lines(doc, nullptr);
  lines.LoadFromFile(Write("blocks.txt", bytes));
  ASSERT_EQ(doc.Count(), 4);
  EXPECT_EQ(doc.GetView(0).size(), 8191u);
  EXPECT_EQ(doc.Get(1), "y");
  EXPECT_EQ(doc.GetView(2).size(), 8189u);
  EXPECT_EQ(doc.Get(3), "w");
  EXPECT_EQ(doc.RowAttr(3), rowTextEnd);
}

TEST_F(LinesFiles, LoadWrapsRecolorsAndRefreshes) {
  TEditorScreenStrings doc;
  FakeView view(doc);
  FakeSink sink;
  doc.SetRowStateSink(&sink);
  doc.WrapOption().SetWrapByte(60);
  doc.SetWordWrap(true);
  sink.recompute_all = 0;
  view.refreshes = 0;
  TEditorStrings lines(doc, &view);
  lines.LoadFromFile(Write("long.txt", std::string(130, 'L')));
  EXPECT_EQ(Layout(doc), std::string(60, 'L') + "~" + std::string(60, 'L') + "~LLLLLLLLLL$");
  EXPECT_EQ(lines.Count(), 1);
  EXPECT_EQ(sink.recompute_all, 1);
  EXPECT_GE(view.refreshes, 1);
  EXPECT_EQ(view.edit_depth, 0);
  EXPECT_FALSE(view.updating);
}

TEST_F(LinesFiles, MissingFileRaisesAfterClearing) {
  TEditorScreenStrings doc;
  FakeView view(doc);
  TEditorStrings lines(doc, &view);
  lines.SetText("old");
  const std::string missing = (dir_ / "nope.txt").string();
  try {
    lines.LoadFromFile(missing);
    FAIL() << "no error";
  } catch (const EFileError& e) {
    EXPECT_NE(std::string(e.what()).find(missing), std::string::npos);
    EXPECT_NE(std::string(e.what()).find("開けません"), std::string::npos);
  }
  EXPECT_EQ(doc.Count(), 0);
  EXPECT_EQ(view.edit_depth, 0);  // brackets closed despite the error
  EXPECT_EQ(doc.UpdateCount(), 0);
  EXPECT_EQ(lines.UpdateCount(), 0);
}

TEST_F(LinesFiles, SaveWritesTheTextAsIsAndReplacesAtomically) {
  TEditorScreenStrings doc;
  TEditorStrings lines(doc, nullptr);
  doc.WrapOption().SetWrapByte(20);
  doc.SetWordWrap(true);
  const std::string text = std::string(50, 's') + "\r\n\x82\xA0\r\nend";
  lines.SetText(text);
  const std::string path = Write("out.txt", "previous content that is longer than nothing");
  fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  lines.SaveToFile(path);
  EXPECT_EQ(Read(path), text);  // no final line break added
  EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  int files = 0;
  for (const auto& e : fs::directory_iterator(dir_)) {
    (void)e;
    ++files;
  }
  EXPECT_EQ(files, 1);  // no temporary file left behind

  TEditorScreenStrings back;
  TEditorStrings back_lines(back, nullptr);
  back_lines.LoadFromFile(path);
  EXPECT_EQ(back_lines.Text(), text);
}

TEST_F(LinesFiles, SaveIntoAMissingFolderFailsClearly) {
  TEditorScreenStrings doc;
  TEditorStrings lines(doc, nullptr);
  lines.SetText("x");
  const std::string path = (dir_ / "no" / "such" / "out.txt").string();
  try {
    lines.SaveToFile(path);
    FAIL() << "no error";
  } catch (const EFileError& e) {
    EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << e.what();
  }
  EXPECT_FALSE(fs::exists(path));
}

}  // namespace
}  // namespace editor
