// TFormStringsPrint ("印刷"): edits the print settings on two pages, chooses copies and printer,
// prints or previews; and the print command of the main window around it.
#pragma once

#include <QDialog>
#include <QPrinter>
#include <QStringList>
#include <string>
#include <vector>

#include "print/qt/printerdriver.h"
#include "print/stringsprinter.h"
#include "store/datafolder.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;

namespace print::qt {

// Families offered for printing: every family but the vertical-writing ones ("@" names).
QStringList PrintFontFamilies(const QStringList& families);

class TFormStringsPrint : public QDialog {
  Q_OBJECT
 public:
  // `lines` is not owned; null disables printing, preview, printer set-up and the printer labels.
  explicit TFormStringsPrint(const std::vector<std::string>* lines, QWidget* parent = nullptr);

  // The working settings: copy into them before showing, out of them after OK.
  TStringsPrinter& Working() { return working_; }
  QPrinter& Printer() { return printer_; }

  // Controls, for tests and for the layout.
  QTabWidget* Pages() const { return pages_; }
  QButtonGroup* HeaderAlign() const { return header_align_; }
  QLineEdit* HeaderText() const { return header_text_; }
  QButtonGroup* FooterAlign() const { return footer_align_; }
  QLineEdit* FooterText() const { return footer_text_; }
  QSpinBox* MarginLine() const { return margin_line_; }
  QSpinBox* MarginLeft() const { return margin_left_; }
  QSpinBox* MarginRight() const { return margin_right_; }
  QSpinBox* MarginTop() const { return margin_top_; }
  QSpinBox* MarginBottom() const { return margin_bottom_; }
  QComboBox* FontList() const { return font_list_; }
  QComboBox* SizeList() const { return size_list_; }
  QButtonGroup* PageRange() const { return page_range_; }
  QSpinBox* StartPage() const { return start_page_; }
  QSpinBox* LastPage() const { return last_page_; }
  QSpinBox* FirstPageNumber() const { return first_page_number_; }
  QButtonGroup* Columns() const { return columns_; }
  QSpinBox* ColumnSpace() const { return column_space_; }
  QButtonGroup* PageOption() const { return page_option_; }
  QCheckBox* LineNumber() const { return line_number_; }
  QButtonGroup* LineRange() const { return line_range_; }
  QSpinBox* StartLine() const { return start_line_; }
  QSpinBox* LastLine() const { return last_line_; }
  QSpinBox* FirstLineNumber() const { return first_line_number_; }
  QSpinBox* Copies() const { return copies_; }
  QPushButton* PrintButton() const { return print_; }
  QPushButton* SetupButton() const { return setup_; }
  QPushButton* PreviewButton() const { return preview_; }
  QPushButton* CancelButton() const { return cancel_; }
  // The printers to print on: the print system's queues (CUPS), the default first, then
  // PdfFileChoice(), a PDF file the user names.
  QComboBox* PrinterList() const { return printer_list_; }
  static QString PdfFileChoice();
  QLabel* PrinterNameLabel() const { return printer_name_; }
  QLabel* OrientationLabel() const { return orientation_; }
  QLabel* PaperNameLabel() const { return paper_name_; }

  // Re-reads printer name, orientation and paper.
  void RefreshPrinterLabels();
  // Loads every control from the working settings (done when the dialog is first shown).
  void LoadControls();

 protected:
  void showEvent(QShowEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildFirstPage(QWidget* page);
  void BuildSecondPage(QWidget* page);
  void BuildSide(QWidget* side);
  QSpinBox* NumberField(QWidget* parent, int resetValue, void (TStringsPrinter::*set)(int));
  QSpinBox* MarginField(QWidget* parent, void (TStringsPrinter::*set)(int));
  void SetPageRangeLimited(bool limited);
  void SetLineRangeLimited(bool limited);
  void OnPrint();
  void OnPrinterSetup();
  void OnPreview();
  void FillPrinterList();
  void ChoosePrinter(int index);
  void ShowChosenPrinter();

  const std::vector<std::string>* lines_;
  TStringsPrinter working_;
  QPrinter printer_{QPrinter::HighResolution};
  QtPrinterDriver driver_{printer_};
  bool loaded_ = false;

  QTabWidget* pages_ = nullptr;
  QButtonGroup* header_align_ = nullptr;
  QLineEdit* header_text_ = nullptr;
  QButtonGroup* footer_align_ = nullptr;
  QLineEdit* footer_text_ = nullptr;
  QSpinBox* margin_line_ = nullptr;
  QSpinBox* margin_left_ = nullptr;
  QSpinBox* margin_right_ = nullptr;
  QSpinBox* margin_top_ = nullptr;
  QSpinBox* margin_bottom_ = nullptr;
  QComboBox* font_list_ = nullptr;
  QComboBox* size_list_ = nullptr;
  QButtonGroup* page_range_ = nullptr;
  QSpinBox* start_page_ = nullptr;
  QSpinBox* last_page_ = nullptr;
  QSpinBox* first_page_number_ = nullptr;
  QList<QWidget*> page_range_fields_;
  QButtonGroup* columns_ = nullptr;
  QSpinBox* column_space_ = nullptr;
  QButtonGroup* page_option_ = nullptr;
  QCheckBox* line_number_ = nullptr;
  QButtonGroup* line_range_ = nullptr;
  QSpinBox* start_line_ = nullptr;
  QSpinBox* last_line_ = nullptr;
  QSpinBox* first_line_number_ = nullptr;
  QList<QWidget*> line_range_fields_;
  QSpinBox* copies_ = nullptr;
  QPushButton* print_ = nullptr;
  QPushButton* setup_ = nullptr;
  QPushButton* preview_ = nullptr;
  QPushButton* cancel_ = nullptr;
  QComboBox* printer_list_ = nullptr;
  QLabel* printer_name_ = nullptr;
  QLabel* orientation_ = nullptr;
  QLabel* paper_name_ = nullptr;
};

// Copies `settings` into the dialog's working printer, runs it modally and on OK copies the
// settings back. Returns whether OK was chosen. `lines` may be null (nothing to print).
bool RunPrintDialog(TStringsPrinter& settings, const std::vector<std::string>* lines, QWidget* parent = nullptr);

// The main window's print command: loads print.bin into `settings` when it exists (creating a
// missing data folder first), sets FileName and GroupName (code page 932), runs the dialog and on
// OK writes print.bin. Errors of the store are shown through store::ShowMessage; the command then
// stops. Returns whether the dialog closed with OK.
bool RunPrintCommand(TStringsPrinter& settings, const store::DataFolder& folder, const std::vector<std::string>& lines,
                     const std::string& itemName, const std::string& groupName, QWidget* parent = nullptr);

}  // namespace print::qt
