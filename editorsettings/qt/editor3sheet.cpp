#include "editorsettings/qt/editor3sheet.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <utility>

#include "editor/qt/editorwidget.h"
#include "editorsettings/qt/pageutil.h"

namespace editorsettings::qt {

Editor3Sheet::Editor3Sheet(EditorPagesState& pages, std::function<void()> bracketsChanged, QWidget* parent)
    : QWidget(parent), pages_(pages), brackets_changed_(std::move(bracketsChanged)) {
  auto* g = new QGridLayout(this);
  g->addWidget(
      new QLabel(
          MessageText(
              "漢字とかな混じり語句や、記号が途中にあるもの、\r\n半角全角混在語句は、予約語として識別されません。"),
          this),
      0, 0, 1, 2);

  auto* bracketBox = new QGroupBox(QStringLiteral("強調表示する囲まれた文字"), this);
  auto* b = new QGridLayout(bracketBox);
  Edit_LeftBracket = new QLineEdit(bracketBox);
  Edit_RightBracket = new QLineEdit(bracketBox);
  ListBox_Brackets = new QListWidget(bracketBox);
  Button_BracketAdd = new QPushButton(QStringLiteral("追加"), bracketBox);
  Button_BracketChange = new QPushButton(QStringLiteral("変更"), bracketBox);
  Button_BracketDelete = new QPushButton(QStringLiteral("削除"), bracketBox);
  b->addWidget(new QLabel(QStringLiteral("開始文字"), bracketBox), 0, 0);
  b->addWidget(Edit_LeftBracket, 0, 1);
  b->addWidget(new QLabel(QStringLiteral("終了文字"), bracketBox), 1, 0);
  b->addWidget(Edit_RightBracket, 1, 1);
  auto* bb = new QHBoxLayout;
  for (QPushButton* p : {Button_BracketAdd, Button_BracketChange, Button_BracketDelete}) {
    p->setAutoDefault(false);
    bb->addWidget(p);
  }
  b->addLayout(bb, 2, 0, 1, 2);
  b->addWidget(ListBox_Brackets, 3, 0, 1, 2);
  b->addWidget(new QLabel(MessageText("・空白文字は使えません\r\n・記号文字以外では一部制限があります"), bracketBox), 4,
               0, 1, 2);
  g->addWidget(bracketBox, 1, 0);
  connect(Edit_LeftBracket, &QLineEdit::textEdited, this, [this] { BracketTextEdited(Edit_LeftBracket); });
  connect(Edit_RightBracket, &QLineEdit::textEdited, this, [this] { BracketTextEdited(Edit_RightBracket); });
  connect(ListBox_Brackets, &QListWidget::currentRowChanged, this, &Editor3Sheet::BracketSelected);
  connect(Button_BracketAdd, &QPushButton::clicked, this, [this] {
    if (AddBracket(pages_.colors, ToCp932(Edit_LeftBracket->text()), ToCp932(Edit_RightBracket->text())))
      BracketsChanged(pages_.colors.Brackets().ItemCount() - 1);
  });
  connect(Button_BracketChange, &QPushButton::clicked, this, [this] {
    const int row = ListBox_Brackets->currentRow();
    if (ChangeBracket(pages_.colors, row, ToCp932(Edit_LeftBracket->text()), ToCp932(Edit_RightBracket->text())))
      BracketsChanged(row);
  });
  connect(Button_BracketDelete, &QPushButton::clicked, this, [this] {
    if (DeleteBracket(pages_.colors, ListBox_Brackets->currentRow())) BracketsChanged(-1);
  });

  auto* words = new QVBoxLayout;
  words->addWidget(new QLabel(QStringLiteral("予約語"), this));
  Editor_ReserveWord = new editor::qt::TEditor(this);
  Editor_ReserveWord->setObjectName(QStringLiteral("Editor_ReserveWord"));
  Editor_ReserveWord->ApplyMainValues();
  Editor_ReserveWord->Model().SetWordWrap(false);
  Editor_ReserveWord->Model().Ruler().SetVisible(false);
  Editor_ReserveWord->Model().Margin().SetLeft(4);
  Editor_ReserveWord->Model().Margin().SetTop(2);
  Editor_ReserveWord->Model().View().SetMail(false);
  Editor_ReserveWord->Model().View().SetUrl(false);
  Editor_ReserveWord->setMinimumSize(180, 150);
  words->addWidget(Editor_ReserveWord, 1);
  g->addLayout(words, 1, 1);

  auto* texts = new QGridLayout;
  Edit_Commenter = new QLineEdit(this);
  Edit_Quotation = new QLineEdit(this);
  Edit_Quotation->setMaxLength(1);
  Edit_Quotation->setMaximumWidth(40);
  texts->addWidget(new QLabel(QStringLiteral("コメント行の先頭文字"), this), 0, 0);
  texts->addWidget(Edit_Commenter, 0, 1);
  texts->addWidget(new QLabel(QStringLiteral("文字列引用符"), this), 1, 0);
  auto* q = new QHBoxLayout;
  q->addWidget(Edit_Quotation);
  q->addWidget(new QLabel(QStringLiteral("（半角の一文字のみ）"), this));
  q->addStretch(1);
  texts->addLayout(q, 1, 1);
  g->addLayout(texts, 2, 0, 1, 2);
  g->setColumnStretch(1, 1);
}

void Editor3Sheet::Load(const EditorPageValues& v) {
  Edit_LeftBracket->clear();
  Edit_RightBracket->clear();
  BracketsChanged(-1);
  Editor_ReserveWord->Model().SetText(ReserveWordsText(v.reserveWords));
  Edit_Commenter->setText(FromCp932(v.commenter));
  Edit_Quotation->setText(FromCp932(v.quotation));
}

void Editor3Sheet::Read(EditorPageValues& v) const {
  v.reserveWords = ReserveWordsFromText(Editor_ReserveWord->Model().Text());
  v.commenter = ToCp932(Edit_Commenter->text());
  v.quotation = QuotationOf(ToCp932(Edit_Quotation->text()));
}

std::string Editor3Sheet::Commenter() const { return ToCp932(Edit_Commenter->text()); }

void Editor3Sheet::BracketTextEdited(QLineEdit* edit) {
  const QString trimmed = FromCp932(TrimBracketText(ToCp932(edit->text())));
  if (trimmed != edit->text()) edit->setText(trimmed);
  UpdateBracketButtons();
}

void Editor3Sheet::BracketSelected(int row) {
  if (row >= 0 && row < pages_.colors.Brackets().ItemCount()) {
    const editor::TFountainBracketItem& item = pages_.colors.Brackets()[row];
    Edit_LeftBracket->setText(FromCp932(item.LeftBracket()));
    Edit_RightBracket->setText(FromCp932(item.RightBracket()));
  }
  UpdateBracketButtons();
}

void Editor3Sheet::UpdateBracketButtons() {
  const BracketButtons b = BracketButtonsFor(ToCp932(Edit_LeftBracket->text()), ToCp932(Edit_RightBracket->text()),
                                             ListBox_Brackets->currentRow(), pages_.colors.Brackets().ItemCount());
  Button_BracketAdd->setEnabled(b.add);
  Button_BracketChange->setEnabled(b.change);
  Button_BracketDelete->setEnabled(b.del);
}

void Editor3Sheet::BracketsChanged(int select) {
  {
    const QSignalBlocker block(ListBox_Brackets);
    ListBox_Brackets->clear();
    const editor::TEditorBracketCollection& pairs = pages_.colors.Brackets();
    for (int n = 0; n < pairs.ItemCount(); ++n)
      ListBox_Brackets->addItem(FromCp932(BracketPairLine(pairs[n].LeftBracket(), pairs[n].RightBracket())));
    ListBox_Brackets->setCurrentRow(select);
  }
  if (brackets_changed_) brackets_changed_();
  UpdateBracketButtons();
}

}  // namespace editorsettings::qt
