// The print dialog.
#include "print/qt/printdialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include "codec/qt/qtcp932.h"
#include "print/qt/printjob.h"
#include "store/errors.h"
#include "store/reporter.h"

namespace print::qt {

using codec::qt::FromCp932;
using codec::qt::ToCp932;

namespace {

// Radio buttons in a row, ids 0.. in order.
QButtonGroup* RadioRow(QWidget* parent, QBoxLayout* into, const QStringList& texts) {
  auto* group = new QButtonGroup(parent);
  for (int i = 0; i < texts.size(); ++i) {
    auto* b = new QRadioButton(texts[i], parent);
    group->addButton(b, i);
    into->addWidget(b);
  }
  into->addStretch();
  return group;
}

void Check(QButtonGroup* group, int id) {
  if (QAbstractButton* b = group->button(id)) b->setChecked(true);
}

}  // namespace

QStringList PrintFontFamilies(const QStringList& families) {
  QStringList out;
  for (const QString& f : families)
    if (!f.startsWith(QLatin1Char('@')) && !f.startsWith(QStringLiteral("＠"))) out << f;
  return out;
}

TFormStringsPrint::TFormStringsPrint(const std::vector<std::string>* lines, QWidget* parent)
    : QDialog(parent), lines_(lines) {
  setWindowTitle(QStringLiteral("印刷"));
  setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
  // Without an installed printer the job goes to a PDF file the user names; with the print
  // system's queues, to the default queue until the user chooses another.
  const QStringList queues = QPrinterInfo::availablePrinterNames();
  if (queues.isEmpty()) {
    printer_.setOutputFormat(QPrinter::PdfFormat);
  } else if (!queues.contains(printer_.printerName())) {
    printer_.setPrinterName(queues.first());  // no default queue
  }
  working_.Info().SetDriver(&driver_);

  auto* layout = new QHBoxLayout(this);
  pages_ = new QTabWidget(this);
  auto* first = new QWidget;
  auto* second = new QWidget;
  BuildFirstPage(first);
  BuildSecondPage(second);
  pages_->addTab(first, QStringLiteral("印刷設定１"));
  pages_->addTab(second, QStringLiteral("印刷設定２"));
  layout->addWidget(pages_);
  auto* side = new QWidget(this);
  BuildSide(side);
  layout->addWidget(side);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

QSpinBox* TFormStringsPrint::MarginField(QWidget* parent, void (TStringsPrinter::*set)(int)) {
  auto* spin = new QSpinBox(parent);
  spin->setRange(0, 100);
  connect(spin, &QSpinBox::valueChanged, this, [this, set](int v) { (working_.*set)(v); });
  return spin;
}

// The six range and number fields wrap: 0 or less becomes 999999 and above 999999 becomes 1, so
// that the spin arrows run round. A double click resets the field.
QSpinBox* TFormStringsPrint::NumberField(QWidget* parent, int resetValue, void (TStringsPrinter::*set)(int)) {
  auto* spin = new QSpinBox(parent);
  spin->setRange(0, kMaxNumber + 1);
  spin->setMinimumWidth(spin->fontMetrics().horizontalAdvance(QStringLiteral("99999999")) + 24);
  spin->setValue(1);  // so that loading a stored 0 is a change and wraps
  spin->setProperty("resetValue", resetValue);
  connect(spin, &QSpinBox::valueChanged, this, [this, spin, set](int v) {
    if (v <= 0) {
      spin->setValue(kMaxNumber);
      return;
    }
    if (v > kMaxNumber) {
      spin->setValue(1);
      return;
    }
    (working_.*set)(v);
  });
  if (auto* edit = spin->findChild<QLineEdit*>()) {
    edit->setProperty("numberField", QVariant::fromValue(static_cast<QObject*>(spin)));
    edit->installEventFilter(this);
  }
  spin->installEventFilter(this);
  return spin;
}

bool TFormStringsPrint::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonDblClick) {
    QObject* target = watched;
    if (QVariant v = watched->property("numberField"); v.isValid()) target = v.value<QObject*>();
    if (auto* spin = qobject_cast<QSpinBox*>(target); spin && spin->property("resetValue").isValid()) {
      spin->setValue(spin->property("resetValue").toInt());
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void TFormStringsPrint::BuildFirstPage(QWidget* page) {
  auto* v = new QVBoxLayout(page);
  const QStringList aligns = {QStringLiteral("なし"), QStringLiteral("左"), QStringLiteral("中央"),
                              QStringLiteral("右")};

  auto band = [&](const QString& title, const QString& label, QButtonGroup*& group, QLineEdit*& edit,
                  void (TStringsPrinter::*setAlign)(TStringsPrinterHeaderAlign),
                  void (TStringsPrinter::*setText)(std::string)) {
    auto* box = new QGroupBox(title, page);
    auto* bv = new QVBoxLayout(box);
    auto* row = new QHBoxLayout;
    group = RadioRow(box, row, aligns);
    bv->addLayout(row);
    auto* textRow = new QHBoxLayout;
    textRow->addWidget(new QLabel(label, box));
    edit = new QLineEdit(box);
    edit->setMinimumWidth(220);
    textRow->addWidget(edit, 1);
    bv->addLayout(textRow);
    v->addWidget(box);
    connect(group, &QButtonGroup::idToggled, this, [this, setAlign](int id, bool on) {
      if (on) (working_.*setAlign)(static_cast<TStringsPrinterHeaderAlign>(id));
    });
    connect(edit, &QLineEdit::textChanged, this,
            [this, setText](const QString& t) { (working_.*setText)(ToCp932(t)); });
  };
  band(QStringLiteral("ヘッダ"), QStringLiteral("ヘッダ文字列"), header_align_, header_text_,
       &TStringsPrinter::SetHeaderAlign, &TStringsPrinter::SetHeader);
  band(QStringLiteral("フッタ"), QStringLiteral("フッタ文字列"), footer_align_, footer_text_,
       &TStringsPrinter::SetFooterAlign, &TStringsPrinter::SetFooter);
  v->addWidget(new QLabel(QStringLiteral("%g グループ名 , %f アイテム名 , %p ページ番号"), page));
  v->addWidget(new QLabel(QStringLiteral("%y  年  ,  %m  月  ,  %d  日  ,  %t  時間"), page));

  auto* spacingRow = new QHBoxLayout;
  spacingRow->addWidget(new QLabel(QStringLiteral("行間"), page));
  margin_line_ = MarginField(page, &TStringsPrinter::SetMarginLine);
  spacingRow->addWidget(margin_line_);
  spacingRow->addStretch();
  v->addLayout(spacingRow);

  auto* margins = new QGroupBox(QStringLiteral("用紙余白(mm)"), page);
  auto* grid = new QGridLayout(margins);
  margin_left_ = MarginField(margins, &TStringsPrinter::SetMarginLeft);
  margin_right_ = MarginField(margins, &TStringsPrinter::SetMarginRight);
  margin_top_ = MarginField(margins, &TStringsPrinter::SetMarginTop);
  margin_bottom_ = MarginField(margins, &TStringsPrinter::SetMarginBottom);
  grid->addWidget(new QLabel(QStringLiteral("左余白"), margins), 0, 0);
  grid->addWidget(margin_left_, 0, 1);
  grid->addWidget(new QLabel(QStringLiteral("右余白"), margins), 0, 2);
  grid->addWidget(margin_right_, 0, 3);
  grid->addWidget(new QLabel(QStringLiteral("上余白"), margins), 1, 0);
  grid->addWidget(margin_top_, 1, 1);
  grid->addWidget(new QLabel(QStringLiteral("下余白"), margins), 1, 2);
  grid->addWidget(margin_bottom_, 1, 3);
  v->addWidget(margins);

  auto* fontBox = new QGroupBox(QStringLiteral("フォント"), page);
  auto* fh = new QHBoxLayout(fontBox);
  font_list_ = new QComboBox(fontBox);
  font_list_->setMinimumWidth(200);
  size_list_ = new QComboBox(fontBox);
  size_list_->setEditable(true);
  for (int s = 6; s <= 30; ++s) size_list_->addItem(QString::number(s));
  fh->addWidget(font_list_, 1);
  fh->addWidget(new QLabel(QStringLiteral("サイズ"), fontBox));
  fh->addWidget(size_list_);
  v->addWidget(fontBox);
  v->addStretch();

  connect(font_list_, &QComboBox::currentTextChanged, this, [this](const QString& name) {
    if (!name.isEmpty()) working_.FontRef().Name = ToCp932(name);
  });
  connect(size_list_, &QComboBox::currentTextChanged, this, [this](const QString& text) {
    bool ok = false;
    int size = text.trimmed().toInt(&ok);
    if (!ok || size <= 0) size = 9;
    working_.FontRef().SetSize(size);
  });
}

void TFormStringsPrint::BuildSecondPage(QWidget* page) {
  auto* v = new QVBoxLayout(page);
  const QStringList ranges = {QStringLiteral("すべて"), QStringLiteral("指定範囲")};

  // A range group: radios, start and end fields with their labels, and the start number.
  auto rangeBox = [&](QBoxLayout* into, const QString& startText, const QString& endText, QButtonGroup*& group,
                      QSpinBox*& start, QSpinBox*& end, QSpinBox*& number, QList<QWidget*>& fields,
                      void (TStringsPrinter::*setStart)(int), void (TStringsPrinter::*setEnd)(int),
                      void (TStringsPrinter::*setNumber)(int), QWidget* parent) {
    auto* row = new QHBoxLayout;
    group = RadioRow(parent, row, ranges);
    into->addLayout(row);
    auto* form = new QGridLayout;
    start = NumberField(parent, 1, setStart);
    end = NumberField(parent, kMaxNumber, setEnd);
    number = NumberField(parent, 1, setNumber);
    auto* startLabel = new QLabel(startText, parent);
    auto* endLabel = new QLabel(endText, parent);
    form->addWidget(startLabel, 0, 0);
    form->addWidget(start, 0, 1);
    form->addWidget(endLabel, 1, 0);
    form->addWidget(end, 1, 1);
    form->addWidget(new QLabel(QStringLiteral("開始番号"), parent), 2, 0);
    form->addWidget(number, 2, 1);
    form->setColumnStretch(2, 1);
    into->addLayout(form);
    fields = {startLabel, start, endLabel, end};
  };

  auto* pageBox = new QGroupBox(QStringLiteral("印刷ページ"), page);
  auto* pv = new QVBoxLayout(pageBox);
  rangeBox(pv, QStringLiteral("開始ページ"), QStringLiteral("終了ページ"), page_range_, start_page_, last_page_,
           first_page_number_, page_range_fields_, &TStringsPrinter::SetStartPage, &TStringsPrinter::SetLastPage,
           &TStringsPrinter::SetFirstPageNumber, pageBox);
  v->addWidget(pageBox);

  auto* columnBox = new QGroupBox(QStringLiteral("段組み"), page);
  auto* cv = new QHBoxLayout(columnBox);
  cv->addWidget(new QLabel(QStringLiteral("段数"), columnBox));
  auto* colRow = new QHBoxLayout;
  columns_ = RadioRow(columnBox, colRow, {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")});
  cv->addLayout(colRow);
  cv->addWidget(new QLabel(QStringLiteral("段落間"), columnBox));
  column_space_ = MarginField(columnBox, &TStringsPrinter::SetColumnSpace);
  cv->addWidget(column_space_);
  cv->addWidget(new QLabel(QStringLiteral("mm"), columnBox));
  v->addWidget(columnBox);

  auto* optionBox = new QGroupBox(QStringLiteral("オプション"), page);
  auto* ov = new QHBoxLayout(optionBox);
  page_option_ = RadioRow(
      optionBox, ov, {QStringLiteral("すべてのページ"), QStringLiteral("奇数ページ"), QStringLiteral("偶数ページ")});
  v->addWidget(optionBox);

  auto* lineBox = new QGroupBox(QStringLiteral("行番号"), page);
  auto* lv = new QVBoxLayout(lineBox);
  line_number_ = new QCheckBox(QStringLiteral("行番号を印刷"), lineBox);
  lv->addWidget(line_number_);
  rangeBox(lv, QStringLiteral("開始行"), QStringLiteral("終了行"), line_range_, start_line_, last_line_,
           first_line_number_, line_range_fields_, &TStringsPrinter::SetStartLine, &TStringsPrinter::SetLastLine,
           &TStringsPrinter::SetFirstLineNumber, lineBox);
  v->addWidget(lineBox);
  v->addStretch();

  connect(page_range_, &QButtonGroup::idToggled, this, [this](int id, bool on) {
    if (on) SetPageRangeLimited(id == 1);
  });
  connect(line_range_, &QButtonGroup::idToggled, this, [this](int id, bool on) {
    if (on) SetLineRangeLimited(id == 1);
  });
  // A start changed inside a limited range is also the first number printed.
  connect(start_page_, &QSpinBox::valueChanged, this, [this](int v) {
    if (working_.RangeOption() == roLimited && v >= 1 && v <= kMaxNumber) first_page_number_->setValue(v);
  });
  connect(start_line_, &QSpinBox::valueChanged, this, [this](int v) {
    if (working_.LineRangeOption() == roLimited && v >= 1 && v <= kMaxNumber) first_line_number_->setValue(v);
  });
  connect(columns_, &QButtonGroup::idToggled, this, [this](int id, bool on) {
    if (on) working_.SetColumnCount(id + 1);
  });
  connect(page_option_, &QButtonGroup::idToggled, this, [this](int id, bool on) {
    if (on) working_.SetPageOption(static_cast<TStringsPrinterPageOption>(id));
  });
  connect(line_number_, &QCheckBox::toggled, this, [this](bool on) { working_.SetLineNumber(on); });
}

void TFormStringsPrint::SetPageRangeLimited(bool limited) {
  working_.SetRangeOption(limited ? roLimited : roWhole);
  for (QWidget* w : page_range_fields_) w->setEnabled(limited);
  first_page_number_->setValue(limited ? start_page_->value() : 1);
}

void TFormStringsPrint::SetLineRangeLimited(bool limited) {
  working_.SetLineRangeOption(limited ? roLimited : roWhole);
  for (QWidget* w : line_range_fields_) w->setEnabled(limited);
  first_line_number_->setValue(limited ? start_line_->value() : 1);
}

void TFormStringsPrint::BuildSide(QWidget* side) {
  auto* v = new QVBoxLayout(side);
  v->setContentsMargins(0, 0, 0, 0);
  print_ = new QPushButton(QStringLiteral("印刷"), side);
  print_->setDefault(true);
  setup_ = new QPushButton(QStringLiteral("プリンタ設定"), side);
  preview_ = new QPushButton(QStringLiteral("プレビュー"), side);
  cancel_ = new QPushButton(QStringLiteral("キャンセル"), side);
  for (QPushButton* b : {setup_, preview_, cancel_}) b->setAutoDefault(false);
  v->addWidget(print_);
  v->addWidget(setup_);
  v->addWidget(preview_);
  v->addWidget(cancel_);
  v->addSpacing(12);
  auto* copiesRow = new QHBoxLayout;
  copiesRow->addWidget(new QLabel(QStringLiteral("印刷枚数"), side));
  copies_ = new QSpinBox(side);
  copies_->setRange(1, 100);
  copies_->setValue(1);
  copiesRow->addWidget(copies_);
  v->addLayout(copiesRow);
  v->addSpacing(12);
  auto* listLabel = new QLabel(QStringLiteral("プリンタ名(&N)"), side);
  printer_list_ = new QComboBox(side);
  printer_list_->setMaximumWidth(180);
  listLabel->setBuddy(printer_list_);
  v->addWidget(listLabel);
  v->addWidget(printer_list_);
  FillPrinterList();
  printer_name_ = new QLabel(side);
  orientation_ = new QLabel(side);
  paper_name_ = new QLabel(side);
  for (QLabel* l : {printer_name_, orientation_, paper_name_}) {
    l->setMaximumWidth(180);
    l->setWordWrap(true);
    v->addWidget(l);
  }
  v->addStretch();

  printer_.setCopyCount(1);
  connect(copies_, &QSpinBox::valueChanged, this, [this](int n) { printer_.setCopyCount(n); });
  connect(print_, &QPushButton::clicked, this, [this] { OnPrint(); });
  connect(setup_, &QPushButton::clicked, this, [this] { OnPrinterSetup(); });
  connect(preview_, &QPushButton::clicked, this, [this] { OnPreview(); });
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
  connect(printer_list_, &QComboBox::activated, this, [this](int index) { ChoosePrinter(index); });

  const bool haveLines = lines_ != nullptr;
  for (QWidget* w : std::initializer_list<QWidget*>{print_, setup_, preview_, printer_list_, printer_name_,
                                                    orientation_, paper_name_})
    w->setEnabled(haveLines);
}

QString TFormStringsPrint::PdfFileChoice() { return QStringLiteral("PDF ファイル"); }

void TFormStringsPrint::FillPrinterList() {
  QSignalBlocker block(printer_list_);
  printer_list_->clear();
  const QString preferred = QPrinterInfo::defaultPrinterName();
  const QStringList queues = QPrinterInfo::availablePrinterNames();
  if (queues.contains(preferred)) printer_list_->addItem(preferred, preferred);
  for (const QString& q : queues)
    if (q != preferred) printer_list_->addItem(q, q);
  printer_list_->addItem(PdfFileChoice(), QString());
  ShowChosenPrinter();
}

void TFormStringsPrint::ChoosePrinter(int index) {
  const QString queue = printer_list_->itemData(index).toString();
  if (queue.isEmpty()) {
    // The file is asked for when printing.
    printer_.setOutputFileName(QString());
    printer_.setOutputFormat(QPrinter::PdfFormat);
  } else {
    printer_.setOutputFormat(QPrinter::NativeFormat);
    printer_.setPrinterName(queue);
  }
  RefreshPrinterLabels();
}

void TFormStringsPrint::ShowChosenPrinter() {
  const bool native = printer_.outputFormat() == QPrinter::NativeFormat && !printer_.printerName().isEmpty();
  const int at = native ? printer_list_->findData(printer_.printerName()) : printer_list_->count() - 1;
  QSignalBlocker block(printer_list_);
  printer_list_->setCurrentIndex(std::max(0, at));
}

void TFormStringsPrint::RefreshPrinterLabels() {
  TStringsPrinterInfo& info = working_.Info();
  printer_name_->setText(QString::fromStdString(info.PrinterName()));
  orientation_->setText(print::qt::OrientationLabel(printer_));
  paper_name_->setText(FromCp932(info.PaperName()));
}

void TFormStringsPrint::LoadControls() {
  // Copy first: loading a control writes its property, which would overwrite values not yet
  // loaded.
  TStringsPrinter s;
  s.Assign(working_);

  // The font list: every family but the vertical ones, the stored name kept even when it is only
  // a substitute's.
  const QString fontName = FromCp932(s.Font().Name);
  {
    QSignalBlocker block(font_list_);
    font_list_->clear();
    const QStringList families = PrintFontFamilies(QFontDatabase::families());
    font_list_->addItems(families);
    if (!fontName.isEmpty() && !families.contains(fontName)) font_list_->insertItem(0, fontName);
    font_list_->setCurrentIndex(std::max(0, font_list_->findText(fontName)));
  }
  {
    QSignalBlocker block(size_list_);
    size_list_->setCurrentText(QString::number(s.Font().Size()));
  }
  ShowChosenPrinter();
  RefreshPrinterLabels();

  margin_left_->setValue(s.MarginLeft());
  margin_right_->setValue(s.MarginRight());
  margin_top_->setValue(s.MarginTop());
  margin_bottom_->setValue(s.MarginBottom());
  margin_line_->setValue(s.MarginLine());
  column_space_->setValue(s.ColumnSpace());
  line_number_->setChecked(s.LineNumber());
  working_.SetLineNumber(s.LineNumber());
  Check(columns_, s.ColumnCount() - 1);
  Check(header_align_, s.HeaderAlign());
  header_text_->setText(FromCp932(s.Header()));
  Check(footer_align_, s.FooterAlign());
  footer_text_->setText(FromCp932(s.Footer()));
  Check(page_option_, s.PageOption());

  // Each range group: its range controls first, whose handlers write the start number, then the
  // stored start number.
  start_page_->setValue(s.StartPage());
  last_page_->setValue(s.LastPage());
  Check(page_range_, s.RangeOption());
  SetPageRangeLimited(s.RangeOption() == roLimited);
  first_page_number_->setValue(s.FirstPageNumber());

  Check(line_range_, s.LineRangeOption());
  SetLineRangeLimited(s.LineRangeOption() == roLimited);
  start_line_->setValue(s.StartLine());
  last_line_->setValue(s.LastLine());
  first_line_number_->setValue(s.FirstLineNumber());
  // Values equal to what a field already showed raised no change: write them all once more.
  working_.SetFirstPageNumber(first_page_number_->value());
  working_.SetFirstLineNumber(first_line_number_->value());
  working_.SetStartPage(start_page_->value());
  working_.SetLastPage(last_page_->value());
  working_.SetStartLine(start_line_->value());
  working_.SetLastLine(last_line_->value());
}

void TFormStringsPrint::showEvent(QShowEvent* e) {
  if (!loaded_) {
    loaded_ = true;
    LoadControls();
    adjustSize();
    if (const QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());
  }
  QDialog::showEvent(e);
}

void TFormStringsPrint::OnPrint() {
  if (!lines_) return;
  printer_.setDocName(FromCp932(working_.FileName()));
  if (Print(working_, printer_, *lines_, this)) accept();
}

void TFormStringsPrint::OnPrinterSetup() {
  if (!lines_) return;
  if (QPrinterInfo::availablePrinterNames().isEmpty()) {
    // Only the PDF file: paper and orientation.
    QPageSetupDialog dialog(&printer_, this);
    dialog.exec();
  } else {
    QPrintDialog dialog(&printer_, this);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    if (dialog.exec() == QDialog::Accepted) copies_->setValue(std::clamp(printer_.copyCount(), 1, 100));
  }
  ShowChosenPrinter();
  RefreshPrinterLabels();
}

void TFormStringsPrint::OnPreview() {
  if (!lines_) return;
  Preview(working_, printer_, *lines_, this);
}

bool RunPrintDialog(TStringsPrinter& settings, const std::vector<std::string>* lines, QWidget* parent) {
  TFormStringsPrint dialog(lines, parent);
  dialog.Working().Assign(settings);
  if (dialog.exec() != QDialog::Accepted) return false;
  settings.Assign(dialog.Working());
  return true;
}

bool RunPrintCommand(TStringsPrinter& settings, const store::DataFolder& folder, const std::vector<std::string>& lines,
                     const std::string& itemName, const std::string& groupName, QWidget* parent) {
  try {
    folder.EnsureExists();
    if (folder.Exists(std::string(kPrintFileName))) LoadPrintSettings(settings, folder);
  } catch (const store::Error& e) {
    store::ShowMessage(e.what());
    return false;
  }
  settings.SetFileName(itemName);
  settings.SetGroupName(groupName);
  if (!RunPrintDialog(settings, &lines, parent)) return false;
  try {
    SavePrintSettings(settings, folder);
  } catch (const store::Error& e) {
    store::ShowMessage(e.what());
  }
  return true;
}

}  // namespace print::qt
