// Print jobs and previews.
#include "print/qt/printjob.h"

#include <QDir>
#include <QFileDialog>
#include <QPainter>
#include <QPrinter>

#include "codec/qt/qtcp932.h"
#include "print/qt/printerdriver.h"
#include "print/qt/printpreview.h"
#include "print/qt/printprogress.h"

namespace print::qt {

namespace {

// Lends the printer's driver to the settings' printer information for one call.
class DriverLoan {
 public:
  DriverLoan(TStringsPrinterInfo& info, QPrinter& printer) : info_(info), previous_(info.Driver()), driver_(printer) {
    info_.SetDriver(&driver_);
  }
  ~DriverLoan() { info_.SetDriver(previous_); }

 private:
  TStringsPrinterInfo& info_;
  const PrinterDriver* previous_;
  QtPrinterDriver driver_;
};

}  // namespace

QString PrintingCaption() { return QStringLiteral("印刷中"); }
QString PreviewingCaption() { return QStringLiteral("プレビューを作成中"); }

bool RenderPages(TStringsPrinter& settings, QPrinter& printer, const std::vector<std::string>& lines,
                 const QString& caption, TMetaFileList& pages, PrinterMetrics* metrics, QWidget* parent) {
  DriverLoan loan(settings.Info(), printer);
  const PrinterMetrics m = MetricsOf(printer, settings.Info());
  if (metrics) *metrics = m;
  pages.clear();
  TFormStringsPrinterProgress progress(parent);
  progress.show();
  PictureCanvas canvas(LayoutDpi(m), pages);
  const bool ok = settings.Render(lines, m, canvas, [&](int percent) { return progress.Update(caption, percent); });
  if (!ok) pages.clear();
  return ok;
}

bool PrintRenderedPages(const TStringsPrinter& settings, QPrinter& printer, const TMetaFileList& pages) {
  const std::vector<PrintedPage> printed = settings.PrintedPages(static_cast<int>(pages.size()));
  if (printed.empty()) return true;
  const int copies = printer.supportsMultipleCopies() ? 1 : std::max(1, printer.copyCount());
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  const QRectF page(QPointF(0, 0), printer.pageRect(QPrinter::DevicePixel).size());
  bool first = true;
  for (int copy = 0; copy < copies; ++copy) {
    for (const PrintedPage& p : printed) {
      if (!first && !printer.newPage()) {
        painter.end();
        return false;
      }
      first = false;
      DrawPagePicture(painter, *pages[p.index], page);
    }
  }
  return painter.end();
}

bool Print(TStringsPrinter& settings, QPrinter& printer, const std::vector<std::string>& lines, QWidget* parent) {
  if (printer.outputFormat() == QPrinter::PdfFormat && printer.outputFileName().isEmpty()) {
    QString name = codec::qt::FromCp932(FileNameWithoutDirectory(settings.FileName()));
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    if (name.isEmpty()) name = QStringLiteral("print");
    const QString file = QFileDialog::getSaveFileName(parent, QStringLiteral("印刷"),
                                                      QDir::home().filePath(name + QStringLiteral(".pdf")),
                                                      QStringLiteral("PDF (*.pdf)"));
    if (file.isEmpty()) return false;
    printer.setOutputFileName(file);
  }
  TMetaFileList pages;
  if (!RenderPages(settings, printer, lines, PrintingCaption(), pages, nullptr, parent)) return false;
  return PrintRenderedPages(settings, printer, pages);
}

bool Preview(TStringsPrinter& settings, QPrinter& printer, const std::vector<std::string>& lines, QWidget* parent) {
  TMetaFileList pages;
  PrinterMetrics metrics;
  if (!RenderPages(settings, printer, lines, PreviewingCaption(), pages, &metrics, parent)) return false;
  TFormStringsPrinterPreview preview(metrics, pages, parent);
  preview.exec();
  return true;
}

}  // namespace print::qt
