// The editor engine against QPlainTextEdit and QScintilla, measured in one run: setting a 20 MB
// text with word wrap at 60 columns (and, for us, Japanese line breaking and full colouring), and
// typing one character in the middle of a 100,000-line wrapped document.
#include <malloc.h>

#include <QApplication>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "codec/cp932.h"
#include "editor/editorstrings.h"
#include "editor/fountain.h"
#include "editor/rowstates.h"
#include "editor/screenstrings.h"
#include "editor/viewhooks.h"
#include "editor/wrapoption.h"

#ifdef HAVE_QSCINTILLA
#include <Qsci/qsciscintilla.h>
#endif

namespace {

using Clock = std::chrono::steady_clock;
double Ms(Clock::time_point a, Clock::time_point b) { return std::chrono::duration<double, std::milli>(b - a).count(); }

// A view without a screen: the document needs someone to hold a caret.
class BenchView final : public editor::EditorViewHooks {
 public:
  explicit BenchView(editor::TEditorScreenStrings& doc) : doc_(doc) { doc_.AttachView(this); }
  ~BenchView() override { doc_.DetachView(this); }
  int CaretRow() const override { return row_; }
  int CaretCol() const override { return col_; }
  void SetCaretRow(int r) override { row_ = std::clamp(r, 0, doc_.CaretRowLimit()); }
  void SetCaretCol(int c) override { col_ = std::clamp(c, 0, 1000); }
  int TopRow() const override { return 0; }
  bool HasFocus() const override { return true; }
  bool IsLoading() const override { return false; }
  int VisibleRowCount() const override { return 40; }
  int TabSpaceCount() const override { return 8; }
  void BeginEdit() override {}
  void EndEdit() override {}
  void SetUpdating(bool) override {}
  void ClearSelection() override {}
  void RowsChanged(const editor::LastChange&) override {}
  void Refresh() override {}
  void RowStateChanged(int) override {}
  void PullBackTo(int limit) override { row_ = std::min(row_, limit); }

 private:
  editor::TEditorScreenStrings& doc_;
  int row_ = 0, col_ = 0;
};

// Lines of 20-200 bytes mixing Japanese and ASCII, with some URLs and mail addresses.
std::string MakeText(size_t bytes, int maxLines = -1) {
  static const std::vector<std::string> words = {codec::Utf8ToCp932("日本語").bytes,
                                                 codec::Utf8ToCp932("メモ").bytes,
                                                 codec::Utf8ToCp932("こんにちは、").bytes,
                                                 codec::Utf8ToCp932("東京都。").bytes,
                                                 codec::Utf8ToCp932("（テスト）").bytes,
                                                 "memo",
                                                 "the",
                                                 "quick",
                                                 "brown",
                                                 "fox",
                                                 "2026/12/08",
                                                 "12345",
                                                 "sorametext",
                                                 "editor"};
  std::mt19937 gen(7);
  std::uniform_int_distribution<int> len(20, 200), word(0, static_cast<int>(words.size()) - 1), special(0, 29);
  std::string s;
  s.reserve(std::min<size_t>(bytes, 64u << 20) + 256);
  int lines = 0;
  while (s.size() < bytes && (maxLines < 0 || lines < maxLines)) {
    size_t start = s.size();
    size_t target = static_cast<size_t>(len(gen));
    while (s.size() - start < target) {
      int k = special(gen);
      if (k == 0) {
        s += "https://example.com/path/" + std::to_string(gen() % 1000) + "?q=" + std::to_string(gen() % 100);
      } else if (k == 1) {
        s += "user" + std::to_string(gen() % 100) + "@example.co.jp";
      } else {
        s += words[static_cast<size_t>(word(gen))];
      }
      s += ' ';
    }
    s += "\r\n";
    ++lines;
  }
  return s;
}

struct Stats {
  double median = 0, p99 = 0;
};
Stats Summarise(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return {v[v.size() / 2], v[std::min(v.size() - 1, v.size() * 99 / 100)]};
}

// Our document with the main editor's settings.
struct OurEditor {
  std::shared_ptr<editor::TEditorScreenStrings> doc = std::make_shared<editor::TEditorScreenStrings>();
  BenchView view{*doc};
  editor::TEditorFountain fountain;
  editor::RowColouring colouring{&fountain};
  editor::TEditorStrings lines{*doc, &view};

  OurEditor() {
    fountain.SetUrl(true);
    fountain.SetMail(true);
    colouring.InitBracketsFull = true;
    colouring.VisibleRows = [] { return 40; };
    doc->SetRowStateSink(&colouring);
    auto& w = doc->WrapOption();
    w.SetWrapByte(60);
    w.SetWordBreak(true);
    w.SetFollowPunctuation(true);
    w.SetFollowRetMark(true);
    doc->SetWordWrap(true);
  }
  ~OurEditor() { doc->SetRowStateSink(nullptr); }
};

QFont Mono() {
  QFont f("IPAGothic");
  f.setPixelSize(16);
  f.setStyleHint(QFont::TypeWriter);
  return f;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  QApplication app(argc, argv);
  const QFont font = Mono();
  const int cell = QFontMetrics(font).horizontalAdvance('0');

  // ---- loading
  const std::string text = MakeText(20u * 1000 * 1000);
  const QString qtext = QString::fromStdU16String(codec::Cp932ToUtf16(text));
  std::printf("Loading %.1f MB (%zu lines), word wrap at 60 columns\n", text.size() / 1e6,
              static_cast<size_t>(std::count(text.begin(), text.end(), '\n')));

  double ours = 0, ourBytesPerRow = 0;
  int ourRows = 0;
  {
    OurEditor e;
    size_t before = mallinfo2().uordblks;
    auto a = Clock::now();
    e.lines.SetText(text);
    ours = Ms(a, Clock::now());
    ourRows = e.doc->Count();
    ourBytesPerRow = static_cast<double>(mallinfo2().uordblks - before) / ourRows;
  }
  std::printf("  sorametext   %8.1f ms  (%d rows, wrapped, coloured, %.1f bytes of memory per row incl. text)\n", ours,
              ourRows, ourBytesPerRow);

  double plain = 0;
  {
    QPlainTextEdit edit;
    edit.setFont(font);
    edit.setLineWrapMode(QPlainTextEdit::WidgetWidth);
    edit.resize(60 * cell + 2 * edit.frameWidth() + 8 + 20, 600);
    edit.show();
    QApplication::processEvents();
    auto a = Clock::now();
    edit.setPlainText(qtext);
    edit.repaint();
    plain = Ms(a, Clock::now());
    std::printf("  QPlainTextEdit %6.1f ms  (text set and first screen painted; ratio ours/theirs %.2f)\n", plain,
                ours / plain);
  }
#ifdef HAVE_QSCINTILLA
  double sci = 0;
  {
    QsciScintilla edit;
    edit.setFont(font);
    edit.setUtf8(true);
    edit.setWrapMode(QsciScintilla::WrapWord);
    edit.resize(60 * cell + 40, 600);
    edit.show();
    QApplication::processEvents();
    auto a = Clock::now();
    edit.setText(qtext);
    edit.repaint();
    QApplication::processEvents();
    sci = Ms(a, Clock::now());
    std::printf("  QScintilla   %8.1f ms  (text set and first screen painted; ratio ours/theirs %.2f)\n", sci,
                ours / sci);
  }
#endif

  // ---- typing in the middle of a 100,000-line wrapped document
  const std::string doc100k = MakeText(size_t{1} << 40, 100000);
  const QString qdoc = QString::fromStdU16String(codec::Cp932ToUtf16(doc100k));
  const int keys = 2000;
  std::printf("Typing one character in the middle of 100,000 lines (%.1f MB), %d keystrokes\n", doc100k.size() / 1e6,
              keys);
  {
    OurEditor e;
    e.lines.SetText(doc100k);
    int row = e.doc->LineToRow(50000);
    std::vector<double> t;
    for (int k = 0; k < keys; ++k) {
      auto a = Clock::now();
      // What typing does: the caret's wrap unit is replaced by itself with the character inserted.
      int first = e.doc->FirstRowOfLine(row), last = e.doc->LastRowOfLine(row);
      std::string unit = e.doc->ReadRows(first, last - first + 1).Text;
      unit.insert(10, 1, 'a');
      e.doc->ReplaceRows(first, last - first + 1, unit);
      t.push_back(Ms(a, Clock::now()) * 1000);
    }
    Stats s = Summarise(t);
    std::printf("  sorametext     median %7.1f us   p99 %7.1f us   (%d rows)\n", s.median, s.p99, e.doc->Count());
  }
  {
    QPlainTextEdit edit;
    edit.setFont(font);
    edit.setLineWrapMode(QPlainTextEdit::WidgetWidth);
    edit.resize(60 * cell + 2 * edit.frameWidth() + 8 + 20, 600);
    edit.setPlainText(qdoc);
    edit.show();
    QApplication::processEvents();
    QTextCursor c(edit.document()->findBlockByNumber(50000));
    c.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, 10);
    std::vector<double> t;
    for (int k = 0; k < keys; ++k) {
      auto a = Clock::now();
      c.insertText("a");
      t.push_back(Ms(a, Clock::now()) * 1000);
    }
    Stats s = Summarise(t);
    std::printf("  QPlainTextEdit median %7.1f us   p99 %7.1f us\n", s.median, s.p99);
  }
#ifdef HAVE_QSCINTILLA
  {
    QsciScintilla edit;
    edit.setFont(font);
    edit.setUtf8(true);
    edit.setWrapMode(QsciScintilla::WrapWord);
    edit.resize(60 * cell + 40, 600);
    edit.setText(qdoc);
    edit.show();
    QApplication::processEvents();
    long pos = edit.SendScintilla(QsciScintillaBase::SCI_POSITIONFROMLINE, 50000) + 10;
    std::vector<double> t;
    for (int k = 0; k < keys; ++k) {
      auto a = Clock::now();
      edit.SendScintilla(QsciScintillaBase::SCI_INSERTTEXT, pos, "a");
      t.push_back(Ms(a, Clock::now()) * 1000);
    }
    Stats s = Summarise(t);
    std::printf("  QScintilla     median %7.1f us   p99 %7.1f us\n", s.median, s.p99);
  }
#endif
  return 0;
}
