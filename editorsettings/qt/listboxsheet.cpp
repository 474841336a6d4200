#include "editorsettings/qt/listboxsheet.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include "editorsettings/fontchoice.h"
#include "editorsettings/qt/colorwidgets.h"
#include "editorsettings/qt/fontlists.h"
#include "editorsettings/qt/pageutil.h"
#include "editorsettings/qt/samplelist.h"
#include "editorsettings/qt/settingsboxes.h"

namespace editorsettings::qt {

namespace {

QIcon Swatch(const QColor& c) {
  QPixmap pm(14, 14);
  pm.fill(c);
  QPainter p(&pm);
  p.setPen(Qt::black);
  p.drawRect(0, 0, 13, 13);
  return QIcon(pm);
}

}  // namespace

ListBoxSheet::ListBoxSheet(ListBoxPage& lists, SettingsBoxes& boxes, QWidget* parent)
    : QWidget(parent), lists_(lists), boxes_(boxes) {
  auto* h = new QHBoxLayout(this);
  auto* left = new QVBoxLayout;

  auto* which = new QGroupBox(QStringLiteral("設定項目"), this);
  auto* wl = new QHBoxLayout(which);
  RadioButton_Group = new QRadioButton(QStringLiteral("グループ"), which);
  RadioButton_Item = new QRadioButton(QStringLiteral("アイテム"), which);
  RadioButton_Group->setChecked(true);
  wl->addWidget(RadioButton_Group);
  wl->addWidget(RadioButton_Item);
  left->addWidget(which);
  auto* kinds = new QButtonGroup(this);
  kinds->addButton(RadioButton_Group, 0);
  kinds->addButton(RadioButton_Item, 1);
  connect(kinds, &QButtonGroup::idClicked, this, [this](int id) {
    lists_.SetEditing(id == 0 ? ListKind::Group : ListKind::Item);
    ShowListRecord();
  });

  auto* colours = new QGridLayout;
  Button_SelColor = new QPushButton(QStringLiteral("選択背景色"), this);
  Button_BackColor = new QPushButton(QStringLiteral("背景色"), this);
  Button_UnfilledColor = new QPushButton(QStringLiteral("領域外の色"), this);
  Button_FontColor = new QPushButton(QStringLiteral("フォント色"), this);
  const std::pair<QPushButton*, store::TColor ListBoxRecord::*> colourButtons[] = {
      {Button_SelColor, &ListBoxRecord::selColor},
      {Button_BackColor, &ListBoxRecord::backColor},
      {Button_UnfilledColor, &ListBoxRecord::unfilledColor},
      {Button_FontColor, &ListBoxRecord::fontColor}};
  int k = 0;
  for (const auto& [button, field] : colourButtons) {
    button->setAutoDefault(false);
    colours->addWidget(button, k / 2, k % 2);
    const auto f = field;
    connect(button, &QPushButton::clicked, this, [this, f] { ListColorClicked(f); });
    ++k;
  }
  left->addLayout(colours);

  auto* fields = new QGridLayout;
  ComboBox_ListFont = new QComboBox(this);
  ComboBox_ListFont->setMinimumWidth(150);
  SpinEdit_ListFontSize = Spin(kMinListFontSize, kMaxListFontSize, this);
  SpinEdit_LineMargin = Spin(0, kMaxListLineMargin, this);
  SpinEdit_LeftMargin = Spin(0, kMaxListLeftMargin, this);
  fields->addWidget(new QLabel(QStringLiteral("フォント"), this), 0, 0);
  fields->addWidget(ComboBox_ListFont, 0, 1, 1, 3);
  fields->addWidget(new QLabel(QStringLiteral("サイズ"), this), 1, 0);
  fields->addWidget(SpinEdit_ListFontSize, 1, 1);
  fields->addWidget(new QLabel(QStringLiteral("行間マージン"), this), 2, 0);
  fields->addWidget(SpinEdit_LineMargin, 2, 1);
  fields->addWidget(new QLabel(QStringLiteral("左マージン"), this), 2, 2);
  fields->addWidget(SpinEdit_LeftMargin, 2, 3);
  left->addLayout(fields);
  connect(ComboBox_ListFont, &QComboBox::currentIndexChanged, this, [this](int i) {
    if (showing_record_ || i < 0) return;
    lists_.Current().fontName = ToCp932(ComboBox_ListFont->itemText(i));
    UpdateListSample();
  });
  ConnectListField(SpinEdit_ListFontSize, &ListBoxRecord::fontSize, kMinListFontSize);
  ConnectListField(SpinEdit_LineMargin, &ListBoxRecord::lineMargin, 0);
  ConnectListField(SpinEdit_LeftMargin, &ListBoxRecord::leftMargin, 0);

  auto* lb = new QHBoxLayout;
  Button_ListCopy = new QPushButton(this);
  Button_ListDefault = new QPushButton(QStringLiteral("デフォルトに戻す"), this);
  for (QPushButton* p : {Button_ListCopy, Button_ListDefault}) {
    p->setAutoDefault(false);
    lb->addWidget(p);
  }
  left->addLayout(lb);
  connect(Button_ListCopy, &QPushButton::clicked, this, [this] {
    lists_.CopyFromOther();
    ShowListRecord();
  });
  connect(Button_ListDefault, &QPushButton::clicked, this, [this] {
    lists_.Defaults();
    ShowListRecord();
  });

  auto* sel = new QGroupBox(QStringLiteral("選択フォント色"), this);
  auto* sl = new QVBoxLayout(sel);
  RadioGroup_SelFontColor = new QButtonGroup(this);
  const char* const selNames[] = {"デフォルトフォント色",
                                  "デフォルトフォント色の反転色",
                                  "選択フォント色",
                                  "選択フォント色の反転色",
                                  "背景色",
                                  "背景色の反転色",
                                  "選択背景色の反転色"};
  int id = 0;
  for (const char* n : selNames) {
    auto* rb = new QRadioButton(U8(n), sel);
    RadioGroup_SelFontColor->addButton(rb, id++);
    sl->addWidget(rb);
  }
  connect(RadioGroup_SelFontColor, &QButtonGroup::idClicked, this, [this](int i) {
    if (showing_record_) return;
    lists_.Current().selFontColorType = i;
    UpdateListSample();
  });
  left->addWidget(sel);
  left->addStretch(1);
  h->addLayout(left);

  ListBox_Sample = new SampleList(this);
  ListBox_Sample->setMinimumWidth(220);
  h->addWidget(ListBox_Sample, 1);
}

void ListBoxSheet::Load() {
  screen_fonts_ = ScreenFontFamilies(
      {FromCp932(lists_.Record(ListKind::Group).fontName), FromCp932(lists_.Record(ListKind::Item).fontName)});
  {
    const QSignalBlocker block(ComboBox_ListFont);
    ComboBox_ListFont->clear();
    ComboBox_ListFont->addItems(screen_fonts_);
  }
  RadioButton_Group->setChecked(true);
  ShowListRecord();
}

bool ListBoxSheet::FontSelected() const { return ComboBox_ListFont->currentIndex() >= 0; }

void ListBoxSheet::ConnectListField(QSpinBox* spin, int ListBoxRecord::*field, int min) {
  connect(spin, &QSpinBox::valueChanged, this, [this, field](int value) {
    if (showing_record_) return;
    lists_.Current().*field = value;
    UpdateListSample();
  });
  // An emptied field is refilled with its minimum; anything else out of range is left to the
  // field's own check, which keeps the last value.
  connect(SpinText(spin), &QLineEdit::textEdited, this, [this, spin, field, min](const QString& text) {
    if (!text.isEmpty()) return;
    if (const std::optional<int> v = ListFieldValue({}, min, spin->maximum())) {
      const QSignalBlocker block(spin);
      spin->setValue(*v);
      SpinText(spin)->setText(QString::number(*v));
      lists_.Current().*field = *v;
      UpdateListSample();
    }
  });
}

void ListBoxSheet::ShowListRecord() {
  showing_record_ = true;
  const ListBoxRecord& r = lists_.Current();
  const int font = FontIndex(Cp932List(screen_fonts_), r.fontName);
  ComboBox_ListFont->setCurrentIndex(font);
  SpinEdit_ListFontSize->setValue(r.fontSize);
  SpinEdit_LineMargin->setValue(r.lineMargin);
  SpinEdit_LeftMargin->setValue(r.leftMargin);
  if (QAbstractButton* b = RadioGroup_SelFontColor->button(r.selFontColorType)) {
    b->setChecked(true);
  } else {
    // An unknown rule: no item is chosen.
    RadioGroup_SelFontColor->setExclusive(false);
    for (QAbstractButton* rb : RadioGroup_SelFontColor->buttons()) rb->setChecked(false);
    RadioGroup_SelFontColor->setExclusive(true);
  }
  Button_ListCopy->setText(U8(lists_.CopyButtonCaption()));
  showing_record_ = false;
  UpdateListSample();
}

void ListBoxSheet::ListColorClicked(store::TColor ListBoxRecord::*field) {
  ListBoxRecord& r = lists_.Current();
  if (const std::optional<QColor> c = boxes_.PickColor(this, ToQColor(r.*field, this))) {
    r.*field = FromQColor(*c);
    UpdateListSample();
  }
}

void ListBoxSheet::UpdateListSample() {
  const ListBoxRecord& r = lists_.Current();
  ListBox_Sample->SetRecord(r);
  Button_SelColor->setIcon(Swatch(ToQColor(r.selColor, this)));
  Button_BackColor->setIcon(Swatch(ToQColor(r.backColor, this)));
  Button_UnfilledColor->setIcon(Swatch(ToQColor(r.unfilledColor, this)));
  Button_FontColor->setIcon(Swatch(ToQColor(r.fontColor, this)));
}

}  // namespace editorsettings::qt
