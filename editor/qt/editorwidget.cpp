// The editor widget: event translation, the Viewport of the model, painting.
#include "editor/qt/editorwidget.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMetaMethod>
#include <QMimeData>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QStyleHints>
#include <QWheelEvent>
#include <algorithm>
#include <functional>
#include <map>

#include "codec/cp932.h"
#include "codec/qt/qtcp932.h"
#include "editor/qt/editorcolor.h"
#include "editor/qt/editormime.h"

namespace editor::qt {

namespace {

Modifiers ToModifiers(Qt::KeyboardModifiers m) {
  Modifiers out = kModNone;
  if (m & Qt::ShiftModifier) out |= kModShift;
  if (m & Qt::ControlModifier) out |= kModCtrl;
  if (m & Qt::AltModifier) out |= kModAlt;
  return out;
}

KeyCode ToKeyCode(int key) {
  if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9)) return key;
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return keys::kF1 + (key - Qt::Key_F1);
  switch (key) {
    case Qt::Key_Backspace: return keys::kBackspace;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return keys::kTab;
    case Qt::Key_Return:
    case Qt::Key_Enter: return keys::kReturn;
    case Qt::Key_Escape: return keys::kEscape;
    case Qt::Key_Insert: return keys::kInsert;
    case Qt::Key_Delete: return keys::kDelete;
    case Qt::Key_Home: return keys::kHome;
    case Qt::Key_End: return keys::kEnd;
    case Qt::Key_PageUp: return keys::kPageUp;
    case Qt::Key_PageDown: return keys::kPageDown;
    case Qt::Key_Left: return keys::kLeft;
    case Qt::Key_Up: return keys::kUp;
    case Qt::Key_Right: return keys::kRight;
    case Qt::Key_Down: return keys::kDown;
    default: return keys::kNone;
  }
}

MouseButton ToButton(Qt::MouseButton b) {
  switch (b) {
    case Qt::LeftButton: return MouseButton::Left;
    case Qt::RightButton: return MouseButton::Right;
    case Qt::MiddleButton: return MouseButton::Middle;
    default: return MouseButton::None;
  }
}

// The editor's "RightArrow" cursor: an arrow pointing up and to the right, for the row-select area.
QCursor RightArrowCursor() {
  static const QCursor cursor = [] {
    QImage img(16, 16, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    // The standard arrow shape, mirrored.
    static const char* const kShape[] = {
        "...............#", "..............##", ".............#.#", "............#..#",
        "...........#...#", "..........#....#", ".........#.....#", "........#......#",
        ".......#...#####", "..........#..#.#", ".........#..#..#", ".........#.#...#",
        "........#..#....", "........#.#.....", ".........#......", "................"};
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x)
        if (kShape[y][x] == '#') img.setPixel(x, y, qRgb(0, 0, 0));
    // Fill the inside white so the arrow shows on dark backgrounds.
    for (int y = 0; y < 16; ++y) {
      int first = -1, last = -1;
      for (int x = 0; x < 16; ++x)
        if (kShape[y][x] == '#') (first < 0 ? first : last) = x;
      for (int x = first + 1; first >= 0 && x < last; ++x) img.setPixel(x, y, qRgb(255, 255, 255));
    }
    return QCursor(QPixmap::fromImage(img), 15, 0);
  }();
  return cursor;
}

QCursor ToQCursor(TCursor c) {
  switch (c) {
    case crIBeam: return Qt::IBeamCursor;
    case crDrag: return Qt::DragMoveCursor;
    case crRightArrow: return RightArrowCursor();
    case crDragSelCopy: return Qt::DragCopyCursor;
    case -2: return Qt::ArrowCursor;
    case -3: return Qt::CrossCursor;
    case -6: return Qt::SizeBDiagCursor;
    case -7: return Qt::SizeVerCursor;
    case -8: return Qt::SizeFDiagCursor;
    case -9: return Qt::SizeHorCursor;
    case -10: return Qt::UpArrowCursor;
    case -11: return Qt::WaitCursor;
    case -13: return Qt::ForbiddenCursor;
    case -14: return Qt::SplitHCursor;
    case -15: return Qt::SplitVCursor;
    case -16: return Qt::DragCopyCursor;
    case -18: return Qt::ForbiddenCursor;
    case -19: return Qt::BusyCursor;
    case -20: return Qt::WhatsThisCursor;
    case -21: return Qt::PointingHandCursor;
    case -22: return Qt::SizeAllCursor;
    default: return Qt::ArrowCursor;
  }
}

// Three-by-five pixel digits of the ruler: crisp at a ten-pixel ruler height.
void DrawTinyNumber(QPainter& p, int x, int y, int n, const QColor& color) {
  static const char* const kDigits[10][5] = {{"###", "#.#", "#.#", "#.#", "###"}, {".#.", "##.", ".#.", ".#.", "###"},
                                             {"###", "..#", "###", "#..", "###"}, {"###", "..#", "###", "..#", "###"},
                                             {"#.#", "#.#", "###", "..#", "..#"}, {"###", "#..", "###", "..#", "###"},
                                             {"###", "#..", "###", "#.#", "###"}, {"###", "..#", "..#", "..#", "..#"},
                                             {"###", "#.#", "###", "#.#", "###"}, {"###", "#.#", "###", "..#", "###"}};
  const std::string s = std::to_string(n);
  for (char ch : s) {
    const int d = ch - '0';
    for (int r = 0; r < 5; ++r)
      for (int c = 0; c < 3; ++c)
        if (kDigits[d][r][c] == '#') p.fillRect(x + c, y + r, 1, 1, color);
    x += 4;
  }
}

// Length in UTF-16 units of the first `bytes` bytes of `cp932` (what Qt counts positions in).
int Utf16Length(std::string_view cp932, int bytes) {
  return static_cast<int>(codec::Cp932ToUtf16(cp932.substr(0, static_cast<size_t>(std::max(bytes, 0)))).size());
}

// A composition in code page 932 ("?" for what it cannot hold) with the byte offset of every UTF-16
// position, so that the input method's positions and ranges become byte offsets.
struct PreeditBytes {
  std::string bytes;
  std::vector<int> at;  // at[i]: bytes before UTF-16 position i; at[size] is the length
  int Byte(int utf16) const { return at[static_cast<size_t>(std::clamp(utf16, 0, static_cast<int>(at.size()) - 1))]; }
};

PreeditBytes ToPreeditBytes(const QString& text) {
  PreeditBytes out;
  const auto* units = reinterpret_cast<const char16_t*>(text.utf16());
  const int n = static_cast<int>(text.size());
  out.at.assign(static_cast<size_t>(n) + 1, 0);
  for (int i = 0; i < n;) {
    const int len = QChar::isHighSurrogate(units[i]) && i + 1 < n && QChar::isLowSurrogate(units[i + 1]) ? 2 : 1;
    out.at[static_cast<size_t>(i)] = static_cast<int>(out.bytes.size());
    if (len == 2) out.at[static_cast<size_t>(i) + 1] = static_cast<int>(out.bytes.size());
    out.bytes += codec::Utf16ToCp932(std::u16string_view(units + i, static_cast<size_t>(len))).bytes;
    i += len;
  }
  out.at[static_cast<size_t>(n)] = static_cast<int>(out.bytes.size());
  return out;
}

// An input method's underline below [x, x + width) on pixel row y.
void DrawImeUnderline(QPainter& p, QTextCharFormat::UnderlineStyle style, int x, int y, int width,
                      const QColor& color) {
  if (width <= 0 || style == QTextCharFormat::NoUnderline) return;
  p.save();
  switch (style) {
    case QTextCharFormat::DashUnderline:
    case QTextCharFormat::DotLine:
    case QTextCharFormat::DashDotLine:
    case QTextCharFormat::DashDotDotLine: {
      static const std::map<QTextCharFormat::UnderlineStyle, Qt::PenStyle> kPens = {
          {QTextCharFormat::DashUnderline, Qt::DashLine},
          {QTextCharFormat::DotLine, Qt::DotLine},
          {QTextCharFormat::DashDotLine, Qt::DashDotLine},
          {QTextCharFormat::DashDotDotLine, Qt::DashDotDotLine}};
      QPen pen(color, 1, kPens.at(style));
      pen.setCapStyle(Qt::FlatCap);
      p.setPen(pen);
      p.drawLine(QPointF(x, y + 0.5), QPointF(x + width, y + 0.5));
      break;
    }
    case QTextCharFormat::WaveUnderline:
    case QTextCharFormat::SpellCheckUnderline:
      for (int i = 0; i < width; ++i) p.fillRect(x + i, y - ((i / 2) % 2), 1, 1, color);
      break;
    default: p.fillRect(x, y, width, 1, color); break;
  }
  p.restore();
}

}  // namespace

struct TEditor::PaintColors {
  QColor control;  // the control's Color
  QColor font;     // the font's colour
  uint8_t font_style = 0;
  QColor select_bk, select_fg;
  uint8_t select_style = 0;
  QColor hit_bk, hit_fg;
  uint8_t hit_style = 0;
  QColor edge;
};

TEditor::TEditor(QWidget* parent) : QAbstractScrollArea(parent), model_(std::make_unique<EditorModel>()) {
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_InputMethodEnabled);
  setAttribute(Qt::WA_KeyCompression, false);
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  viewport()->setAutoFillBackground(false);
  viewport()->setCursor(Qt::IBeamCursor);
  viewport()->setMouseTracking(true);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

  blink_.setInterval(std::max(100, QGuiApplication::styleHints()->cursorFlashTime() / 2));
  connect(&blink_, &QTimer::timeout, this, &TEditor::BlinkCaret);
  auto_scroll_.setInterval(50);
  connect(&auto_scroll_, &QTimer::timeout, this, [this] {
    if (!model_->MouseCaptured()) {
      auto_scroll_.stop();
      return;
    }
    model_->AutoScroll();
  });
  connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int v) {
    if (!updating_bars_) model_->VerticalScrolled(v);
  });
  connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, [this](int v) {
    if (!updating_bars_) model_->HorizontalScrolled(v);
  });

  SyncFont();
  SyncFrame();
  resize(185, 89);
  model_->Resize(viewport()->width(), viewport()->height());
  model_->SetScrollBarExtents(0, 0);  // the viewport already excludes the scroll bars
  model_->SetViewport(this);
}

TEditor::~TEditor() { model_->SetViewport(nullptr); }

// ---- font, frame, metrics

void TEditor::ApplyMainValues() {
  model_->ApplyMainValues();
  SyncFont();
  SyncFrame();
}

void TEditor::SetEditorFont(const store::TFont& font) {
  model_->SetFont(font);
  SyncFont();
}

void TEditor::SyncFont() {
  if (font_synced_ && model_->Font() == font_record_) return;
  font_synced_ = true;
  font_record_ = model_->Font();
  font_ = FontFromRecord(font_record_);
  metrics_ = MeasureCells(font_);
  dotted_.SetWidth(
      std::max(2048, QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->size().width() : 0));
  model_->SetMetrics(metrics_.cellWidth, metrics_.textHeight, QFontMetrics(font_).horizontalAdvance(QLatin1Char('0')));
  updateMicroFocus();
}

void TEditor::SyncFrame() {
  const TBorderStyle border = model_->BorderStyle();
  if (frame_synced_ && border == frame_synced_border_) return;
  frame_synced_ = true;
  frame_synced_border_ = border;
  setFrameStyle(border == bsSingle ? (QFrame::StyledPanel | QFrame::Sunken) : QFrame::NoFrame);
}

QPoint TEditor::ViewportOffset() const { return viewport()->geometry().topLeft(); }

// ---- Viewport

QRect TEditor::AreaRect(unsigned area, int top, int bottom) const {
  const EditorLayout& l = model_->Layout();
  const int w = viewport()->width();
  switch (area) {
    case kAreaText: {
      // The text area with the left margin before it, which holds nothing but background.
      int left = 0;
      if (l.imagebar_width > 0) left = std::max(left, l.imagebar_left + l.imagebar_width);
      if (l.leftbar_width > 0) left = std::max(left, l.leftbar_left + l.leftbar_width);
      return QRect(left, top, w - left, bottom - top);
    }
    case kAreaImagebar: return QRect(l.imagebar_left, top, l.imagebar_width, bottom - top);
    case kAreaLeftbar: return QRect(l.leftbar_left, top, l.leftbar_width, bottom - top);
    case kAreaRuler: return QRect(0, l.ruler_top, w, l.ruler_height);
    default: return {};
  }
}

void TEditor::InvalidateRows(int first, int last, unsigned areas) {
  const EditorLayout& l = model_->Layout();
  if (last < first) std::swap(first, last);
  const int top_row = model_->PaintTopRow();
  const int last_shown = top_row + l.visible_rows + 1;
  first = std::max(first, top_row);
  last = std::min(last, last_shown);
  QWidget* vp = viewport();
  if (areas & kAreaRuler) vp->update(AreaRect(kAreaRuler, 0, 0));
  if (first > last) return;
  const int y1 = std::max(l.text_top, model_->PaintRowY(first));
  const int y2 = std::min(vp->height(), model_->PaintRowY(last) + l.row_pitch);
  if (y2 <= y1) return;
  for (unsigned a : {kAreaText, kAreaImagebar, kAreaLeftbar}) {
    if (areas & a) {
      const QRect r = AreaRect(a, y1, y2);
      if (!r.isEmpty()) vp->update(r);
    }
  }
}

void TEditor::InvalidateAll() {
  SyncFont();
  SyncFrame();
  viewport()->update();
}

void TEditor::ScrollRows(int fromRow, int delta, unsigned areas) {
  const EditorLayout& l = model_->Layout();
  QWidget* vp = viewport();
  const int top = std::max(l.text_top, model_->PaintRowY(fromRow));
  const int bottom = vp->height();
  if (top >= bottom || delta == 0) return;
  const int dy = delta * l.row_pitch;
  const QRect caret = CaretPaintRect();
  for (unsigned a : {kAreaText, kAreaImagebar, kAreaLeftbar}) {
    if (!(areas & a)) continue;
    const QRect r = AreaRect(a, top, bottom);
    if (r.isEmpty()) continue;
    if (std::abs(dy) >= r.height()) {
      vp->update(r);
    } else {
      vp->scroll(0, dy, r);
    }
  }
  // The caret's pixels moved with the rows: have the moved copy repainted too.
  if (!caret.isEmpty()) {
    vp->update(caret);
    vp->update(caret.translated(0, dy));
  }
}

void TEditor::ScrollHorizontally(int dxPixels) {
  const EditorLayout& l = model_->Layout();
  QWidget* vp = viewport();
  const QRect text(l.text_left, l.text_top, vp->width() - l.text_left, vp->height() - l.text_top);
  const QRect ruler(l.text_left, l.ruler_top, vp->width() - l.text_left, l.ruler_height);
  for (const QRect& r : {text, ruler}) {
    if (r.isEmpty()) continue;
    if (std::abs(dxPixels) >= r.width()) {
      vp->update(r);
    } else {
      vp->scroll(-dxPixels, 0, r);
    }
  }
  const QRect caret = CaretPaintRect();
  if (!caret.isEmpty()) {
    vp->update(caret);
    vp->update(caret.translated(-dxPixels, 0));
  }
}

void TEditor::UpdateScrollBars(const ScrollBarState& v, const ScrollBarState& h) {
  updating_bars_ = true;
  QScrollBar* vb = verticalScrollBar();
  vb->setRange(v.min, std::max(v.min, v.max));
  vb->setPageStep(std::max(1, v.page));
  vb->setSingleStep(1);
  vb->setValue(v.pos);
  QScrollBar* hb = horizontalScrollBar();
  hb->setRange(h.min, std::max(h.min, h.max));
  hb->setPageStep(std::max(1, h.page));
  hb->setSingleStep(1);
  hb->setValue(h.pos);
  updating_bars_ = false;
  // Last: a change of visibility resizes the viewport, which lays the model out again and may
  // call back here with newer values.
  const Qt::ScrollBarPolicy vp = v.visible ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
  const Qt::ScrollBarPolicy hp = h.visible ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
  if (verticalScrollBarPolicy() != vp) setVerticalScrollBarPolicy(vp);
  if (horizontalScrollBarPolicy() != hp) setHorizontalScrollBarPolicy(hp);
}

QRect TEditor::CaretPaintRect() const {
  if (!caret_.visible) return {};
  return QRect(caret_.x, caret_.y, std::max(caret_.width, 2), caret_.height).adjusted(-1, 0, 1, 0);
}

void TEditor::UpdateCaret(const CaretInfo& caret) {
  const QRect old = CaretPaintRect();
  const bool moved = caret.x != caret_.x || caret.y != caret_.y;
  caret_ = caret;
  if (!old.isEmpty()) viewport()->update(old);
  const QRect now = CaretPaintRect();
  if (!now.isEmpty()) viewport()->update(now);
  RestartBlink();
  // Keeps a candidate window of fcitx5 or IBus beside the caret.
  if (moved) UpdateInputMethod();
}

void TEditor::UpdateInputMethod() {
  if (!hasFocus()) return;
  // Not the selected text itself: every query named here is answered at once, and a selection
  // may be the whole document; the input method reads it from the surrounding text and anchor.
  QGuiApplication::inputMethod()->update(Qt::ImCursorRectangle | Qt::ImAnchorRectangle | Qt::ImCursorPosition |
                                         Qt::ImAnchorPosition | Qt::ImSurroundingText);
}

void TEditor::OnSelectionChange(bool selected) {
  // Reconversion reads the selection: the input method must know it as it is now.
  UpdateInputMethod();
  emit selectionChanged(selected);
}

void TEditor::RestartBlink() {
  caret_on_ = true;
  if (caret_.visible && hasFocus()) {
    blink_.start();
  } else {
    blink_.stop();
  }
}

void TEditor::BlinkCaret() {
  caret_on_ = !caret_on_;
  const QRect r = CaretPaintRect();
  if (!r.isEmpty()) viewport()->update(r);
}

void TEditor::SetMouseCursor(TCursor cursor) { viewport()->setCursor(ToQCursor(cursor)); }

ClipboardContent TEditor::GetClipboard() {
  const MimeText t = ReadTextMime(QGuiApplication::clipboard()->mimeData());
  ClipboardContent c;
  c.has_text = t.hasText;
  c.text = t.bytes;
  c.box = t.box;
  c.replaced = t.replaced;
  if (t.replaced > 0) emit charactersReplaced(t.replaced);
  return c;
}

bool TEditor::ClipboardHasText() {
  const QMimeData* m = QGuiApplication::clipboard()->mimeData();
  return m && (m->hasText() || m->hasFormat(QString::fromLatin1(kCp932MimeType)));
}

void TEditor::SetClipboard(std::string_view cp932, bool box) {
  QGuiApplication::clipboard()->setMimeData(MakeTextMime(cp932, box).release());
}

DropEffect TEditor::StartDrag(std::string_view) { return DropEffect::None; }

// ---- host helpers

void TEditor::SetPopupMenu(QMenu* menu) {
  host_menu_ = menu;
  model_->SetMenuShortcuts(menu == nullptr);
}

QString TEditor::UnicodeText() const { return codec::qt::FromCp932(model_->Text()); }

void TEditor::SetUnicodeText(const QString& text) { model_->SetText(ToCp932(text)); }

std::string TEditor::ToCp932(const QString& text) {
  MimeText t = FromUnicode(text);
  if (t.replaced > 0) emit charactersReplaced(t.replaced);
  return std::move(t.bytes);
}

QRect TEditor::CaretRectangle() const {
  const CaretInfo c = model_->CaretRect();
  return QRect(c.x, c.y, std::max(1, c.width), c.height).translated(ViewportOffset());
}

QRect TEditor::AnchorRectangle() const {
  const CaretInfo c = model_->AnchorRect();
  return QRect(c.x, c.y, std::max(1, c.width), c.height).translated(ViewportOffset());
}

QVariant TEditor::inputMethodQuery(Qt::InputMethodQuery query) const {
  switch (query) {
    case Qt::ImEnabled: return !model_->ReadOnly();
    case Qt::ImCursorRectangle: return CaretRectangle();
    case Qt::ImAnchorRectangle: return AnchorRectangle();
    case Qt::ImFont: return font_;
    case Qt::ImHints: return int(inputMethodHints() | Qt::ImhMultiLine);
    case Qt::ImSurroundingText: return codec::qt::FromCp932(model_->Surrounding().text);
    case Qt::ImCursorPosition: {
      const SurroundingText s = model_->Surrounding();
      return Utf16Length(s.text, s.cursor);
    }
    case Qt::ImAnchorPosition: {
      const SurroundingText s = model_->Surrounding();
      return Utf16Length(s.text, s.anchor);
    }
    case Qt::ImMaximumTextLength: return QVariant();
    case Qt::ImCurrentSelection:
      return model_->Selected() && !model_->Composing() ? codec::qt::FromCp932(model_->SelText()) : QString();
    case Qt::ImReadOnly: return model_->ReadOnly();
    default: return QAbstractScrollArea::inputMethodQuery(query);
  }
}

void TEditor::OnReadOnlyChange() {
  if (hasFocus()) QGuiApplication::inputMethod()->update(Qt::ImEnabled | Qt::ImReadOnly | Qt::ImHints);
}

// ---- events

bool TEditor::event(QEvent* e) {
  if (e->type() == QEvent::ShortcutOverride) {
    auto* k = static_cast<QKeyEvent*>(e);
    if (HandlesShortcut(k)) {
      e->accept();
      return true;
    }
  }
  return QAbstractScrollArea::event(e);
}

bool TEditor::HandlesShortcut(const QKeyEvent* e) const {
  const Qt::KeyboardModifiers mods = e->modifiers() & ~Qt::KeypadModifier;
  // Typing and moving the caret win over a window's shortcuts while the editor has the focus.
  if (!(mods & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
    if (!e->text().isEmpty() && e->text().at(0).isPrint()) return true;
    switch (e->key()) {
      case Qt::Key_Home:
      case Qt::Key_End:
      case Qt::Key_Left:
      case Qt::Key_Right:
      case Qt::Key_Up:
      case Qt::Key_Down:
      case Qt::Key_PageUp:
      case Qt::Key_PageDown:
      case Qt::Key_Delete:
      case Qt::Key_Backspace:
      case Qt::Key_Return:
      case Qt::Key_Enter: return true;
      default: return false;
    }
  }
  if (mods == Qt::ControlModifier || mods == (Qt::ControlModifier | Qt::ShiftModifier)) {
    switch (e->key()) {
      case Qt::Key_Home:
      case Qt::Key_End:
      case Qt::Key_Left:
      case Qt::Key_Right:
      case Qt::Key_Up:
      case Qt::Key_Down: return true;
      default: break;
    }
    // The built-in menu's shortcuts, unless a host menu took over.
    return model_->MenuShortcuts() && host_menu_.isNull() && ToKeyCode(e->key()) != keys::kNone &&
           e->key() != Qt::Key_Tab && e->key() != Qt::Key_Backtab;
  }
  return false;
}

bool TEditor::focusNextPrevChild(bool next) {
  if (model_->WantTabs()) return false;  // Tab is typed, not a focus move
  return QAbstractScrollArea::focusNextPrevChild(next);
}

void TEditor::keyPressEvent(QKeyEvent* e) {
  const Modifiers mods = ToModifiers(e->modifiers());
  const KeyCode key = ToKeyCode(e->key());
  bool used = false;
  if (key != keys::kNone) used = model_->KeyDown(key, mods, e->isAutoRepeat());
  if (!used) {
    // The character that follows the key, as on every desktop: BackSpace, Tab, Enter and text.
    QString text;
    if (key == keys::kBackspace) {
      text = QStringLiteral("\b");
    } else if (key == keys::kTab) {
      text = QStringLiteral("\t");
    } else if (key == keys::kReturn) {
      text = QStringLiteral("\r");
    } else if (!(mods & (kModCtrl | kModAlt))) {
      for (QChar ch : e->text())
        if (ch.unicode() >= 0x20 && ch.unicode() != 0x7F) text += ch;
    }
    if (!text.isEmpty()) {
      // Ctrl+Tab and Alt+Tab belong to the window (page switching, focus).
      if (key == keys::kTab && (!model_->WantTabs() || (mods & (kModCtrl | kModAlt)))) {
        e->ignore();
        return;
      }
      if (key == keys::kReturn && !model_->WantReturns()) {
        e->ignore();
        return;
      }
      // Read-only text goes nowhere, so nothing is reported as replaced either.
      if (!model_->ReadOnly()) model_->CharInput(ToCp932(text), mods);
      used = true;
    }
  }
  if (used) {
    e->accept();
  } else {
    e->ignore();
  }
}

void TEditor::inputMethodEvent(QInputMethodEvent* e) {
  if (model_->ReadOnly()) {
    // Read-only text takes nothing and shows nothing being composed.
    model_->CancelComposition();
    e->ignore();
    return;
  }
  if (!e->commitString().isEmpty() || e->replacementLength() > 0) {
    // One edit, one undo entry, in place of the composition (and of a selection it stood for);
    // Qt does not repeat the text as key events.
    model_->CommitComposition(ToCp932(e->commitString()), e->replacementStart(), e->replacementLength());
  }
  const QString preedit = e->preeditString();
  if (preedit.isEmpty()) {
    model_->CancelComposition();
  } else {
    const PreeditBytes pre = ToPreeditBytes(preedit);
    int cursor = pre.Byte(static_cast<int>(preedit.size()));
    bool cursor_visible = true;
    preedit_formats_.clear();
    preedit_formatted_ = false;
    for (const QInputMethodEvent::Attribute& a : e->attributes()) {
      if (a.type == QInputMethodEvent::Cursor) {
        cursor = pre.Byte(a.start);
        cursor_visible = a.length != 0;
      } else if (a.type == QInputMethodEvent::TextFormat) {
        const QTextCharFormat f = qvariant_cast<QTextFormat>(a.value).toCharFormat();
        preedit_formatted_ = true;
        if (f.isValid() && a.length > 0)
          preedit_formats_.push_back({pre.Byte(a.start), pre.Byte(a.start + a.length), f});
      }
    }
    model_->SetComposition(pre.bytes, cursor, cursor_visible);
  }
  e->accept();
}

void TEditor::FinishComposition() {
  if (!model_->Composing()) return;
  QGuiApplication::inputMethod()->reset();
  if (model_->Composing()) model_->CancelComposition();
}

void TEditor::mousePressEvent(QMouseEvent* e) {
  FinishComposition();
  const QPoint p = e->position().toPoint();
  model_->MouseDown(ToButton(e->button()), ToModifiers(e->modifiers()), p.x(), p.y());
  e->accept();
}

void TEditor::mouseMoveEvent(QMouseEvent* e) {
  const QPoint p = e->position().toPoint();
  model_->MouseMove(ToModifiers(e->modifiers()), p.x(), p.y());
  if (model_->MouseCaptured()) {
    const EditorLayout& l = model_->Layout();
    const bool outside = p.y() < l.text_top || p.y() >= l.text_top + l.visible_rows * l.row_pitch ||
                         p.x() < l.text_left || p.x() >= viewport()->width();
    if (outside && !auto_scroll_.isActive()) auto_scroll_.start();
    if (!outside) auto_scroll_.stop();
  } else {
    SetMouseCursor(model_->CursorAt(p.x(), p.y()));
  }
  e->accept();
}

void TEditor::mouseReleaseEvent(QMouseEvent* e) {
  auto_scroll_.stop();
  const QPoint p = e->position().toPoint();
  model_->MouseUp(ToButton(e->button()), ToModifiers(e->modifiers()), p.x(), p.y());
  SetMouseCursor(model_->CursorAt(p.x(), p.y()));
  e->accept();
}

void TEditor::mouseDoubleClickEvent(QMouseEvent* e) {
  FinishComposition();
  const QPoint p = e->position().toPoint();
  model_->DoubleClick(ToButton(e->button()), ToModifiers(e->modifiers()), p.x(), p.y());
  e->accept();
}

void TEditor::wheelEvent(QWheelEvent* e) {
  wheel_remainder_ += e->angleDelta().y();
  const int notches = wheel_remainder_ / 120;
  wheel_remainder_ -= notches * 120;
  if (notches != 0) model_->Wheel(notches, ToModifiers(e->modifiers()));
  e->accept();
}

void TEditor::focusInEvent(QFocusEvent* e) {
  model_->FocusIn();
  QAbstractScrollArea::focusInEvent(e);
  RestartBlink();
}

void TEditor::focusOutEvent(QFocusEvent* e) {
  model_->FocusOut();
  QAbstractScrollArea::focusOutEvent(e);
  blink_.stop();
}

void TEditor::resizeEvent(QResizeEvent* e) {
  QAbstractScrollArea::resizeEvent(e);
  model_->Resize(viewport()->width(), viewport()->height());
}

void TEditor::changeEvent(QEvent* e) {
  if (e->type() == QEvent::PaletteChange || e->type() == QEvent::StyleChange) viewport()->update();
  QAbstractScrollArea::changeEvent(e);
}

// ---- pop-up menu

QMenu* TEditor::CreateBuiltinMenu(QWidget* parent) {
  auto* menu = new QMenu(parent);
  std::function<void(QMenu*, const std::vector<MenuItem>&)> fill = [&](QMenu* m, const std::vector<MenuItem>& items) {
    for (const MenuItem& item : items) {
      if (item.IsSeparator()) {
        m->addSeparator();
        continue;
      }
      const QString caption = QString::fromStdString(item.caption);
      if (!item.items.empty()) {
        QMenu* sub = m->addMenu(caption);
        sub->setEnabled(item.enabled);
        fill(sub, item.items);
        continue;
      }
      QAction* a = m->addAction(caption);
      if (!item.shortcut.empty()) {
        a->setShortcut(QKeySequence(QString::fromStdString(item.shortcut)));
        a->setShortcutVisibleInContextMenu(true);
        a->setShortcutContext(Qt::WidgetShortcut);  // the editor's keys handle them
      }
      a->setEnabled(item.enabled);
      a->setCheckable(item.checked);
      a->setChecked(item.checked);
      const MenuAction action = item.action;
      const int argument = item.argument;
      connect(a, &QAction::triggered, this, [this, action, argument] { model_->ExecuteMenu(action, argument); });
    }
  };
  fill(menu, model_->PopupMenu());
  return menu;
}

void TEditor::ShowBuiltinMenu(const QPoint& globalPos) {
  QMenu* menu = CreateBuiltinMenu(this);
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->popup(globalPos);
}

void TEditor::contextMenuEvent(QContextMenuEvent* e) {
  if (host_menu_) {
    host_menu_->popup(e->globalPos());
  } else {
    ShowBuiltinMenu(e->globalPos());
  }
  e->accept();
}

// ---- painting

void TEditor::paintEvent(QPaintEvent* e) {
  SyncFont();
  const EditorLayout& l = model_->Layout();
  text_painter_.SetFont(font_, l.char_width, metrics_.ascent);

  PaintColors c;
  const QPalette& pal = palette();
  c.control = ToQColor(model_->Color(), pal, pal.color(QPalette::Base));
  c.font = ToQColor(font_record_.Color, pal, pal.color(QPalette::Text));
  c.font_style = font_record_.Style;
  const TEditorColors& colors = model_->Colors();
  c.select_bk = ToQColor(colors.Select.BkColor(), pal, c.control);
  c.select_fg = ToQColor(colors.Select.Color(), pal, c.font);
  c.select_style = colors.Select.Style();
  c.hit_bk = ToQColor(colors.Hit.BkColor(), pal, c.control);
  c.hit_fg = ToQColor(colors.Hit.Color(), pal, c.font);
  c.hit_style = colors.Hit.Style();
  c.edge = pal.color(QPalette::Dark);

  QPainter p(viewport());
  const QRect clip = e->rect();
  p.fillRect(clip, c.control);
  if (l.ruler_height > 0 && clip.intersects(AreaRect(kAreaRuler, 0, 0))) PaintRuler(p, clip, c);

  // Rows as painted: while composing, the composed rows stand in for their wrap unit.
  const int pitch = std::max(1, l.row_pitch);
  const int top_row = model_->PaintTopRow();
  const int first = top_row + std::max(0, (clip.top() - l.text_top) / pitch);
  const int last = std::min(model_->PaintRowCount(), top_row + std::max(0, (clip.bottom() - l.text_top) / pitch));
  const QRect rows_area(0, l.text_top, viewport()->width(), viewport()->height() - l.text_top);
  if (clip.intersects(rows_area)) {
    p.save();
    p.setClipRect(clip.intersected(rows_area));
    const QRect text_clip(l.text_left, l.text_top, viewport()->width() - l.text_left,
                          viewport()->height() - l.text_top);
    for (int row = first; row <= last; ++row) {
      const int y = model_->PaintRowY(row);
      if (y >= clip.bottom() + 1) break;
      const RowPaintInfo info = model_->PaintInfo(row);
      if (l.imagebar_width > 0) PaintImagebar(p, info.marks, y);
      if (l.leftbar_width > 0) PaintLeftbar(p, row, y, c);
      p.save();
      p.setClipRect(clip.intersected(text_clip));
      PaintRow(p, info, c);
      p.restore();
    }
    // Bars continue below the last row.
    const int below = model_->PaintRowY(last + 1);
    if (below < viewport()->height()) {
      if (l.leftbar_width > 0)
        p.fillRect(QRect(l.leftbar_left, below, l.leftbar_width, viewport()->height() - below),
                   ToQColor(model_->Leftbar().BkColor(), pal, c.control));
      if (l.leftbar_width > 0 && model_->Leftbar().Edge())
        p.fillRect(QRect(l.leftbar_left + l.leftbar_width - 1, below, 1, viewport()->height() - below), c.edge);
    }
    p.restore();
  }
  PaintCaret(p);
}

void TEditor::PaintRuler(QPainter& p, const QRect& clip, const PaintColors& c) {
  const EditorLayout& l = model_->Layout();
  const TEditorRuler& ruler = model_->Ruler();
  const QPalette& pal = palette();
  const QRect r = AreaRect(kAreaRuler, 0, 0);
  const QColor bk = ToQColor(ruler.BkColor(), pal, c.control);
  const QColor ink = ToQColor(ruler.Color(), pal, c.font);
  RulerKey key;
  key.width = r.width();
  key.height = r.height();
  key.text_left = l.text_left;
  key.x0 = model_->ColX(0);
  key.char_width = l.char_width;
  key.gauge = std::max(2, ruler.GaugeRange());
  key.first_col = model_->TopCol();
  key.bk = bk.rgb();
  key.ink = ink.rgb();
  key.edge = c.edge.rgb();
  key.has_edge = ruler.Edge();
  key.dpr = viewport()->devicePixelRatioF();
  if (!(key == ruler_key_) || ruler_pixmap_.isNull()) {
    ruler_key_ = key;
    ruler_pixmap_ = QPixmap(r.size() * key.dpr);
    ruler_pixmap_.setDevicePixelRatio(key.dpr);
    ruler_pixmap_.fill(bk);
    QPainter rp(&ruler_pixmap_);
    const int bottom = 9;  // last pixel row of the scale
    rp.setClipRect(QRect(l.text_left, 0, r.width() - l.text_left, r.height()));
    const int last_col = key.first_col + l.visible_cols + 2;
    for (int col = key.first_col; col <= last_col; ++col) {
      const int x = model_->ColX(col);
      int h = 2;
      if (col % key.gauge == 0) {
        h = 9;
        if (col > 0) DrawTinyNumber(rp, x + 2, 1, col, ink);
      } else if (col % (key.gauge / 2) == 0) {
        h = 4;
      }
      rp.fillRect(QRect(x, bottom - h + 1, 1, h), ink);
    }
    rp.setClipping(false);
    if (key.has_edge) rp.fillRect(QRect(0, r.height() - 1, r.width(), 1), c.edge);
  }
  p.drawPixmap(r.topLeft(), ruler_pixmap_);
  // The caret column, at the foot of the scale.
  const QRect marker(model_->ColX(model_->Col()), r.top() + 5, l.char_width, 5);
  p.save();
  p.setClipRect(QRect(l.text_left, r.top(), r.width() - l.text_left, r.height()).intersected(clip));
  p.fillRect(marker, ToQColor(ruler.MarkColor(), pal, c.font));
  p.restore();
}

void TEditor::PaintImagebar(QPainter& p, uint16_t marks, int y) {
  const EditorLayout& l = model_->Layout();
  if (marks == 0) return;
  const TEditorImagebar& bar = model_->Imagebar();
  for (int n = 0; n < 10; ++n) {
    if (!(marks & (1u << n))) continue;
    const QImage& img = DigitImages::Digit(n);
    const int x = l.imagebar_left + bar.LeftMargin();
    const int iy = y + std::max(0, (l.row_pitch - img.height()) / 2);
    p.drawImage(x, iy, img);
    break;  // one digit fits the bar
  }
}

void TEditor::PaintLeftbar(QPainter& p, int row, int y, const PaintColors& c) {
  const EditorLayout& l = model_->Layout();
  const TEditorLeftbar& bar = model_->Leftbar();
  const QPalette& pal = palette();
  const QRect r(l.leftbar_left, y, l.leftbar_width, l.row_pitch);
  p.fillRect(r, ToQColor(bar.BkColor(), pal, c.control));
  const std::string number = model_->LineNumberText(row);
  if (!number.empty()) {
    p.setFont(font_);
    p.setPen(ToQColor(bar.Color(), pal, c.font));
    const int digit = std::max(1, l.digit_width);
    const int right = l.leftbar_left + l.leftbar_width - bar.RightMargin() - (bar.Edge() ? 1 : 0);
    const int n = static_cast<int>(number.size());
    for (int i = 0; i < n; ++i) {
      if (number[i] == ' ') continue;
      p.drawText(QPointF(right - (n - i) * digit, y + metrics_.ascent), QString(QChar(number[i])));
    }
  }
  if (bar.Edge()) p.fillRect(QRect(r.right(), y, 1, l.row_pitch), c.edge);
}

void TEditor::PaintRow(QPainter& p, const RowPaintInfo& info, const PaintColors& c) {
  const EditorLayout& l = model_->Layout();
  const int row = info.row;
  const int y = info.y;
  const int w = viewport()->width();
  const int x0 = model_->ColX(0);
  const int cw = l.char_width;
  const int text_h = l.text_height;
  const int wrap = model_->WordWrap() ? model_->WrapOption().WrapByte() : 0;
  cells_.Layout(info.text, model_->TabSpaceCount(), wrap);
  const int n = cells_.DrawnBytes();
  const bool italic = model_->ItalicMode();
  const int first_visible_col = model_->TopCol();
  const int last_visible_col = first_visible_col + l.visible_cols + 1;
  auto x_of = [&](int col) { return x0 + col * cw; };
  auto underline = [&](int from_col, int to_col, const QColor& fg, const QColor& bk) {
    dotted_.Draw(p, x_of(from_col), y + text_h - 1, (to_col - from_col) * cw, x0, fg, bk);
  };
  auto strike = [&](int from_col, int to_col, const QColor& fg) {
    p.fillRect(QRect(x_of(from_col), y + metrics_.ascent * 2 / 3, (to_col - from_col) * cw, 1), fg);
  };

  // Defaults first: the whole row at once.
  p.fillRect(QRect(l.text_left, y, w - l.text_left, l.row_pitch), c.control);
  if (!italic && n > 0) {
    text_painter_.Draw(p, cells_, x0, y, 0, n, c.font, c.font_style);
    if (c.font_style & store::fsUnderline) underline(0, cells_.Width(), c.font, c.control);
    if (c.font_style & store::fsStrikeOut) strike(0, cells_.Width(), c.font);
  }

  // Coloured tokens over it; every token in italic mode.
  if (n > 0) {
    TRowTokenIterator& it = model_->PaintTokens(row);
    TPaintToken tok;
    const QPalette& pal = palette();
    while (it.Next(tok)) {
      if (tok.start >= n) break;
      const int end = std::min(n, tok.start + tok.length);
      if (end <= tok.start) continue;
      const int from_col = cells_.ColumnOfByte(tok.start);
      const int to_col = cells_.ColumnOfByte(end);
      if (to_col < first_visible_col || from_col > last_visible_col) continue;
      QColor bk = c.control, fg = c.font;
      uint8_t style = c.font_style;
      if (tok.color) {
        bk = ToQColor(tok.color->BkColor(), pal, c.control);
        fg = ToQColor(tok.color->Color(), pal, c.font);
        style = tok.color->Style() | c.font_style;
      }
      if (!italic && bk == c.control && fg == c.font && style == c.font_style) continue;
      // Opaque outside italic mode: the default glyphs under it must not fringe the new ones.
      if (!italic || bk != c.control) p.fillRect(QRect(x_of(from_col), y, (to_col - from_col) * cw, text_h), bk);
      text_painter_.Draw(p, cells_, x0, y, tok.start, end, fg, style);
      if (style & store::fsUnderline) underline(from_col, to_col, fg, bk);
      if (style & store::fsStrikeOut) strike(from_col, to_col, fg);
    }
  }

  // Selection or search hit.
  const RowSelection& sel = info.selection;
  const QColor& sel_bk = info.hit ? c.hit_bk : c.select_bk;
  const QColor& sel_fg = info.hit ? c.hit_fg : c.select_fg;
  const uint8_t sel_style = (info.hit ? c.hit_style : c.select_style) | c.font_style;
  if (sel.any && sel.end_col > sel.start_col) {
    p.fillRect(QRect(x_of(sel.start_col), y, (sel.end_col - sel.start_col) * cw, text_h), sel_bk);
    if (sel.end_byte > sel.start_byte)
      text_painter_.Draw(p, cells_, x0, y, sel.start_byte, std::min(sel.end_byte, n), sel_fg, sel_style);
    if (sel_style & store::fsUnderline) underline(sel.start_col, sel.end_col, sel_fg, sel_bk);
  }

  if (info.composition_end > info.composition_start) PaintComposition(p, info, c);

  // What follows the text.
  const TEditorMarks& marks = model_->Marks();
  const QPalette& pal = palette();
  const int mark_x = x_of(info.end_col);
  auto mark_color = [&](const TEditorMark& m) {
    if (sel.any && sel.includes_end)
      return ToQColor(info.hit ? model_->Colors().Hit.Color() : model_->Colors().Select.Color(), pal, c.control);
    return ToQColor(m.Color(), pal, c.font);
  };
  auto mark_cell = [&] {
    if (sel.any && sel.includes_end) p.fillRect(QRect(mark_x, y, cw, text_h), sel_bk);
  };
  switch (info.end_mark) {
    case RowEndMark::Hide:
      DrawHideMark(p, mark_x, y, text_h, cw, ToQColor(marks.HideMark().Color(), pal, c.font));
      break;
    case RowEndMark::Eof: {
      RowCells eof;
      eof.Layout("[EOF]", 8, 0);
      text_painter_.Draw(p, eof, mark_x, y, 0, 5, ToQColor(marks.EofMark().Color(), pal, c.font));
      break;
    }
    case RowEndMark::Return:
      mark_cell();
      DrawReturnMark(p, mark_x, y, text_h, cw, mark_color(marks.RetMark()));
      break;
    case RowEndMark::Wrap:
      mark_cell();
      DrawWrapMark(p, mark_x, y, text_h, cw, mark_color(marks.WrapMark()));
      break;
    case RowEndMark::None: break;
  }

  if (info.caret_row && marks.Underline().Visible()) {
    p.fillRect(QRect(l.text_left, y + l.row_pitch - 1, w - l.text_left, 1),
               ToQColor(marks.Underline().Color(), pal, c.font));
  }

  static const QMetaMethod kDrawLine = QMetaMethod::fromSignal(&TEditor::drawLine);
  if (isSignalConnected(kDrawLine)) {
    emit drawLine(codec::qt::FromCp932(info.text), x0, y, row, QRect(l.text_left, y, w - l.text_left, l.row_pitch),
                  sel.any);
  }
}

void TEditor::PaintComposition(QPainter& p, const RowPaintInfo& info, const PaintColors& c) {
  // cells_ holds the row's layout from PaintRow.
  const EditorLayout& l = model_->Layout();
  const int x0 = model_->ColX(0);
  const int y = info.y;
  const int line_y = y + l.text_height - 1;
  const int offset = info.composition_offset;
  const int from = info.composition_start, to = info.composition_end;
  auto x_of = [&](int byte) { return x0 + cells_.ColumnOfByte(byte) * l.char_width; };
  if (!preedit_formatted_) {
    // No look asked for: underline it so that it shows as being composed.
    DrawImeUnderline(p, QTextCharFormat::SingleUnderline, x_of(from), line_y, x_of(to) - x_of(from), c.font);
    return;
  }
  for (const PreeditFormat& f : preedit_formats_) {
    // The format's bytes of the composition, as bytes of this row.
    const int a = std::max(from, from + f.start - offset);
    const int b = std::min(to, from + f.end - offset);
    if (b <= a) continue;
    const QTextCharFormat& format = f.format;
    const bool has_bk = format.hasProperty(QTextFormat::BackgroundBrush);
    const bool has_fg = format.hasProperty(QTextFormat::ForegroundBrush);
    const QColor fg = has_fg ? format.foreground().color() : c.font;
    if (has_bk || has_fg) {
      p.fillRect(QRect(x_of(a), y, x_of(b) - x_of(a), l.text_height), has_bk ? format.background().color() : c.control);
      text_painter_.Draw(p, cells_, x0, y, a, b, fg, c.font_style);
    }
    const QColor line = format.underlineColor().isValid() ? format.underlineColor() : fg;
    DrawImeUnderline(p, format.underlineStyle(), x_of(a), line_y, x_of(b) - x_of(a), line);
  }
}

void TEditor::PaintCaret(QPainter& p) {
  if (!caret_.visible || !caret_on_ || !hasFocus()) return;
  QRect r(caret_.x, caret_.y, caret_.width, caret_.height);
  switch (caret_.shape) {
    case CaretShape::Bar: r.setWidth(std::max(2, caret_.width)); break;
    case CaretShape::Underline: {
      const int h = std::max(2, caret_.height / 8);
      r = QRect(caret_.x, caret_.y + caret_.height - h, std::max(2, caret_.width), h);
      break;
    }
    case CaretShape::Block:
    case CaretShape::Hit: r.setWidth(std::max(2, caret_.width)); break;
  }
  // Inverting keeps the caret visible on every background, the selection included.
  p.save();
  p.setClipping(false);
  p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  p.fillRect(r, Qt::white);
  p.restore();
}

}  // namespace editor::qt
