// The drawing interface the print layout works through: page pictures in printer pixels. The Qt
// layer records them into QPictures; tests record the calls.
#pragma once

#include <cstdint>
#include <string_view>

#include "store/colors.h"
#include "store/font.h"

namespace print {

struct PrintRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool operator==(const PrintRect&) const = default;
};

struct TextMetrics {
  double height = 0;  // ascent + descent
  double externalLeading = 0;
  double charWidth = 0;  // width of one half-width character
};

class PrintCanvas {
 public:
  virtual ~PrintCanvas() = default;

  // Selects the font all later measuring and drawing uses: the record's face name and colour,
  // `pixelHeight` printer pixels high, with the style bits given (store::FontStyle).
  virtual void SetFont(const store::TFont& font, int pixelHeight, uint8_t style) = 0;
  virtual TextMetrics Metrics() = 0;
  // Width in printer pixels of code page 932 text drawn on one line.
  virtual double TextWidth(std::string_view text) = 0;

  // Pages: every drawing call falls between StartPage and EndPage.
  virtual void StartPage(int width, int height) = 0;
  virtual void EndPage() = 0;

  virtual void FillRect(const PrintRect& r, store::TColor color) = 0;
  // One line of text with its top-left corner at (x, y), clipped to `clip`. A background of
  // clNone leaves the paper showing through.
  virtual void DrawText(double x, int y, const PrintRect& clip, std::string_view text, store::TColor color,
                        store::TColor background) = 0;
};

}  // namespace print
