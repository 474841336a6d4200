// Fonts of the editor on Linux: the stored Windows face names mapped to installed Japanese fonts,
// the measured fixed-pitch test for font lists, and the cell metrics the painter lays rows out by.
#pragma once

#include <QFont>
#include <QStringList>

#include "store/font.h"

namespace editor::qt {

// Maps "ＭＳ ゴシック" and "FixedSys" to IPAGothic and "ＭＳ Ｐゴシック" to IPAPGothic. Idempotent;
// every QFont made afterwards resolves the stored names to the installed fonts.
void InstallFontSubstitutions();

// A family is fixed pitch for the editor when its half-width advances are all equal and a
// double-byte character is exactly twice as wide. fontconfig reports the IPA fonts as dual width,
// so this is measured rather than asked.
bool IsMeasuredFixedPitch(const QString& family, int pixelSize = 16);
// Installed families that pass the measurement, sorted.
QStringList MeasuredFixedPitchFamilies(int pixelSize = 16);

// The QFont of a stored font record (face name in code page 932, negative height = pixels).
// Odd pixel sizes are rounded up: the twice-as-wide rule holds exactly only at even sizes.
QFont FontFromRecord(const store::TFont& record);

// Pixel metrics of one half-width cell of a font.
struct CellMetrics {
  int cellWidth = 8;    // half-width advance; a double-byte character takes two cells
  int textHeight = 16;  // font height plus external leading
  int ascent = 13;
  int descent = 3;
};
CellMetrics MeasureCells(const QFont& font);

}  // namespace editor::qt
