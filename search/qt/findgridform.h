// TFindGridForm: the result window "検索結果" of one search across items. It shows the rows of its
// FindGrid (the header row as the grid's header), the mode, count and search text in its status
// bar, and hands the row to open to its owner. Non-modal; frees itself when closed.
#pragma once

#include <QDialog>
#include <array>
#include <functional>
#include <memory>

#include "search/findcommands.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace search::qt {

class TFindGridForm : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kWidth = 783;
  static constexpr int kHeight = 540;
  // Called with the grid and the grid row (1 = first hit) to open.
  using Opener = std::function<void(const FindGrid& grid, int row)>;

  TFindGridForm(std::unique_ptr<FindGrid> grid, Opener opener, QWidget* parent = nullptr);
  ~TFindGridForm() override;

  const FindGrid& Grid() const { return *grid_; }
  // The grid row of the table's current row (table row 0 shows grid row 1).
  int CurrentGridRow() const;
  // "開く": opens the current row.
  void OpenCurrentRow();

  QTableWidget* StringGrid;
  QLabel* StatusPanel[3];
  QPushButton* Button_Open;
  QPushButton* Button_Close;

 protected:
  // The Text column follows the grid's visible width (window size, vertical scroll bar).
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FillRows();
  void SetColumnWidths();

  std::unique_ptr<FindGrid> grid_;
  Opener opener_;
  // Columns before the Text column: their designed widths, widened to fit header and cells.
  std::array<int, FindGrid::kTextColumn> widths_{};
};

}  // namespace search::qt
