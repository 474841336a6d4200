// Helpers shared by the editor widget's tests.
#pragma once

#include <QFont>
#include <QImage>
#include <QString>
#include <string>

#include "codec/cp932.h"
#include "editor/qt/editorfont.h"

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
