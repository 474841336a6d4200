#include "editorsettings/qt/samplelist.h"

#include <QPainter>
#include <QStyledItemDelegate>

#include "codec/qt/qtcp932.h"
#include "editor/qt/editorcolor.h"
#include "editor/qt/editorfont.h"

namespace editorsettings::qt {

namespace {
const char* const kLines[] = {"リストボックスの設定", "気に入るまでガシガシと",    "いじくりましょう", "赤", "青", "黄",
                              "半角 1234567890",      "全角　１２３４５６７８９０"};
}

ListLook LookOf(const ListBoxRecord& r) {
  ListLook look;
  look.backColor = r.backColor;
  look.selColor = r.selColor;
  look.unfilledColor = r.unfilledColor;
  look.fontName = r.fontName;
  look.fontSize = r.fontSize;
  look.fontColor = r.fontColor;
  look.selFontColorType = r.selFontColorType;
  look.lineMargin = r.lineMargin;
  look.leftMargin = r.leftMargin;
  return look;
}

class SampleList::Delegate final : public QStyledItemDelegate {
 public:
  explicit Delegate(SampleList& list) : QStyledItemDelegate(&list), list_(list) {}

  void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    const bool selected = option.state & QStyle::State_Selected;
    const RowStyle style = ListRowStyle(list_.look_, list_.LineColour(index.row()), 0, selected);
    const QPalette& pal = list_.palette();
    QRect r = option.rect;
    r.setRight(std::max(r.right(), list_.viewport()->width() - 1));
    p->save();
    p->fillRect(r, editor::qt::ToQColor(style.background, pal, pal.color(QPalette::Base)));
    p->setFont(list_.font_);
    p->setPen(editor::qt::ToQColor(style.text, pal, pal.color(QPalette::Text)));
    p->setClipRect(r);
    p->drawText(r.adjusted(style.textLeft, 0, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                index.data(Qt::DisplayRole).toString());
    p->restore();
  }

  QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex& index) const override {
    const int width = QFontMetrics(list_.font_).horizontalAdvance(index.data(Qt::DisplayRole).toString());
    return {width + list_.look_.leftMargin + 4, std::max(1, ListRowHeight(list_.look_))};
  }

 private:
  SampleList& list_;
};

SampleList::SampleList(QWidget* parent) : QListWidget(parent) {
  editor::qt::InstallFontSubstitutions();
  setItemDelegate(new Delegate(*this));
  setSelectionMode(QAbstractItemView::SingleSelection);
  setUniformItemSizes(false);
  for (const char* line : kLines) addItem(QString::fromUtf8(line));
  setCurrentRow(0);
}

store::TColor SampleList::LineColour(int row) const {
  switch (row) {
    case 3: return store::clRed;
    case 4: return store::clBlue;
    case 5: return store::clYellow;
    default: return look_.fontColor;
  }
}

void SampleList::SetRecord(const ListBoxRecord& record) {
  look_ = LookOf(record);
  font_ = QFont(codec::qt::FromCp932(record.fontName));
  if (record.fontSize > 0) font_.setPointSize(record.fontSize);
  look_.lineSpacing = QFontMetrics(font_).height();
  QPalette pal = palette();
  pal.setColor(QPalette::Base, editor::qt::ToQColor(record.unfilledColor, pal, pal.color(QPalette::Base)));
  setPalette(pal);
  // Row heights follow the record: let the view ask the delegate again.
  scheduleDelayedItemsLayout();
  doItemsLayout();
  viewport()->update();
}

}  // namespace editorsettings::qt
