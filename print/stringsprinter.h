// TStringsPrinter: the print settings (a stored component, print.bin) and the layout of a list of
// lines on pages — margins, header and footer bands, line numbers, columns, row cutting, colours —
// drawn through a PrintCanvas, one picture per page.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "print/headerfooter.h"
#include "print/paper.h"
#include "print/printcanvas.h"
#include "print/printrows.h"
#include "store/datafolder.h"
#include "store/font.h"
#include "store/persistent.h"

namespace editor {
class TFountain;
}

namespace print {

enum TStringsPrinterHeaderAlign : int32_t { haNone, haLeft, haCenter, haRight };
enum TStringsPrinterPageOption : int32_t { poBoth, poOdd, poEven };
enum TStringsPrinterRangeOption : int32_t { roWhole, roLimited };
enum TStringsPrinterPrintMode : int32_t { pmBW, pmThreeColor, pmBWFontStyle, pmColorToken };

inline constexpr std::string_view kHeaderAlignNames[] = {"haNone", "haLeft", "haCenter", "haRight"};
inline constexpr std::string_view kPageOptionNames[] = {"poBoth", "poOdd", "poEven"};
inline constexpr std::string_view kRangeOptionNames[] = {"roWhole", "roLimited"};
inline constexpr std::string_view kPrintModeNames[] = {"pmBW", "pmThreeColor", "pmBWFontStyle", "pmColorToken"};

inline constexpr int kMaxNumber = 999999;
inline constexpr std::string_view kPrintFileName = "print.bin";

// The unprintable strips at the paper's edges, in printer pixels.
struct PaperOffsets {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  bool operator==(const PaperOffsets&) const = default;
};

// What the layout needs to know about the device it prints on.
struct PrinterMetrics {
  bool hasPrinter = false;
  int dpi = 0;  // the printer's horizontal resolution; 0 when unknown
  int screenDpi = 96;
  int printableWidth = 0;  // printer pixels; 0 without a printer
  int printableHeight = 0;
  bool landscape = false;
  PaperSizeMm paper;  // portrait size of the current paper
  // The platform's own unprintable strips; when absent they are taken as centred.
  std::optional<PaperOffsets> offsets;
};

// Resolution the layout works in: the printer's, else the screen's.
int LayoutDpi(const PrinterMetrics& m);
// Screen dpi / layout dpi; 1.0 when either is unknown.
double ScreenToPrinterRatio(const PrinterMetrics& m);
int MmToPixels(int mm, int dpi);
// Paper size in printer pixels, exchanged in landscape.
void PaperPixels(const PrinterMetrics& m, int& width, int& height);
// The printable area: the printer's, or the whole paper without a printer.
void PrintableSize(const PrinterMetrics& m, int& width, int& height);
PaperOffsets ComputePaperOffsets(const PrinterMetrics& m);

// Where everything sits on a page, in printer pixels.
struct PageFrame {
  int dpi = 0;
  int width = 0;  // page picture
  int height = 0;
  PaperOffsets offsets;
  PrintRect body;
  int fontPixelHeight = 0;
  int lineHeight = 0;
  int charWidth = 0;
  int rowPitch = 0;      // lineHeight + MarginLine
  PrintRect headerBand;  // zero height when there is no header
  PrintRect footerBand;
  int lineNumberWidth = 0;
  int columnWidth = 0;
  int columnPitch = 0;  // from one column's text left to the next one's
  int textLeft = 0;     // first column's text left
  int columnCount = 1;
  double wrapWidth = 0;
  int ColumnTextLeft(int column) const { return textLeft + column * columnPitch; }
};

// One page the printer receives: its index among the rendered pages and its number.
struct PrintedPage {
  int index = 0;
  int number = 0;
  bool operator==(const PrintedPage&) const = default;
};

// Called once per row while rendering with the percentage done; returns false to cancel.
using RenderProgress = std::function<bool(int percent)>;

class TStringsPrinter : public store::Component {
 public:
  TStringsPrinter();
  ~TStringsPrinter() override;
  TStringsPrinter(const TStringsPrinter&) = delete;
  TStringsPrinter& operator=(const TStringsPrinter&) = delete;

  // Every published property, the Fountain reference included.
  void Assign(const TStringsPrinter& other);

  store::TColor BkColor() const { return bk_color_; }
  int ColumnCount() const { return column_count_; }
  int ColumnSpace() const { return column_space_; }
  const std::string& FileName() const { return file_name_; }
  int FirstLineNumber() const { return first_line_number_; }
  int FirstPageNumber() const { return first_page_number_; }
  const store::TFont& Font() const { return font_; }
  const std::string& Footer() const { return footer_; }
  TStringsPrinterHeaderAlign FooterAlign() const { return footer_align_; }
  editor::TFountain* Fountain() const { return fountain_; }
  const std::string& Header() const { return header_; }
  TStringsPrinterHeaderAlign HeaderAlign() const { return header_align_; }
  store::TColor HeaderColor() const { return header_color_; }
  int LastLine() const { return last_line_; }
  int LastPage() const { return last_page_; }
  bool LineNumber() const { return line_number_; }
  TStringsPrinterRangeOption LineRangeOption() const { return line_range_option_; }
  int MarginBottom() const { return margin_bottom_; }
  int MarginLeft() const { return margin_left_; }
  int MarginLine() const { return margin_line_; }
  int MarginRight() const { return margin_right_; }
  int MarginTop() const { return margin_top_; }
  TStringsPrinterPageOption PageOption() const { return page_option_; }
  TStringsPrinterPrintMode PrintMode() const { return print_mode_; }
  TStringsPrinterRangeOption RangeOption() const { return range_option_; }
  int StartLine() const { return start_line_; }
  int StartPage() const { return start_page_; }
  int TabSpaceCount() const { return tab_space_count_; }
  bool WordBreak() const { return word_break_; }
  const std::string& GroupName() const { return group_name_; }

  // Setters clamp silently; strings are code page 932.
  void SetBkColor(store::TColor c) { bk_color_ = c; }
  void SetColumnCount(int v);
  void SetColumnSpace(int v);
  void SetFileName(std::string s) { file_name_ = std::move(s); }
  void SetFirstLineNumber(int v);
  void SetFirstPageNumber(int v);
  void SetFont(const store::TFont& f) { font_ = f; }
  store::TFont& FontRef() { return font_; }
  void SetFooter(std::string s) { footer_ = std::move(s); }
  void SetFooterAlign(TStringsPrinterHeaderAlign a) { footer_align_ = a; }
  // A reference, let go of when the definition is destroyed.
  void SetFountain(editor::TFountain* f);
  void SetHeader(std::string s) { header_ = std::move(s); }
  void SetHeaderAlign(TStringsPrinterHeaderAlign a) { header_align_ = a; }
  void SetHeaderColor(store::TColor c) { header_color_ = c; }
  void SetLastLine(int v);
  void SetLastPage(int v);
  void SetLineNumber(bool b) { line_number_ = b; }
  void SetLineRangeOption(TStringsPrinterRangeOption r) { line_range_option_ = r; }
  void SetMarginBottom(int v);
  void SetMarginLeft(int v);
  void SetMarginLine(int v);
  void SetMarginRight(int v);
  void SetMarginTop(int v);
  void SetPageOption(TStringsPrinterPageOption p) { page_option_ = p; }
  void SetPrintMode(TStringsPrinterPrintMode m) { print_mode_ = m; }
  void SetRangeOption(TStringsPrinterRangeOption r) { range_option_ = r; }
  void SetStartLine(int v);
  void SetStartPage(int v);
  void SetTabSpaceCount(int v);
  void SetWordBreak(bool b) { word_break_ = b; }
  void SetGroupName(std::string s) { group_name_ = std::move(s); }

  TStringsPrinterInfo& Info() { return info_; }

  // The clock of %y %m %d %t; the local time unless a test sets its own.
  std::function<PrintDateTime()> Clock;

  // Layout of one render: selects the font on the canvas and measures it.
  PageFrame ComputeFrame(const PrinterMetrics& metrics, PrintCanvas& canvas, int sourceLineCount) const;
  // The rows the lines are cut into for that frame.
  std::vector<PrintRow> CutRows(const std::vector<std::string>& lines, const PageFrame& frame,
                                PrintCanvas& canvas) const;

  // Draws every page of `lines`. Returns false when `progress` cancelled; the caller then
  // discards the pages drawn so far.
  bool Render(const std::vector<std::string>& lines, const PrinterMetrics& metrics, PrintCanvas& canvas,
              const RenderProgress& progress = {});

  // Number of the first rendered page: page StartPage carries FirstPageNumber with roLimited.
  int FirstRenderedPageNumber() const;
  // The rendered pages a print job receives, in order, with their numbers.
  std::vector<PrintedPage> PrintedPages(int pageCount) const;

  // Run-time state of the last render.
  int CurrentPage() const { return current_page_; }
  int CurrentLine() const { return current_line_; }

  std::string_view ClassName() const override { return "TStringsPrinter"; }
  void Describe(store::PropertyVisitor& v) override;

 private:
  bool UsesTokens() const;
  store::TColor PageColor() const;
  store::TColor HeaderTextColor() const;
  store::TColor BodyTextColor() const;
  void DrawBand(PrintCanvas& canvas, const PageFrame& frame, const PrintRect& band, bool footer, std::string_view text,
                TStringsPrinterHeaderAlign align, const PrintDateTime& now) const;

  store::TColor bk_color_ = store::clWhite;
  int column_count_ = 1;
  int column_space_ = 4;
  std::string file_name_;
  int first_line_number_ = 1;
  int first_page_number_ = 1;
  store::TFont font_;
  std::string footer_;
  TStringsPrinterHeaderAlign footer_align_ = haNone;
  editor::TFountain* fountain_ = nullptr;
  int fountain_subscription_ = 0;
  std::string header_;
  TStringsPrinterHeaderAlign header_align_ = haNone;
  store::TColor header_color_ = store::clBlack;
  int last_line_ = 0;
  int last_page_ = kMaxNumber;
  bool line_number_ = false;
  TStringsPrinterRangeOption line_range_option_ = roWhole;
  int margin_bottom_ = 0;
  int margin_left_ = 0;
  int margin_line_ = 0;
  int margin_right_ = 0;
  int margin_top_ = 0;
  TStringsPrinterPageOption page_option_ = poBoth;
  TStringsPrinterPrintMode print_mode_ = pmColorToken;
  TStringsPrinterRangeOption range_option_ = roWhole;
  int start_line_ = 1;
  int start_page_ = 1;
  int tab_space_count_ = 8;
  bool word_break_ = true;
  std::string group_name_;

  int current_page_ = 0;
  int current_line_ = 0;
  TStringsPrinterInfo info_;
};

// The main window's settings before print.bin exists: "ＭＳ ゴシック" 9 points, header
// "%y/%m/%d %t %f" on the right, footer "-%p-" in the centre, 15 mm margins and column space.
void ApplyInitialPrintSettings(TStringsPrinter& p);

// print.bin in the data folder (created when missing). Loading returns whether the file existed;
// store errors propagate.
bool LoadPrintSettings(TStringsPrinter& p, const store::DataFolder& folder);
void SavePrintSettings(TStringsPrinter& p, const store::DataFolder& folder);

// Whether any token colour of the definition carries a font style.
bool FountainUsesFontStyles(const editor::TFountain& f);

}  // namespace print
