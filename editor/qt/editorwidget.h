// TEditor: the editor control on Qt. It owns an editor model, translates Qt's key, text, input
// method, mouse, wheel, scroll-bar and focus events into model calls, implements the model's
// Viewport (repaints, scrolling, caret, cursor, clipboard) and paints what the model holds.
#pragma once

#include <QAbstractScrollArea>
#include <QColor>
#include <QFont>
#include <QPointer>
#include <QRect>
#include <QTextCharFormat>
#include <QTimer>
#include <memory>
#include <string>
#include <vector>

#include "editor/editormodel.h"
#include "editor/qt/celltext.h"
#include "editor/qt/editorfont.h"
#include "editor/qt/rowmarks.h"

#include <QMenu>

namespace editor::qt {

class TEditor : public QAbstractScrollArea, protected Viewport {
  Q_OBJECT

 public:
  explicit TEditor(QWidget* parent = nullptr);
  ~TEditor() override;

  // The model holds the text, caret, selection, options and every rule; call it for anything the
  // widget does not wrap.
  EditorModel& Model() { return *model_; }
  const EditorModel& Model() const { return *model_; }

  // The main window's values of every option and property (font included).
  void ApplyMainValues();

  // Font record (face name in code page 932); the widget measures it and lays the rows out by it.
  void SetEditorFont(const store::TFont& font);
  const QFont& EditorQFont() const { return font_; }

  // A host's own pop-up menu replaces the built-in one (and its shortcuts); nullptr restores it.
  void SetPopupMenu(QMenu* menu);
  QMenu* PopupMenu() const { return host_menu_; }
  // The built-in menu as it would pop up now (enabling and check marks computed from the model).
  QMenu* CreateBuiltinMenu(QWidget* parent);

  // Text for the host in Unicode (the model keeps code page 932).
  QString UnicodeText() const;
  void SetUnicodeText(const QString& text);

  // The caret rectangle in this widget's coordinates (what the input method is told); while
  // composing, the input method's cursor inside the composition.
  QRect CaretRectangle() const;
  // The selection anchor's rectangle (the caret's without a selection).
  QRect AnchorRectangle() const;

  QSize sizeHint() const override { return {185, 89}; }
  QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

 signals:
  void changed();
  void caretMoved();
  void selectionChanged(bool selected);
  void selectionModeChanged();
  void topRowChanged();
  void topColChanged();
  // Characters code page 932 cannot hold became "?" (typed, committed, pasted or dropped text).
  void charactersReplaced(int count);
  // Per painted row (only computed when something is connected).
  void drawLine(const QString& lineStr, int x, int y, int index, const QRect& rect, bool selected);

 protected:
  // Viewport
  void InvalidateRows(int first, int last, unsigned areas) override;
  void InvalidateAll() override;
  void ScrollRows(int fromRow, int delta, unsigned areas) override;
  void ScrollHorizontally(int dxPixels) override;
  void UpdateScrollBars(const ScrollBarState& vertical, const ScrollBarState& horizontal) override;
  void UpdateCaret(const CaretInfo& caret) override;
  void SetMouseCursor(TCursor cursor) override;
  ClipboardContent GetClipboard() override;
  bool ClipboardHasText() override;
  void SetClipboard(std::string_view cp932, bool box) override;
  DropEffect StartDrag(std::string_view cp932) override;
  void OnChange() override { emit changed(); }
  void OnCaretMoved() override { emit caretMoved(); }
  void OnSelectionChange(bool selected) override;
  void OnSelectionModeChange() override { emit selectionModeChanged(); }
  void OnTopRowChange() override { emit topRowChanged(); }
  void OnTopColChange() override { emit topColChanged(); }
  void OnReadOnlyChange() override;

  // Qt events
  bool event(QEvent* e) override;
  void paintEvent(QPaintEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void inputMethodEvent(QInputMethodEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void wheelEvent(QWheelEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;
  void contextMenuEvent(QContextMenuEvent* e) override;
  void changeEvent(QEvent* e) override;
  bool focusNextPrevChild(bool next) override;
  void scrollContentsBy(int, int) override {}

  // Converts Unicode from the platform, reporting replaced characters.
  std::string ToCp932(const QString& text);
  // The offset of the viewport inside this widget (the frame).
  QPoint ViewportOffset() const;

 private:
  void SyncFont();
  void SyncFrame();
  void ApplyMetrics();
  void BlinkCaret();
  void RestartBlink();
  QRect CaretPaintRect() const;
  // Tells the input method that the caret, the selection or the text around them changed.
  void UpdateInputMethod();
  // Before a click: the input method commits what it composes (fcitx5 does on reset), or it goes.
  void FinishComposition();
  void ShowBuiltinMenu(const QPoint& globalPos);
  bool HandlesShortcut(const QKeyEvent* e) const;

  // Painting
  struct PaintColors;
  void PaintRuler(QPainter& p, const QRect& clip, const PaintColors& c);
  void PaintImagebar(QPainter& p, uint16_t marks, int y);
  void PaintLeftbar(QPainter& p, int row, int y, const PaintColors& c);
  void PaintRow(QPainter& p, const RowPaintInfo& info, const PaintColors& c);
  // The input method's look over the composed part of a row.
  void PaintComposition(QPainter& p, const RowPaintInfo& info, const PaintColors& c);
  void PaintCaret(QPainter& p);
  QRect AreaRect(unsigned area, int top, int bottom) const;

  // The ruler's scale as last drawn; the caret marker moves on every keystroke, the scale rarely.
  struct RulerKey {
    int width = -1, height = 0, text_left = 0, x0 = 0, char_width = 0, gauge = 0, first_col = 0;
    QRgb bk = 0, ink = 0, edge = 0;
    bool has_edge = false;
    qreal dpr = 1;
    friend bool operator==(const RulerKey&, const RulerKey&) = default;
  };
  RulerKey ruler_key_;
  QPixmap ruler_pixmap_;

  std::unique_ptr<EditorModel> model_;
  QFont font_;
  store::TFont font_record_;
  bool font_synced_ = false;
  CellMetrics metrics_;
  CellTextPainter text_painter_;
  RowCells cells_;
  DottedLineCache dotted_;

  CaretInfo caret_;
  bool caret_on_ = true;
  QTimer blink_;
  QTimer auto_scroll_;
  // The input method's formats of the composition, as byte ranges of its code page 932 text.
  struct PreeditFormat {
    int start = 0, end = 0;
    QTextCharFormat format;
  };
  std::vector<PreeditFormat> preedit_formats_;
  bool preedit_formatted_ = false;  // the input method sent formats (else it is underlined)

  QPointer<QMenu> host_menu_;
  bool updating_bars_ = false;
  int wheel_remainder_ = 0;
  TScrollStyle frame_synced_style_ = ssNone;
  TBorderStyle frame_synced_border_ = bsNone;
  bool frame_synced_ = false;
};

}  // namespace editor::qt
