// The current printer as the print layout sees it, read from a QPrinter.
//
// Paper ids: Linux printers have no platform paper ids, so each page size gets one. A size is
// given QPageSize::windowsId() when that is one of the 68 table ids (1..68); otherwise the id of
// the table entry of the same size within 1 mm, in either orientation; otherwise, for a size in
// the printer's own list, 1000 + its position in that list. A size with none of these has no id
// (the printer then counts as A4, 9). Printing to a PDF file without an installed printer has
// no printer index and no paper list, but its page size is mapped the same way.
#pragma once

#include <QList>
#include <QPageSize>
#include <QString>

#include "print/paper.h"
#include "print/stringsprinter.h"

class QPrinter;

namespace print::qt {

inline constexpr int kPrivatePaperIdBase = 1000;

// The id of a page size by the rules above; 0 when it has none.
int PaperIdOf(const QPageSize& size, const QList<QPageSize>& printerSizes);

class QtPrinterDriver final : public PrinterDriver {
 public:
  explicit QtPrinterDriver(QPrinter& printer) : printer_(printer) {}
  int PrinterIndex() const override;
  std::string PrinterName() const override;
  std::optional<int> PaperId() const override;
  bool QueryPapers(std::vector<TPaperItem>& papers) const override;

 private:
  QList<QPageSize> PrinterSizes() const;
  QPrinter& printer_;
};

// Resolution, printable area, orientation, paper and unprintable strips of the printer (or of
// the PDF file standing in for one).
PrinterMetrics MetricsOf(QPrinter& printer, TStringsPrinterInfo& info);

// "poLandscape" or "poPortrait".
QString OrientationLabel(const QPrinter& printer);

}  // namespace print::qt
