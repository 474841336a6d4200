// TFindGridForm: the result window.
#include "search/qt/findgridform.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

#include "codec/qt/qtcp932.h"

namespace search::qt {

using codec::qt::FromCp932;

namespace {

// A hit's excerpt may run over line ends and tabs; a cell shows one line.
QString CellText(const std::string& cp932) {
  QString s = FromCp932(cp932);
  for (QChar& c : s)
    if (c == u'\r' || c == u'\n' || c == u'\t') c = u' ';
  return s;
}

}  // namespace

TFindGridForm::TFindGridForm(std::unique_ptr<FindGrid> grid, Opener opener, QWidget* parent)
    : QDialog(parent), grid_(std::move(grid)), opener_(std::move(opener)) {
  if (!grid_) grid_ = std::make_unique<FindGrid>();
  setObjectName("FindGridForm");
  setWindowTitle(QStringLiteral("検索結果"));
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                 Qt::WindowCloseButtonHint);
  setModal(false);
  setAttribute(Qt::WA_DeleteOnClose);
  setSizeGripEnabled(true);

  StringGrid = new QTableWidget(this);
  StringGrid->setObjectName("StringGrid");
  StringGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  StringGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
  StringGrid->setSelectionMode(QAbstractItemView::SingleSelection);
  StringGrid->setWordWrap(false);
  StringGrid->verticalHeader()->hide();
  StringGrid->horizontalHeader()->setStretchLastSection(false);
  StringGrid->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  StringGrid->viewport()->installEventFilter(this);
  connect(StringGrid, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
    if (opener_) opener_(*grid_, row + 1);
  });

  Button_Open = new QPushButton(QStringLiteral("開く"), this);
  Button_Open->setDefault(true);
  Button_Close = new QPushButton(QStringLiteral("閉じる"), this);
  connect(Button_Open, &QPushButton::clicked, this, &TFindGridForm::OpenCurrentRow);
  // reject() closes, and the window deletes itself with its rows.
  connect(Button_Close, &QPushButton::clicked, this, &TFindGridForm::reject);

  auto* status = new QStatusBar(this);
  status->setSizeGripEnabled(false);
  for (int i = 0; i < 3; ++i) {
    StatusPanel[i] = new QLabel(status);
    StatusPanel[i]->setFrameShape(QFrame::Panel);
    StatusPanel[i]->setFrameShadow(QFrame::Sunken);
  }
  for (int i = 0; i < 2; ++i) {
    StatusPanel[i]->setFixedWidth(180);
    StatusPanel[i]->setAlignment(Qt::AlignCenter);
  }
  status->addWidget(StatusPanel[0]);
  status->addWidget(StatusPanel[1]);
  status->addWidget(StatusPanel[2], 1);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(Button_Open);
  buttons->addWidget(Button_Close);
  auto* top = new QVBoxLayout(this);
  top->setContentsMargins(0, 0, 0, 0);
  top->setSpacing(4);
  top->addWidget(StringGrid, 1);
  auto* buttonRow = new QWidget(this);
  buttonRow->setLayout(buttons);
  top->addWidget(buttonRow);
  top->addWidget(status);

  resize(kWidth, kHeight);
  FillRows();
}

TFindGridForm::~TFindGridForm() = default;

void TFindGridForm::FillRows() {
  const FindGrid& g = *grid_;
  StringGrid->setColumnCount(FindGrid::kColumns);
  QStringList header;
  for (int c = 0; c < FindGrid::kColumns; ++c) header << CellText(g.Cell(0, c));
  StringGrid->setHorizontalHeaderLabels(header);
  // Grid row 0 is the header; the rest, down to the trailing empty row, are table rows.
  StringGrid->setRowCount(g.RowCount() - 1);
  for (int r = 1; r < g.RowCount(); ++r)
    for (int c = 0; c < FindGrid::kColumns; ++c)
      StringGrid->setItem(r - 1, c, new QTableWidgetItem(CellText(g.Cell(r, c))));
  if (g.RowCount() > 1) StringGrid->setCurrentCell(0, 0);
  StatusPanel[0]->setText(QString::fromStdString(g.ModeText()));
  StatusPanel[1]->setText(QString::fromStdString(g.CountText()));
  StatusPanel[2]->setText(QString::fromStdString(g.SearchTextStatus()));
  // The designed widths were made for another platform's fonts: headers like "GroupIndex" and
  // longer names did not fit. Measured once here, not at every resize (results can be long).
  for (int c = 0; c < FindGrid::kTextColumn; ++c)
    widths_[static_cast<size_t>(c)] =
        std::max({FindGrid::kFixedWidths[c], StringGrid->horizontalHeader()->sectionSizeHint(c),
                  static_cast<const QAbstractItemView*>(StringGrid)->sizeHintForColumn(c)});
  SetColumnWidths();
}

void TFindGridForm::SetColumnWidths() {
  int widened = 0;  // beyond the designed widths, taken from the Text column
  for (int c = 0; c < FindGrid::kTextColumn; ++c) {
    StringGrid->setColumnWidth(c, widths_[static_cast<size_t>(c)]);
    widened += widths_[static_cast<size_t>(c)] - FindGrid::kFixedWidths[c];
  }
  StringGrid->setColumnWidth(FindGrid::kTextColumn,
                             FindGrid::TextColumnWidth(StringGrid->viewport()->width() - widened));
}

int TFindGridForm::CurrentGridRow() const { return StringGrid->currentRow() < 0 ? -1 : StringGrid->currentRow() + 1; }

void TFindGridForm::OpenCurrentRow() {
  if (opener_) opener_(*grid_, CurrentGridRow());
}

bool TFindGridForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == StringGrid->viewport() && event->type() == QEvent::Resize) SetColumnWidths();
  return QDialog::eventFilter(watched, event);
}

}  // namespace search::qt
