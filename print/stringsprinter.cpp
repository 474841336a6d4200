// The strings printer: settings, page frame, pagination and drawing.
#include "print/stringsprinter.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "editor/fountain.h"
#include "editor/rows.h"
#include "editor/rowstates.h"

namespace print {

namespace {

int ToInt(int64_t v) { return static_cast<int>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

// A clamping setter leaves the field alone when the value equals it, so a stored value outside
// the range (LastLine 0) survives a load into an object that already holds it.
void SetClamped(int& field, int v, int lo, int hi) {
  if (v == field) return;
  field = std::clamp(v, lo, hi);
}

int DecimalDigits(int64_t n) {
  int d = 1;
  while (n >= 10) {
    n /= 10;
    ++d;
  }
  return d;
}

// "ＭＳ ゴシック"
constexpr std::string_view kInitialFontName =
    "\x82l\x82r \x83S\x83V\x83"
    "b\x83N";

}  // namespace

// ---- Units and paper

int LayoutDpi(const PrinterMetrics& m) {
  if (m.hasPrinter && m.dpi > 0) return m.dpi;
  return m.screenDpi > 0 ? m.screenDpi : 96;
}

double ScreenToPrinterRatio(const PrinterMetrics& m) {
  const int dpi = LayoutDpi(m);
  if (m.screenDpi <= 0 || dpi <= 0) return 1.0;
  return static_cast<double>(m.screenDpi) / dpi;
}

int MmToPixels(int mm, int dpi) { return static_cast<int>(std::lround(dpi * mm / 25.4)); }

void PaperPixels(const PrinterMetrics& m, int& width, int& height) {
  const int dpi = LayoutDpi(m);
  width = MmToPixels(m.paper.width, dpi);
  height = MmToPixels(m.paper.height, dpi);
  if (m.landscape) std::swap(width, height);
}

void PrintableSize(const PrinterMetrics& m, int& width, int& height) {
  if (m.hasPrinter && m.printableWidth > 0 && m.printableHeight > 0) {
    width = m.printableWidth;
    height = m.printableHeight;
    return;
  }
  PaperPixels(m, width, height);
}

PaperOffsets ComputePaperOffsets(const PrinterMetrics& m) {
  if (m.offsets) return *m.offsets;
  if (!m.hasPrinter) return {};
  int pw, ph, w, h;
  PaperPixels(m, pw, ph);
  PrintableSize(m, w, h);
  if (pw <= 0 || ph <= 0) return {};
  PaperOffsets o;
  o.left = std::max(0, (pw - w) / 2);
  o.top = std::max(0, (ph - h) / 2);
  o.right = std::max(0, pw - w - o.left);
  o.bottom = std::max(0, ph - h - o.top);
  return o;
}

// ---- Properties

TStringsPrinter::TStringsPrinter() = default;

TStringsPrinter::~TStringsPrinter() { SetFountain(nullptr); }

void TStringsPrinter::SetColumnCount(int v) { SetClamped(column_count_, v, 1, 3); }
void TStringsPrinter::SetColumnSpace(int v) { SetClamped(column_space_, v, 0, 100); }
void TStringsPrinter::SetFirstLineNumber(int v) { SetClamped(first_line_number_, v, 1, kMaxNumber); }
void TStringsPrinter::SetFirstPageNumber(int v) { SetClamped(first_page_number_, v, 1, kMaxNumber); }
void TStringsPrinter::SetLastLine(int v) { SetClamped(last_line_, v, 1, kMaxNumber); }
void TStringsPrinter::SetLastPage(int v) { SetClamped(last_page_, v, 1, kMaxNumber); }
void TStringsPrinter::SetMarginBottom(int v) { SetClamped(margin_bottom_, v, 0, 100); }
void TStringsPrinter::SetMarginLeft(int v) { SetClamped(margin_left_, v, 0, 100); }
void TStringsPrinter::SetMarginLine(int v) { SetClamped(margin_line_, v, 0, 100); }
void TStringsPrinter::SetMarginRight(int v) { SetClamped(margin_right_, v, 0, 100); }
void TStringsPrinter::SetMarginTop(int v) { SetClamped(margin_top_, v, 0, 100); }
void TStringsPrinter::SetStartLine(int v) { SetClamped(start_line_, v, 1, kMaxNumber); }
void TStringsPrinter::SetStartPage(int v) { SetClamped(start_page_, v, 1, kMaxNumber); }

void TStringsPrinter::SetTabSpaceCount(int v) {
  if (v == tab_space_count_) return;
  tab_space_count_ = std::clamp(v, 2, 8) & ~1;
}

void TStringsPrinter::SetFountain(editor::TFountain* f) {
  if (f == fountain_) return;
  if (fountain_) fountain_->Unsubscribe(fountain_subscription_);
  fountain_ = f;
  fountain_subscription_ = 0;
  if (fountain_) {
    fountain_subscription_ = fountain_->Subscribe([this](editor::FountainEvent e) {
      if (e != editor::FountainEvent::Destroying) return;
      // The definition is going away and drops its subscribers itself.
      fountain_ = nullptr;
      fountain_subscription_ = 0;
    });
  }
}

void TStringsPrinter::Assign(const TStringsPrinter& o) {
  if (&o == this) return;
  bk_color_ = o.bk_color_;
  column_count_ = o.column_count_;
  column_space_ = o.column_space_;
  file_name_ = o.file_name_;
  first_line_number_ = o.first_line_number_;
  first_page_number_ = o.first_page_number_;
  font_ = o.font_;
  footer_ = o.footer_;
  footer_align_ = o.footer_align_;
  SetFountain(o.fountain_);
  header_ = o.header_;
  header_align_ = o.header_align_;
  header_color_ = o.header_color_;
  last_line_ = o.last_line_;
  last_page_ = o.last_page_;
  line_number_ = o.line_number_;
  line_range_option_ = o.line_range_option_;
  margin_bottom_ = o.margin_bottom_;
  margin_left_ = o.margin_left_;
  margin_line_ = o.margin_line_;
  margin_right_ = o.margin_right_;
  margin_top_ = o.margin_top_;
  page_option_ = o.page_option_;
  print_mode_ = o.print_mode_;
  range_option_ = o.range_option_;
  start_line_ = o.start_line_;
  start_page_ = o.start_page_;
  tab_space_count_ = o.tab_space_count_;
  word_break_ = o.word_break_;
  group_name_ = o.group_name_;
}

void TStringsPrinter::Describe(store::PropertyVisitor& v) {
  using store::IntRef;
  Component::Describe(v);
  auto clamped = [&](std::string_view name, int& field, void (TStringsPrinter::*set)(int)) {
    v.Integer(name, IntRef([&field] { return field; }, [this, set](int64_t x) { (this->*set)(ToInt(x)); }));
  };
  v.Colour("BkColor", bk_color_);
  clamped("ColumnCount", column_count_, &TStringsPrinter::SetColumnCount);
  clamped("ColumnSpace", column_space_, &TStringsPrinter::SetColumnSpace);
  v.String("FileName", file_name_);
  clamped("FirstLineNumber", first_line_number_, &TStringsPrinter::SetFirstLineNumber);
  clamped("FirstPageNumber", first_page_number_, &TStringsPrinter::SetFirstPageNumber);
  v.Object("Font", font_);
  v.String("Footer", footer_);
  v.Enum("FooterAlign", footer_align_, kHeaderAlignNames);
  v.String("Header", header_);
  v.Enum("HeaderAlign", header_align_, kHeaderAlignNames);
  v.Colour("HeaderColor", header_color_);
  clamped("LastLine", last_line_, &TStringsPrinter::SetLastLine);
  clamped("LastPage", last_page_, &TStringsPrinter::SetLastPage);
  v.Boolean("LineNumber", line_number_);
  v.Enum("LineRangeOption", line_range_option_, kRangeOptionNames);
  clamped("MarginBottom", margin_bottom_, &TStringsPrinter::SetMarginBottom);
  clamped("MarginLeft", margin_left_, &TStringsPrinter::SetMarginLeft);
  clamped("MarginLine", margin_line_, &TStringsPrinter::SetMarginLine);
  clamped("MarginRight", margin_right_, &TStringsPrinter::SetMarginRight);
  clamped("MarginTop", margin_top_, &TStringsPrinter::SetMarginTop);
  v.Enum("PageOption", page_option_, kPageOptionNames);
  v.Enum("PrintMode", print_mode_, kPrintModeNames);
  v.Enum("RangeOption", range_option_, kRangeOptionNames);
  clamped("StartLine", start_line_, &TStringsPrinter::SetStartLine);
  clamped("StartPage", start_page_, &TStringsPrinter::SetStartPage);
  clamped("TabSpaceCount", tab_space_count_, &TStringsPrinter::SetTabSpaceCount);
  v.Boolean("WordBreak", word_break_);
  v.String("GroupName", group_name_);
}

// ---- Colours

bool TStringsPrinter::UsesTokens() const {
  return fountain_ && (print_mode_ == pmBWFontStyle || print_mode_ == pmColorToken);
}

store::TColor TStringsPrinter::PageColor() const {
  return print_mode_ == pmThreeColor || print_mode_ == pmColorToken ? bk_color_ : store::clWhite;
}

store::TColor TStringsPrinter::HeaderTextColor() const {
  return print_mode_ == pmThreeColor || print_mode_ == pmColorToken ? header_color_ : store::clBlack;
}

store::TColor TStringsPrinter::BodyTextColor() const {
  return print_mode_ == pmThreeColor || print_mode_ == pmColorToken ? font_.Color : store::clBlack;
}

bool FountainUsesFontStyles(const editor::TFountain& f) {
  if (f.Reserve().Style() != 0) return true;
  for (int i = 0; i < f.Brackets().ItemCount(); ++i)
    if (f.Brackets()[i].ItemColor.Style() != 0) return true;
  if (const auto* ef = dynamic_cast<const editor::TEditorFountain*>(&f)) {
    const editor::TEditorColors& c = ef->Colors();
    for (const editor::TEditorColor* m : c.Members()) {
      // Selection and hit colours paint the editor's selection, never a printed token.
      if (m == &c.Select || m == &c.Hit) continue;
      if (m->Style() != 0) return true;
    }
  }
  return false;
}

// ---- Layout

PageFrame TStringsPrinter::ComputeFrame(const PrinterMetrics& metrics, PrintCanvas& canvas, int sourceLineCount) const {
  PageFrame f;
  f.dpi = LayoutDpi(metrics);
  PrintableSize(metrics, f.width, f.height);
  f.offsets = ComputePaperOffsets(metrics);
  const auto mm = [&](int v) { return MmToPixels(v, f.dpi); };

  f.body.left = std::max(0, mm(margin_left_) - f.offsets.left);
  f.body.top = std::max(0, mm(margin_top_) - f.offsets.top);
  f.body.right = std::min(f.width, f.width - mm(margin_right_) + f.offsets.right);
  f.body.bottom = std::min(f.height, f.height - mm(margin_bottom_) + f.offsets.bottom);

  f.fontPixelHeight = std::max(1, static_cast<int>(std::lround(font_.Size() * f.dpi / 72.0)));
  canvas.SetFont(font_, f.fontPixelHeight, font_.Style);
  const TextMetrics tm = canvas.Metrics();
  f.lineHeight = std::max(1, static_cast<int>(std::lround(tm.height + tm.externalLeading)));
  f.charWidth = std::max(1, static_cast<int>(std::lround(tm.charWidth)));
  f.rowPitch = f.lineHeight + mm(margin_line_);

  const int band = f.lineHeight * 3 / 2;
  const bool header = header_align_ != haNone && !header_.empty();
  const bool footer = footer_align_ != haNone && !footer_.empty();
  f.headerBand = {f.body.left, f.body.top, f.body.right, f.body.top + (header ? band : 0)};
  f.footerBand = {f.body.left, f.body.bottom - (footer ? band : 0), f.body.right, f.body.bottom};

  if (line_number_) {
    // Room for the largest number printed, which exceeds the line count when numbering starts
    // above 1.
    const int64_t largest = static_cast<int64_t>(first_line_number_) - 1 + std::max(sourceLineCount, 1);
    f.lineNumberWidth = (DecimalDigits(largest) + 2) * f.charWidth;
  }
  f.columnCount = column_count_;
  f.textLeft = f.body.left + f.lineNumberWidth;
  const int gap = mm(column_space_);
  f.columnWidth = (f.body.right - f.textLeft - (gap + f.lineNumberWidth) * (column_count_ - 1)) / column_count_;
  f.columnPitch = gap + f.lineNumberWidth + f.columnWidth;

  const bool styled =
      (font_.Style & (store::fsBold | store::fsItalic)) != 0 || (fountain_ && FountainUsesFontStyles(*fountain_));
  f.wrapWidth = f.columnWidth - (styled ? f.charWidth : 0);
  return f;
}

std::vector<PrintRow> TStringsPrinter::CutRows(const std::vector<std::string>& lines, const PageFrame& frame,
                                               PrintCanvas& canvas) const {
  RowCutRules rules;
  rules.width = frame.wrapWidth;
  rules.tabWidth = tab_space_count_;
  rules.wordBreak = word_break_;
  return CutPrintRows(lines, rules, [&canvas](std::string_view s) { return canvas.TextWidth(s); });
}

int TStringsPrinter::FirstRenderedPageNumber() const {
  return range_option_ == roLimited ? first_page_number_ - start_page_ + 1 : first_page_number_;
}

std::vector<PrintedPage> TStringsPrinter::PrintedPages(int pageCount) const {
  std::vector<PrintedPage> out;
  const int first = FirstRenderedPageNumber();
  for (int i = 0; i < pageCount; ++i) {
    const int number = i + first;
    if (range_option_ == roLimited && !(start_page_ <= i + 1 && i + 1 <= last_page_)) continue;
    if (number < 1) continue;
    if (page_option_ == poOdd && number % 2 == 0) continue;
    if (page_option_ == poEven && number % 2 != 0) continue;
    out.push_back({i, number});
  }
  return out;
}

void TStringsPrinter::DrawBand(PrintCanvas& canvas, const PageFrame& frame, const PrintRect& band, bool footer,
                               std::string_view text, TStringsPrinterHeaderAlign align,
                               const PrintDateTime& now) const {
  if (align == haNone || text.empty()) return;
  const std::string s = ExpandHeaderFooter(text, {file_name_, group_name_, current_page_, now});
  const double w = canvas.TextWidth(s);
  double x = band.left;
  if (align == haCenter) x = band.left + (band.Width() - w) / 2;
  if (align == haRight) x = band.right - w;
  // The header hangs from the band's top and the footer stands on its bottom, so that half a
  // line separates both from the body.
  const int y = footer ? band.bottom - frame.lineHeight : band.top;
  canvas.DrawText(x, y, band, s, HeaderTextColor(), store::clNone);
}

bool TStringsPrinter::Render(const std::vector<std::string>& lines, const PrinterMetrics& metrics, PrintCanvas& canvas,
                             const RenderProgress& progress) {
  current_page_ = FirstRenderedPageNumber();
  current_line_ = first_line_number_ - 1;
  const PageFrame f = ComputeFrame(metrics, canvas, static_cast<int>(lines.size()));
  const std::vector<PrintRow> rows = CutRows(lines, f, canvas);
  const int n = static_cast<int>(rows.size());

  // With a colouring definition every row starts in the tokenizer state the rows before it leave.
  std::unique_ptr<editor::TEditorStringList> tokenRows;
  std::unique_ptr<editor::RowColouring> colouring;
  if (UsesTokens()) {
    tokenRows = std::make_unique<editor::TEditorStringList>();
    for (const PrintRow& r : rows) tokenRows->AddRow(r.text, r.attr);
    colouring = std::make_unique<editor::RowColouring>(fountain_);
    colouring->InitBracketsFull = true;
    colouring->RecomputeAll(*tokenRows);
  }

  const PrintDateTime now = Clock ? Clock() : CurrentPrintDateTime();
  uint8_t currentStyle = font_.Style;
  auto useStyle = [&](uint8_t style) {
    if (style == currentStyle) return;
    canvas.SetFont(font_, f.fontPixelHeight, style);
    currentStyle = style;
  };
  auto startPage = [&] {
    canvas.StartPage(f.width, f.height);
    canvas.FillRect({0, 0, f.width, f.height}, PageColor());
    useStyle(font_.Style);
    DrawBand(canvas, f, f.headerBand, false, header_, header_align_, now);
  };
  auto endPage = [&] {
    useStyle(font_.Style);
    DrawBand(canvas, f, f.footerBand, true, footer_, footer_align_, now);
    canvas.EndPage();
  };

  const int top = f.headerBand.bottom;
  const int bottom = f.footerBand.top;
  const int firstLine = start_line_ - 1;
  // LastLine 0 is the value before anything set it: no end.
  const int lastLine = last_line_ > 0 ? last_line_ - 1 : INT32_MAX;
  std::vector<editor::TPaintToken> tokens;
  std::vector<double> tokenX;

  startPage();
  int column = 0;
  int y = top;
  for (int r = 0; r < n; ++r) {
    if (progress) {
      const int percent = n == 1 ? 100 : static_cast<int>(std::lround(r * 100.0 / (n - 1)));
      if (!progress(percent)) return false;
    }
    const PrintRow& row = rows[r];
    if (line_range_option_ == roLimited && (row.line < firstLine || row.line > lastLine)) continue;

    // A row that does not fit an empty column is drawn anyway: a new column would not help.
    if (y + f.rowPitch > bottom && y > top) {
      if (column + 1 < f.columnCount) {
        ++column;
      } else {
        endPage();
        ++current_page_;
        startPage();
        column = 0;
      }
      y = top;
    }

    const int left = f.ColumnTextLeft(column);
    if (line_number_ && (r == 0 || rows[r - 1].attr != editor::rowWrapped)) {
      ++current_line_;
      useStyle(font_.Style);
      const std::string number = std::to_string(current_line_) + ":";
      const PrintRect area{left - f.lineNumberWidth, y, left, y + f.lineHeight};
      canvas.DrawText(area.right - canvas.TextWidth(number), y, area, number, HeaderTextColor(), store::clNone);
    }

    const PrintRect clip{left, y, left + f.columnWidth, y + f.lineHeight};
    if (!colouring) {
      canvas.DrawText(left, y, clip, row.text, BodyTextColor(), store::clNone);
    } else {
      // Token positions are measured in the row's own font first, then every token is drawn in
      // its colours and style, never left of the end of the token before it.
      tokens.clear();
      tokenX.clear();
      editor::TRowTokenIterator& it = colouring->PaintRow(*tokenRows, r, true);
      editor::TPaintToken t;
      while (it.Next(t)) tokens.push_back(t);
      useStyle(font_.Style);
      const std::string_view text = row.text;
      for (const editor::TPaintToken& tk : tokens) tokenX.push_back(left + canvas.TextWidth(text.substr(0, tk.start)));
      double previousEnd = left;
      for (size_t i = 0; i < tokens.size(); ++i) {
        const editor::TPaintToken& tk = tokens[i];
        const int length = std::min<int>(tk.length, static_cast<int>(text.size()) - tk.start);
        if (length <= 0) continue;
        const std::string_view piece = text.substr(tk.start, length);
        store::TColor bg = bk_color_;
        store::TColor fg = font_.Color;
        uint8_t style = font_.Style;
        if (tk.color) {
          if (tk.color->BkColor() != store::clNone) bg = tk.color->BkColor();
          if (tk.color->Color() != store::clNone) fg = tk.color->Color();
          style = tk.color->Style();
        }
        if (print_mode_ == pmBWFontStyle) {
          bg = store::clWhite;
          fg = store::clBlack;
        }
        useStyle(style);
        const double x = std::max(tokenX[i], previousEnd);
        canvas.DrawText(x, y, clip, piece, fg, bg == PageColor() ? store::clNone : bg);
        previousEnd = x + canvas.TextWidth(piece);
      }
    }
    y += f.rowPitch;
  }
  endPage();
  return true;
}

// ---- The main window's settings

void ApplyInitialPrintSettings(TStringsPrinter& p) {
  p.SetColumnCount(1);
  p.SetColumnSpace(15);
  store::TFont font = p.Font();
  font.Name = std::string(kInitialFontName);
  font.SetSize(9);
  font.Charset = store::SHIFTJIS_CHARSET;
  p.SetFont(font);
  p.SetHeader("%y/%m/%d %t %f");
  p.SetHeaderAlign(haRight);
  p.SetFooter("-%p-");
  p.SetFooterAlign(haCenter);
  p.SetHeaderColor(store::clBlack);
  p.SetBkColor(store::clWhite);
  p.SetMarginLeft(15);
  p.SetMarginRight(15);
  p.SetMarginTop(15);
  p.SetMarginBottom(15);
  p.SetMarginLine(0);
  p.SetFirstLineNumber(1);
  p.SetFirstPageNumber(1);
  p.SetStartLine(1);
  p.SetStartPage(1);
  p.SetLastPage(kMaxNumber);
  p.SetLineNumber(false);
  p.SetLineRangeOption(roWhole);
  p.SetRangeOption(roWhole);
  p.SetPageOption(poBoth);
  p.SetPrintMode(pmColorToken);
  p.SetTabSpaceCount(8);
  p.SetWordBreak(true);
}

bool LoadPrintSettings(TStringsPrinter& p, const store::DataFolder& folder) {
  return folder.LoadComponentFile(p, std::string(kPrintFileName));
}

void SavePrintSettings(TStringsPrinter& p, const store::DataFolder& folder) {
  folder.EnsureExists();
  folder.SaveComponentFile(p, std::string(kPrintFileName));
}

}  // namespace print
