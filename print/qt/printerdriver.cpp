// The QPrinter behind the print layout.
#include "print/qt/printerdriver.h"

#include <QGuiApplication>
#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScreen>

#include "codec/qt/qtcp932.h"

namespace print::qt {

int PaperIdOf(const QPageSize& size, const QList<QPageSize>& printerSizes) {
  if (!size.isValid()) return 0;
  const int windowsId = size.windowsId();
  if (windowsId >= 1 && windowsId <= kPaperTableSize) return windowsId;
  const QSizeF mm = size.size(QPageSize::Millimeter);
  if (const int id = PaperIdBySize(mm.width(), mm.height())) return id;
  for (int i = 0; i < printerSizes.size(); ++i)
    if (printerSizes[i].isEquivalentTo(size)) return kPrivatePaperIdBase + i;
  return 0;
}

QList<QPageSize> QtPrinterDriver::PrinterSizes() const {
  if (PrinterIndex() < 0) return {};
  return QPrinterInfo(printer_).supportedPageSizes();
}

int QtPrinterDriver::PrinterIndex() const {
  if (printer_.outputFormat() != QPrinter::NativeFormat) return -1;
  return QPrinterInfo::availablePrinterNames().indexOf(printer_.printerName());
}

std::string QtPrinterDriver::PrinterName() const {
  if (PrinterIndex() < 0) return {};
  return printer_.printerName().toStdString();
}

std::optional<int> QtPrinterDriver::PaperId() const {
  const int id = PaperIdOf(printer_.pageLayout().pageSize(), PrinterSizes());
  if (id == 0) return std::nullopt;
  return id;
}

bool QtPrinterDriver::QueryPapers(std::vector<TPaperItem>& papers) const {
  if (PrinterIndex() < 0) return false;
  const QList<QPageSize> sizes = PrinterSizes();
  for (const QPageSize& s : sizes) {
    const int id = PaperIdOf(s, sizes);
    if (id == 0) continue;
    const QSizeF mm = s.size(QPageSize::Millimeter);
    TPaperItem item;
    item.Name = codec::qt::ToCp932(s.name());
    item.Width = qRound(mm.width());
    item.Height = qRound(mm.height());
    item.Id = static_cast<int16_t>(id);
    papers.push_back(std::move(item));
  }
  return true;
}

PrinterMetrics MetricsOf(QPrinter& printer, TStringsPrinterInfo& info) {
  PrinterMetrics m;
  // A QPrinter always has a device: a printer, or the PDF writer standing in for one.
  m.hasPrinter = true;
  m.dpi = printer.resolution();
  const QScreen* screen = QGuiApplication::primaryScreen();
  m.screenDpi = screen ? qRound(screen->logicalDotsPerInchX()) : 96;
  const QRect paper = printer.paperRect(QPrinter::DevicePixel).toRect();
  const QRect page = printer.pageRect(QPrinter::DevicePixel).toRect();
  m.printableWidth = page.width();
  m.printableHeight = page.height();
  m.landscape = printer.pageLayout().orientation() == QPageLayout::Landscape;
  m.paper = info.PaperSize();
  // Qt knows where the printable area lies on the sheet; no need to assume it centred.
  PaperOffsets o;
  o.left = std::max(0, page.left() - paper.left());
  o.top = std::max(0, page.top() - paper.top());
  o.right = std::max(0, paper.right() - page.right());
  o.bottom = std::max(0, paper.bottom() - page.bottom());
  m.offsets = o;
  return m;
}

QString OrientationLabel(const QPrinter& printer) {
  return printer.pageLayout().orientation() == QPageLayout::Landscape ? QStringLiteral("poLandscape")
                                                                      : QStringLiteral("poPortrait");
}

}  // namespace print::qt
