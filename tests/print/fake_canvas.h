// A drawing surface that records what the layout draws. Every half-width byte is `cell` pixels
// wide and a double-byte character two cells; a line is `line` pixels high.
#pragma once

#include <string>
#include <vector>

#include "codec/cp932.h"
#include "print/printcanvas.h"
#include "print/stringsprinter.h"

namespace printtest {

struct DrawnText {
  int page;
  double x;
  int y;
  print::PrintRect clip;
  std::string text;
  store::TColor color;
  store::TColor background;
  uint8_t style;
};

class FakeCanvas : public print::PrintCanvas {
 public:
  int cell = 20;
  int line = 40;
  int leading = 0;

  int pages = 0;
  int openPages = 0;
  std::vector<DrawnText> texts;
  std::vector<std::pair<int, store::TColor>> fills;  // page, colour
  int pixelHeight = 0;
  uint8_t style = 0;

  void SetFont(const store::TFont&, int px, uint8_t s) override {
    pixelHeight = px;
    style = s;
  }
  print::TextMetrics Metrics() override { return {double(line - leading), double(leading), double(cell)}; }
  double TextWidth(std::string_view s) override {
    double w = 0;
    for (size_t i = 0; i < s.size();) {
      const bool dbcs = codec::IsLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size();
      w += dbcs ? 2 * cell : cell;
      i += dbcs ? 2 : 1;
    }
    return w;
  }
  void StartPage(int, int) override {
    ++pages;
    ++openPages;
  }
  void EndPage() override { --openPages; }
  void FillRect(const print::PrintRect&, store::TColor c) override { fills.push_back({pages, c}); }
  void DrawText(double x, int y, const print::PrintRect& clip, std::string_view text, store::TColor color,
                store::TColor bg) override {
    texts.push_back({pages, x, y, clip, std::string(text), color, bg, style});
  }

  // Texts drawn on one page, in drawing order.
  std::vector<DrawnText> OnPage(int page) const {
    std::vector<DrawnText> out;
    for (const DrawnText& t : texts)
      if (t.page == page) out.push_back(t);
    return out;
  }
  const DrawnText* Find(const std::string& text) const {
    for (const DrawnText& t : texts)
      if (t.text == text) return &t;
    return nullptr;
  }
};

// A4 at 254 dpi: one millimetre is ten pixels; the whole sheet is printable.
inline print::PrinterMetrics A4At254() {
  print::PrinterMetrics m;
  m.hasPrinter = true;
  m.dpi = 254;
  m.screenDpi = 96;
  m.printableWidth = 2100;
  m.printableHeight = 2970;
  m.paper = {210, 297};
  m.offsets = print::PaperOffsets{};
  return m;
}

// A printer with no header, footer or margins beyond 10 mm on each side.
inline void PlainSettings(print::TStringsPrinter& p) {
  p.SetMarginLeft(10);
  p.SetMarginRight(10);
  p.SetMarginTop(10);
  p.SetMarginBottom(10);
  p.SetColumnSpace(10);
  p.Clock = [] { return print::PrintDateTime{2024, 3, 5, 9, 7, 3}; };
}

}  // namespace printtest
