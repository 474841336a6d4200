// Rendering, printing and previewing a list of lines with a TStringsPrinter on a QPrinter.
#pragma once

#include <QString>
#include <string>
#include <vector>

#include "print/qt/picturecanvas.h"
#include "print/stringsprinter.h"

class QPrinter;
class QWidget;

namespace print::qt {

// Progress captions.
QString PrintingCaption();    // "印刷中"
QString PreviewingCaption();  // "プレビューを作成中"

// Renders every page with the progress window shown. Returns false when the user cancelled; the
// pages are then discarded. `metrics` receives the geometry the pages were laid out for.
bool RenderPages(TStringsPrinter& settings, QPrinter& printer, const std::vector<std::string>& lines,
                 const QString& caption, TMetaFileList& pages, PrinterMetrics* metrics = nullptr,
                 QWidget* parent = nullptr);

// One print job of the pages the settings select (range, odd/even), each stretched over the
// printable page, a new sheet only between printed pages. Copies the printer cannot make itself
// (a PDF file) are printed one after the other. Returns false when the job could not start.
bool PrintRenderedPages(const TStringsPrinter& settings, QPrinter& printer, const TMetaFileList& pages);

// Renders with "印刷中" and prints. With a PDF printer that has no file yet, asks for one first.
// False when the user cancelled (the file or the rendering) or the job failed.
bool Print(TStringsPrinter& settings, QPrinter& printer, const std::vector<std::string>& lines,
           QWidget* parent = nullptr);

// Renders with "プレビューを作成中" and shows the preview window modally.
bool Preview(TStringsPrinter& settings, QPrinter& printer, const std::vector<std::string>& lines,
             QWidget* parent = nullptr);

}  // namespace print::qt
