// Keystroke-to-painted-frame latency of the editor widget on a 100,000-line wrapped document, the
// time to scroll one page and the time from an input method's preedit update to the painted
// frame, side by side with QPlainTextEdit and QScintilla on the same platform: an event is sent
// to the widget and the clock stops when its repaint has run.
#include <QAbstractScrollArea>
#include <QApplication>
#include <QElapsedTimer>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCursor>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "codec/cp932.h"
#include "editor/qt/oleddeditor.h"

#ifdef HAVE_QSCINTILLA
#include <Qsci/qsciscintilla.h>
#endif

namespace {

using Clock = std::chrono::steady_clock;

// Lines of 20-200 bytes mixing Japanese and ASCII, with some links and mail addresses.
std::string MakeText(int lines) {
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
  for (int i = 0; i < lines; ++i) {
    const size_t start = s.size();
    const auto target = static_cast<size_t>(len(gen));
    while (s.size() - start < target) {
      const int k = special(gen);
      if (k == 0) {
        s += "https://example.com/path/" + std::to_string(gen() % 1000);
      } else if (k == 1) {
        s += "user" + std::to_string(gen() % 100) + "@example.co.jp";
      } else {
        s += words[static_cast<size_t>(word(gen))];
      }
      s += ' ';
    }
    s += "\r\n";
  }
  return s;
}

// Counts the paint events of a viewport, so a measurement ends only after its repaint ran.
class PaintCounter : public QObject {
 public:
  explicit PaintCounter(QWidget* w) { w->installEventFilter(this); }
  int paints = 0;
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Paint) ++paints;
    return false;
  }
};

struct Stats {
  double median = 0, p99 = 0;
  double handling = 0;  // median time until the key event returned (before any painting)
  int missed = 0;       // events after which no paint came
};

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

Stats Summarise(std::vector<double> v, const std::vector<double>& handled, int missed) {
  std::sort(v.begin(), v.end());
  return {v[v.size() / 2], v[std::min(v.size() - 1, v.size() * 99 / 100)], Median(handled), missed};
}

// Runs `send` (events to the widget) and waits until `viewport` has painted; microseconds.
template <class Send>
double EventToFrame(PaintCounter& counter, Send send, bool* painted, std::vector<double>& handled) {
  const int before = counter.paints;
  const auto a = Clock::now();
  send();
  handled.push_back(std::chrono::duration<double, std::micro>(Clock::now() - a).count());
  // The repaint is a posted update request; run the loop until it has been painted.
  for (int i = 0; i < 20 && counter.paints == before; ++i) QApplication::processEvents(QEventLoop::AllEvents);
  const auto b = Clock::now();
  *painted = counter.paints != before;
  return std::chrono::duration<double, std::micro>(b - a).count();
}

double KeyToFrame(QWidget* target, PaintCounter& counter, int key, const QString& text, bool* painted,
                  std::vector<double>& handled) {
  return EventToFrame(
      counter,
      [&] {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
        QApplication::sendEvent(target, &release);
      },
      painted, handled);
}

// A preedit as fcitx5 with Mozc sends it while the user types: dash-underlined, cursor at its end.
void SendPreedit(QWidget* target, const QString& preedit) {
  QTextCharFormat f;
  f.setUnderlineStyle(QTextCharFormat::DashUnderline);
  QList<QInputMethodEvent::Attribute> attrs;
  if (!preedit.isEmpty())
    attrs << QInputMethodEvent::Attribute(QInputMethodEvent::TextFormat, 0, int(preedit.size()), f);
  attrs << QInputMethodEvent::Attribute(QInputMethodEvent::Cursor, int(preedit.size()), 1, QVariant());
  QInputMethodEvent e(preedit, attrs);
  QApplication::sendEvent(target, &e);
}

struct Subject {
  const char* name;
  QWidget* widget;                       // gets the keys
  QWidget* viewport;                     // gets the paints
  std::function<void(int line)> moveTo;  // caret to the start of a logical line (10 bytes in)
};

void Settle() {
  for (int i = 0; i < 5; ++i) QApplication::processEvents();
}

Stats Typing(Subject& s, int keys, int places) {
  PaintCounter counter(s.viewport);
  std::mt19937 gen(11);
  std::uniform_int_distribution<int> line(1000, 99000);
  std::vector<double> t, handled;
  int missed = 0;
  for (int p = 0; p < places; ++p) {
    s.moveTo(line(gen));
    Settle();
    for (int k = 0; k < keys / places; ++k) {
      bool painted = false;
      t.push_back(KeyToFrame(s.widget, counter, Qt::Key_A, QStringLiteral("a"), &painted, handled));
      if (!painted) ++missed;
    }
  }
  return Summarise(t, handled, missed);
}

// Preedit updates of a growing composition at places in the middle of the document; each ends
// without a commit, so the text stays the same.
Stats Composing(Subject& s, int updates, int places) {
  static const QString kText = QStringLiteral("わたしのなまえはなかのです");
  PaintCounter counter(s.viewport);
  std::mt19937 gen(13);
  std::uniform_int_distribution<int> line(1000, 99000);
  std::vector<double> t, handled;
  int missed = 0;
  for (int p = 0; p < places; ++p) {
    s.moveTo(line(gen));
    Settle();
    for (int k = 0; k < updates / places; ++k) {
      bool painted = false;
      const QString preedit = kText.left(1 + k % kText.size());
      t.push_back(EventToFrame(
          counter, [&] { SendPreedit(s.widget, preedit); }, &painted, handled));
      if (!painted) ++missed;
    }
    SendPreedit(s.widget, QString());
    Settle();
  }
  return Summarise(t, handled, missed);
}

Stats Paging(Subject& s, int pages) {
  PaintCounter counter(s.viewport);
  s.moveTo(0);
  Settle();
  std::vector<double> t, handled;
  int missed = 0;
  for (int i = 0; i < pages; ++i) {
    bool painted = false;
    t.push_back(KeyToFrame(s.widget, counter, Qt::Key_PageDown, QString(), &painted, handled));
    if (!painted) ++missed;
  }
  return Summarise(t, handled, missed);
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  // --only=NAME measures one editor (for profiling).
  // --keys=N, --pages=N and --preedits=N change the number of measurements.
  QString only;
  int kKeys = 600, kPages = 300, kPreedits = 600;
  for (const QString& a : QApplication::arguments()) {
    if (a.startsWith(QStringLiteral("--only="))) only = a.mid(7);
    if (a.startsWith(QStringLiteral("--keys="))) kKeys = std::max(30, a.mid(7).toInt());
    if (a.startsWith(QStringLiteral("--pages="))) kPages = std::max(10, a.mid(8).toInt());
    if (a.startsWith(QStringLiteral("--preedits="))) kPreedits = std::max(30, a.mid(11).toInt());
  }
  auto wanted = [&](const char* name) { return only.isEmpty() || only == QLatin1String(name); };
  const int kLines = 100000, kPlaces = 30;
  const std::string text = MakeText(kLines);
  const QString qtext = QString::fromStdU16String(codec::Cp932ToUtf16(text));
  QFont font(QStringLiteral("IPAGothic"));
  font.setPixelSize(16);
  const int cell = QFontMetrics(font).horizontalAdvance(QLatin1Char('0'));
  // Sixty columns of text plus margins and a scroll bar; every editor wraps at about 60 columns.
  const QSize size(60 * cell + 60, 600);
  std::printf("Platform %s; %d lines (%.1f MB), word wrap at 60 columns, widgets %dx%d\n",
              qPrintable(QGuiApplication::platformName()), kLines, text.size() / 1e6, size.width(), size.height());

  struct Row {
    const char* name;
    Stats typing, paging, composing;
    bool has_composing = false;
  };
  std::vector<Row> rows;

  if (wanted("sorametext")) {
    editor::qt::TOleddEditor w;
    w.ApplyMainValues();  // wrap at 60, links and mail coloured, ruler, marks, caret-row underline
    w.resize(size);
    w.show();
    w.Model().SetText(text);
    Settle();
    Subject s{"sorametext", &w, w.viewport(), [&](int line) { w.Model().SetRowCol(w.Model().LineToRow(line), 10); }};
    // The preedit measurement means something only if the editor takes it.
    SendPreedit(&w, QStringLiteral("あ"));
    if (!w.Model().Composing()) {
      std::fprintf(stderr, "the editor did not take the preedit\n");
      return 1;
    }
    SendPreedit(&w, QString());
    Row r{s.name, Typing(s, kKeys, kPlaces), Paging(s, kPages), Composing(s, kPreedits, kPlaces), true};
    std::printf("  sorametext: %d rows\n", w.Model().RowCount());
    rows.push_back(r);
  }
  if (wanted("QPlainTextEdit")) {
    QPlainTextEdit w;
    w.setFont(font);
    w.setLineWrapMode(QPlainTextEdit::WidgetWidth);
    w.resize(size);
    w.setPlainText(qtext);
    w.show();
    Settle();
    Subject s{"QPlainTextEdit", &w, w.viewport(), [&](int line) {
                QTextCursor c(w.document()->findBlockByNumber(line));
                c.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, 10);
                w.setTextCursor(c);
              }};
    rows.push_back({s.name, Typing(s, kKeys, kPlaces), Paging(s, kPages), Composing(s, kPreedits, kPlaces), true});
  }
#ifdef HAVE_QSCINTILLA
  if (wanted("QScintilla")) {
    QsciScintilla w;
    w.setFont(font);
    w.setUtf8(true);
    w.setWrapMode(QsciScintilla::WrapWord);
    w.resize(size);
    w.setText(qtext);
    w.show();
    // Let it finish wrapping the whole document in its idle time before measuring.
    w.ensureLineVisible(kLines - 1);
    QElapsedTimer idle;
    idle.start();
    while (idle.elapsed() < 3000) QApplication::processEvents();
    Settle();
    Subject s{"QScintilla", &w, w.viewport(), [&](int line) {
                w.setCursorPosition(line, 10);
                w.ensureLineVisible(line);
              }};
    rows.push_back({s.name, Typing(s, kKeys, kPlaces), Paging(s, kPages), {}, false});
  }
#else
  std::printf("  QScintilla not found at build time: column skipped\n");
#endif

  std::printf("\n%-16s %28s   %28s\n", "", "keystroke to painted frame", "Page Down to painted frame");
  std::printf("%-16s %13s %13s   %13s %13s\n", "", "median us", "p99 us", "median us", "p99 us");
  for (const Row& r : rows) {
    std::printf("%-16s %13.1f %13.1f   %13.1f %13.1f", r.name, r.typing.median, r.typing.p99, r.paging.median,
                r.paging.p99);
    if (r.typing.missed || r.paging.missed)
      std::printf("   (%d/%d events without a paint)", r.typing.missed, r.paging.missed);
    std::printf("\n");
  }
  std::printf("\n%-16s %28s\n", "", "preedit update to painted frame");
  std::printf("%-16s %13s %13s\n", "", "median us", "p99 us");
  for (const Row& r : rows) {
    if (!r.has_composing) continue;
    std::printf("%-16s %13.1f %13.1f", r.name, r.composing.median, r.composing.p99);
    if (r.composing.missed) std::printf("   (%d events without a paint)", r.composing.missed);
    std::printf("\n");
  }
  std::printf("\nOf which handling the key event, before painting (median us)\n");
  for (const Row& r : rows)
    std::printf("%-16s typing %9.1f   paging %9.1f\n", r.name, r.typing.handling, r.paging.handling);
  if (rows.empty() || std::string(rows.front().name) != "sorametext") return 0;
  const Row& ours = rows.front();
  std::printf("\nRatios theirs / ours (above 1: sorametext is faster)\n");
  for (size_t i = 1; i < rows.size(); ++i) {
    const Row& r = rows[i];
    std::printf("%-16s typing median %.2f  p99 %.2f   paging median %.2f  p99 %.2f", r.name,
                r.typing.median / ours.typing.median, r.typing.p99 / ours.typing.p99,
                r.paging.median / ours.paging.median, r.paging.p99 / ours.paging.p99);
    if (r.has_composing)
      std::printf("   preedit median %.2f  p99 %.2f", r.composing.median / ours.composing.median,
                  r.composing.p99 / ours.composing.p99);
    std::printf("\n");
  }
  return 0;
}
