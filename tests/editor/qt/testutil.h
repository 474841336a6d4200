// Helpers shared by the editor widget's tests.
#pragma once

#include <QFont>
#include <QImage>
#include <QString>
#include <QTest>
#include <string>

#include "codec/cp932.h"
#include "editor/qt/editorfont.h"

// Failed comparisons of code page 932 text show the bytes, escaped.
namespace QTest {
template <>
inline char* toString(const std::string& s) {
  QByteArray out = "\"";
  for (unsigned char c : s) {
    if (c >= 0x20 && c < 0x7F && c != '\\') {
      out += static_cast<char>(c);
    } else {
      out += "\\x" + QByteArray::number(c, 16).rightJustified(2, '0').toUpper();
    }
  }
  out += "\"";
  return qstrdup(out.constData());
}
}  // namespace QTest

namespace testutil {

inline std::string Cp932(const QString& s) {
  return codec::Utf16ToCp932(std::u16string(reinterpret_cast<const char16_t*>(s.utf16()), s.size())).bytes;
}

inline QString Unicode(const std::string& cp932) { return QString::fromStdU16String(codec::Cp932ToUtf16(cp932)); }

// The main window's editor font.
inline QFont EditorFont() {
  store::TFont rec;
  rec.Name = Cp932(QStringLiteral("ＭＳ ゴシック"));
  rec.Height = -16;
  return editor::qt::FontFromRecord(rec);
}

// Pixels inside `r` that are not white.
inline int CountNonWhite(const QImage& img, const QRect& r) {
  int n = 0;
  const QRect c = r.intersected(img.rect());
  for (int y = c.top(); y <= c.bottom(); ++y)
    for (int x = c.left(); x <= c.right(); ++x)
      if (img.pixel(x, y) != qRgb(255, 255, 255)) ++n;
  return n;
}

// Pixels inside `r` darker than mid gray (glyph strokes, whatever the antialiasing).
inline int CountDark(const QImage& img, const QRect& r) {
  int n = 0;
  const QRect c = r.intersected(img.rect());
  for (int y = c.top(); y <= c.bottom(); ++y)
    for (int x = c.left(); x <= c.right(); ++x)
      if (qGray(img.pixel(x, y)) < 96) ++n;
  return n;
}

// Pixels inside `r` of exactly colour `color`.
inline int CountColor(const QImage& img, const QRect& r, const QColor& color) {
  int n = 0;
  const QRect c = r.intersected(img.rect());
  const QRgb want = color.rgb();
  for (int y = c.top(); y <= c.bottom(); ++y)
    for (int x = c.left(); x <= c.right(); ++x)
      if ((img.pixel(x, y) & 0xFFFFFF) == (want & 0xFFFFFF)) ++n;
  return n;
}

}  // namespace testutil

// ---- the widget

#include <QApplication>
#include <QTest>
#include <memory>

#include "editor/qt/oleddeditor.h"

namespace testutil {

// A shown editor with the main window's option values, big enough for a few dozen rows.
inline std::unique_ptr<editor::qt::TOleddEditor> ShownEditor(const std::string& cp932 = {}, QSize size = {640, 400}) {
  auto w = std::make_unique<editor::qt::TOleddEditor>();
  w->ApplyMainValues();
  w->resize(size);
  w->show();
  QApplication::setActiveWindow(w.get());
  w->setFocus();
  (void)QTest::qWaitForWindowExposed(w.get());
  if (!cp932.empty()) w->Model().SetText(cp932);
  QApplication::processEvents();
  return w;
}

inline std::string Text(const editor::qt::TEditor& w) { return w.Model().Text(); }

// The viewport as painted now.
inline QImage Grab(editor::qt::TEditor& w) {
  return w.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

}  // namespace testutil
