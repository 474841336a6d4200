// Shows the editor widget with a sample text and the main window's settings and saves what it
// paints as a PNG, to look at the result the way a user sees it.
//   editorqt_render OUT.png [WIDTH HEIGHT]
#include <QApplication>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <cstdio>

#include "codec/cp932.h"
#include "editor/qt/oleddeditor.h"

namespace {

std::string Cp932(const char* utf8) { return codec::Utf8ToCp932(utf8).bytes; }

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s OUT.png [WIDTH HEIGHT]\n", argv[0]);
    return 2;
  }
  const QString out = QString::fromLocal8Bit(argv[1]);
  const int width = argc > 3 ? std::atoi(argv[2]) : 760;
  const int height = argc > 3 ? std::atoi(argv[3]) : 420;

  editor::qt::TOleddEditor w;
  w.ApplyMainValues();
  auto& m = w.Model();
  m.Leftbar().SetVisible(true);
  m.Imagebar().SetVisible(true);
  m.Marks().EofMark().SetVisible(true);
  w.resize(width, height);
  w.setWindowTitle(QStringLiteral("ソラメtext editor sample"));
  m.SetText(
      Cp932("ソラメtext サンプル: 日本語と ASCII text の混在\r\n"
            "URL: http://www.example.jp/index.html?q=1 と www.sorame.jp\r\n"
            "メール: someone@example.co.jp までどうぞ。\r\n"
            "\tタブの後\tTab stop 16\r\n"
            "これは折り返しを確かめるための長い行です。Japanese line breaking (禁則処理) も、"
            "句読点「、。」が行頭に来ないことも確かめます。abcdefghijklmnopqrstuvwxyz 0123456789\r\n"
            "半角ｶﾀｶﾅ ￥100 記号 ①②③ ■□◆ →←\r\n"
            "\r\n"
            "最後の行（改行なし）"));
  m.SetMark(2, 1);
  m.SetMark(5, 7);
  m.Select({3, 1}, {3, 9});
  m.SetRowCol(3, 9);
  w.show();
  QApplication::setActiveWindow(&w);
  w.setFocus();

  int rc = 1;
  QTimer::singleShot(300, [&] {
    const QPixmap pix = w.grab();
    rc = pix.save(out) ? 0 : 1;
    if (rc != 0) std::fprintf(stderr, "cannot write %s\n", argv[1]);
    app.quit();
  });
  app.exec();
  return rc;
}
