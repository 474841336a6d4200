// Random edits through ReplaceRows checked against the same edits on a plain string, with word
// wrap off and on; undo and redo of the whole history; bookmarks never lost; line queries
// checked against a walk over the rows.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "editor/undo.h"
#include "editor/wrapoption.h"
#include "fake_view.h"

namespace editor {
namespace {

using testing::FakeView;
using testing::Layout;

// CR LF, lone CR and lone LF all become CR LF.
std::string Normalise(const std::string& s) {
  std::string out;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\r') {
      out += "\r\n";
      if (i + 1 < s.size() && s[i + 1] == '\n') ++i;
    } else if (s[i] == '\n') {
      out += "\r\n";
    } else {
      out += s[i];
    }
  }
  return out;
}

// Byte offset of the start of `row` in the document's text.
size_t OffsetOfRow(const TEditorScreenStrings& doc, int row) {
  size_t off = 0;
  for (int i = 0; i < row && i < doc.Count(); ++i)
    off += doc.GetView(i).size() + (doc.RowAttr(i) == rowLineBreak ? 2 : 0);
  return off;
}

// An empty rowTextEnd row after a line break (left when the rows after a line break are deleted)
// stands for the same text as the line break alone.
std::string CanonicalLayout(const TEditorScreenStrings& doc) {
  std::string l = Layout(doc);
  if (l.size() >= 2 && l.compare(l.size() - 2, 2, "|$") == 0) l.pop_back();
  return l;
}

std::string RandomText(std::mt19937& rng, int atoms_count) {
  static const std::vector<std::string> atoms = {
      "a",        "b",        "c",        " ",        "\t",           ",",   "\r\n", "\r", "\n",
      "\x82\xA0", "\x81\x42", "\x81\x75", "\x81\x76", "xyzxyzxyzxyz", "\xB1"};
  std::string s;
  for (int i = 0; i < atoms_count; ++i) s += atoms[rng() % atoms.size()];
  return s;
}

struct Config {
  const char* name;
  bool wrap;
  bool all_rules;
};

class EditReference : public ::testing::TestWithParam<Config> {};

TEST_P(EditReference, RandomEditsMatchAPlainString) {
  const Config cfg = GetParam();
  std::mt19937 rng(2024);
  for (int round = 0; round < 60; ++round) {
    TEditorScreenStrings doc;
    FakeView view(doc);
    view.tab = 4;
    doc.UndoObj().SetUndoListMax(100000);
    doc.WrapOption().SetWrapByte(20);
    if (cfg.all_rules) {
      doc.WrapOption().SetWordBreak(true);
      doc.WrapOption().SetFollowPunctuation(true);
      doc.WrapOption().SetLeading(true);
      doc.WrapOption().SetFollowRetMark(true);
    }
    doc.SetWordWrap(cfg.wrap);
    const std::string initial = RandomText(rng, 60);
    doc.SetText(initial);
    std::string model = Normalise(initial);
    ASSERT_EQ(doc.Text(), model);
    uint16_t marks = 0;
    auto place_marks = [&] {
      marks = 0;
      for (int b = 0; b < 3 && doc.Count() > 0; ++b) {
        const int r = static_cast<int>(rng() % doc.Count());
        doc.SetMarks(r, static_cast<uint16_t>(doc.Marks(r) | (1u << b)));
        doc.SetMarksInUse(static_cast<uint16_t>(1u << b));
        marks |= static_cast<uint16_t>(1u << b);
      }
    };
    place_marks();

    std::vector<std::string> history = {model};
    std::vector<std::string> layouts = {Layout(doc)};
    for (int step = 0; step < 150; ++step) {
      const int count = doc.Count();
      const int row = static_cast<int>(rng() % (count + 1));
      const int n = static_cast<int>(rng() % (std::min(count - row, 4) + 1));
      std::string s = (rng() % 4 == 0) ? std::string() : RandomText(rng, static_cast<int>(rng() % 6));
      view.col = static_cast<int>(rng() % 3);
      const size_t start = OffsetOfRow(doc, row);
      const size_t end = OffsetOfRow(doc, row + n);
      const bool applies = !(n == 0 && s.empty());
      const std::string before = Layout(doc);
      doc.ReplaceRows(row, n, s);
      if (applies) {
        model = Normalise(model.substr(0, start) + s + model.substr(end));
        history.push_back(model);
        layouts.push_back(Layout(doc));
      }
      ASSERT_EQ(doc.Text(), model) << cfg.name << " step " << step << ": " << before << " (" << row << ", " << n
                                   << ", \"" << s << "\")";

      // Structure: rows hold no line breaks, only the last row may end the text.
      for (int i = 0; i < doc.Count(); ++i) {
        ASSERT_EQ(doc.GetView(i).find_first_of("\r\n"), std::string_view::npos);
        if (i + 1 < doc.Count()) {
          ASSERT_NE(doc.RowAttr(i), rowTextEnd);
        }
        if (cfg.wrap) {
          ASSERT_LE(DisplayWidth(doc.GetView(i), 4, 20), 22);
        }
      }
      // With the plain rules the rows are exactly what wrapping the text afresh gives.
      if (!cfg.all_rules && !model.empty()) {
        TEditorScreenStrings fresh;
        fresh.WrapOption().SetWrapByte(20);
        fresh.SetWordWrap(cfg.wrap);
        FakeView fv(fresh);
        fv.tab = 4;
        fresh.SetText(model);
        ASSERT_EQ(CanonicalLayout(doc), Layout(fresh))
            << cfg.name << " step " << step << ": " << before << " (" << row << ", " << n << ", \"" << s << "\")";
      }
      // Bookmarks move but are never lost while rows remain.
      if (doc.Count() == 0) {
        ASSERT_EQ(doc.MarksInUse(), 0);
        place_marks();
      } else {
        uint16_t all = 0;
        for (int i = 0; i < doc.Count(); ++i) all |= doc.Marks(i);
        ASSERT_EQ(all, marks);
        ASSERT_EQ(doc.MarksInUse(), marks);
      }
      // Logical lines against a walk over the rows.
      int lines = 0;
      for (int i = 0; i < doc.Count(); ++i) {
        if (i == 0 || doc.RowAttr(i - 1) != rowWrapped || !cfg.wrap) {
          ASSERT_EQ(doc.LineToRow(lines), i);
          ++lines;
        }
        ASSERT_EQ(doc.RowToLine(i), lines - 1);
      }
      ASSERT_EQ(doc.LineCount(), lines);
    }

    // The whole history undoes and redoes.
    for (size_t i = history.size() - 1; i > 0; --i) {
      ASSERT_TRUE(doc.CanUndo());
      const std::string before = Layout(doc);
      const TUndoData u = doc.UndoObj().UndoList().back();
      doc.Undo();
      ASSERT_EQ(doc.Text(), history[i - 1])
          << cfg.name << " undo to " << i - 1 << ": " << before << " entry row " << u.Row << " count " << u.RowCount
          << " attr " << int(u.RowAttribute) << " text \"" << u.Text << "\"";
      // Undo puts back the very rows, not just the text.
      ASSERT_EQ(Layout(doc), layouts[i - 1]) << cfg.name << " undo to " << i - 1;
    }
    EXPECT_FALSE(doc.CanUndo());
    for (size_t i = 1; i < history.size(); ++i) {
      ASSERT_TRUE(doc.CanRedo());
      doc.Redo();
      ASSERT_EQ(doc.Text(), history[i]) << cfg.name << " redo to " << i;
      ASSERT_EQ(Layout(doc), layouts[i]) << cfg.name << " redo to " << i;
    }
    EXPECT_FALSE(doc.CanRedo());
  }
}

INSTANTIATE_TEST_SUITE_P(WrapModes, EditReference,
                         ::testing::Values(Config{"wrap off", false, false}, Config{"wrap on", true, false},
                                           Config{"wrap on, all rules", true, true}),
                         [](const auto& info) {
                           return std::string(info.param.wrap ? (info.param.all_rules ? "WrapAllRules" : "Wrap")
                                                              : "NoWrap");
                         });

}  // namespace
}  // namespace editor
