// Editor fonts: stored face names, measured fixed pitch, cell metrics.
#include "editor/qt/editorfont.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <cmath>
#include <cstdlib>

#include "codec/qt/qtcp932.h"

namespace editor::qt {

void InstallFontSubstitutions() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  const QString gothic = QStringLiteral("IPAGothic");
  QFont::insertSubstitutions(QStringLiteral("ＭＳ ゴシック"), {gothic, QStringLiteral("IPAゴシック")});
  QFont::insertSubstitutions(QStringLiteral("FixedSys"), {gothic, QStringLiteral("IPAゴシック")});
  QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐゴシック"),
                             {QStringLiteral("IPAPGothic"), QStringLiteral("IPA Pゴシック")});
}

namespace {

// Double-byte characters where dual-width fonts that only look fixed betray themselves: Greek,
// Cyrillic, quotes and arrows are drawn half width by most of them.
const char16_t kWideSample[] = u"あア亜Ａ０αΩАЖ“”‘’─│※○■→①　";

}  // namespace

bool IsMeasuredFixedPitch(const QString& family, int pixelSize) {
  QFont font(family);
  font.setPixelSize(pixelSize);
  font.setStyleStrategy(QFont::NoFontMerging);  // a fallback font must not answer for this one
  if (QFontInfo(font).family().compare(family, Qt::CaseInsensitive) != 0) return false;
  const QFontMetricsF fm(font);
  const qreal half = fm.horizontalAdvance(QLatin1Char('0'));
  if (half <= 0) return false;
  for (char16_t c = 0x20; c < 0x7F; ++c) {
    if (std::abs(fm.horizontalAdvance(QChar(c)) - half) > 0.01) return false;
  }
  for (const char16_t* p = kWideSample; *p; ++p) {
    const QChar ch(*p);
    if (!fm.inFontUcs4(ch.unicode())) continue;  // a character it lacks is drawn by another font
    if (std::abs(fm.horizontalAdvance(ch) - 2 * half) > 0.01) return false;
  }
  return true;
}

QStringList MeasuredFixedPitchFamilies(int pixelSize) {
  QStringList out;
  for (const QString& family : QFontDatabase::families()) {
    if (QFontDatabase::isPrivateFamily(family)) continue;
    if (IsMeasuredFixedPitch(family, pixelSize)) out << family;
  }
  out.sort(Qt::CaseInsensitive);
  return out;
}

QFont FontFromRecord(const store::TFont& record) {
  InstallFontSubstitutions();
  QFont font(codec::qt::FromCp932(record.Name));
  int pixels = record.Height < 0 ? -record.Height : (record.Height * 96 + 36) / 72;
  if (pixels <= 0) pixels = 16;
  if (pixels % 2) ++pixels;
  font.setPixelSize(pixels);
  font.setBold(record.Style & store::fsBold);
  font.setItalic(record.Style & store::fsItalic);
  // Underline and strike-out are drawn by the painter (a dotted line on the row's bottom pixel).
  font.setKerning(false);
  font.setStyleHint(QFont::TypeWriter);
  return font;
}

CellMetrics MeasureCells(const QFont& font) {
  const QFontMetrics fm(font);
  CellMetrics m;
  m.cellWidth = std::max(1, fm.horizontalAdvance(QLatin1Char('0')));
  m.ascent = fm.ascent();
  m.descent = fm.descent();
  m.textHeight = std::max(1, fm.height() + std::max(0, fm.leading()));
  return m;
}

}  // namespace editor::qt
