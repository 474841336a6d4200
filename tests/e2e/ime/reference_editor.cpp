// The reference for composing under a real input method: a plain QPlainTextEdit in the editor's
// font, word-wrapped at about sixty columns, started the same way as the program. With
// IME_LOG set, every input-method and focus event it receives is printed to stderr.
// Usage: ime_reference TEXT_FILE (UTF-8)
#include <QApplication>
#include <QFile>
#include <QInputMethodEvent>
#include <QPlainTextEdit>
#include <QTextCharFormat>
#include <cstdio>

namespace {

class Logger : public QObject {
 public:
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::FocusIn || e->type() == QEvent::FocusOut) {
      std::fprintf(stderr, "focus %s\n", e->type() == QEvent::FocusIn ? "in" : "out");
      return false;
    }
    if (e->type() != QEvent::InputMethod) return false;
    const auto* im = static_cast<QInputMethodEvent*>(e);
    std::fprintf(stderr, "preedit '%s' commit '%s' replace %d/%d\n", qPrintable(im->preeditString()),
                 qPrintable(im->commitString()), im->replacementStart(), im->replacementLength());
    for (const QInputMethodEvent::Attribute& a : im->attributes()) {
      QString value;
      if (a.type == QInputMethodEvent::TextFormat) {
        const QTextCharFormat f = qvariant_cast<QTextFormat>(a.value).toCharFormat();
        value = QStringLiteral("underline %1 bg %2 fg %3")
                    .arg(int(f.underlineStyle()))
                    .arg(f.hasProperty(QTextFormat::BackgroundBrush) ? f.background().color().name() : QString("-"))
                    .arg(f.hasProperty(QTextFormat::ForegroundBrush) ? f.foreground().color().name() : QString("-"));
      }
      std::fprintf(stderr, "  attr type %d start %d length %d %s\n", int(a.type), a.start, a.length, qPrintable(value));
    }
    return false;
  }
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QPlainTextEdit edit;
  QFont font(QStringLiteral("IPAGothic"));
  font.setPixelSize(16);
  edit.setFont(font);
  edit.setWindowTitle(QStringLiteral("ime-reference"));
  if (argc > 1) {
    QFile f(QString::fromLocal8Bit(argv[1]));
    if (f.open(QIODevice::ReadOnly)) edit.setPlainText(QString::fromUtf8(f.readAll()));
  }
  const int cell = QFontMetrics(font).horizontalAdvance(QLatin1Char('0'));
  edit.resize(60 * cell + 40, 400);
  Logger logger;
  if (qEnvironmentVariableIsSet("IME_LOG")) edit.installEventFilter(&logger);
  edit.show();
  return app.exec();
}
