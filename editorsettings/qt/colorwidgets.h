// The colour controls of "文字表示の設定": the 16-colour grid, which marks the entry's text (FG) and
// background (BG) colours when they are among its colours, and the "（色なし）" / "（その他の色）"
// panels with their small FG/BG tags. A left click means FG, a right click BG.
#pragma once

#include <QColor>
#include <QFrame>
#include <QWidget>

#include "store/colors.h"

namespace editorsettings::qt {

// Stored colour numbers to Qt and back (system colours come from the palette).
QColor ToQColor(store::TColor c, const QWidget* w);
store::TColor FromQColor(const QColor& c);

class ColorGrid : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kCell = 20;
  explicit ColorGrid(QWidget* parent = nullptr);

  // Which clicks count: left for FG, right for BG.
  void SetButtonsEnabled(bool fg, bool bg);
  bool FgEnabled() const { return fg_enabled_; }
  bool BgEnabled() const { return bg_enabled_; }
  // Grid positions of the marks, -1 for none.
  void SetMarks(int fg, int bg);
  int FgMark() const { return fg_; }
  int BgMark() const { return bg_; }
  // The cell under a point, -1 outside the cells.
  int CellAt(const QPoint& p) const;
  QRect CellRect(int index) const;
  QSize sizeHint() const override;

 signals:
  void cellClicked(int index, Qt::MouseButton button);

 protected:
  void paintEvent(QPaintEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;

 private:
  int fg_ = -1;
  int bg_ = -1;
  bool fg_enabled_ = true;
  bool bg_enabled_ = true;
};

class ColorPanel : public QFrame {
  Q_OBJECT
 public:
  explicit ColorPanel(const QString& text, QWidget* parent = nullptr);
  void SetTags(bool fg, bool bg);
  bool FgTag() const { return fg_; }
  bool BgTag() const { return bg_; }
  QString Text() const { return text_; }
  QSize sizeHint() const override;

 signals:
  void clicked(Qt::MouseButton button);

 protected:
  void paintEvent(QPaintEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;

 private:
  QString text_;
  bool fg_ = false;
  bool bg_ = false;
};

}  // namespace editorsettings::qt
