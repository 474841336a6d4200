#include "mainwin/qt/groupeditform.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include "codec/qt/qtcp932.h"
#include "editor/qt/editorcolor.h"

namespace mainwin::qt {

namespace {
constexpr int kClientWidth = 285;
constexpr int kClientHeight = 187;

store::TColor FromQColor(const QColor& c) {
  return static_cast<store::TColor>(c.red() | (c.green() << 8) | (c.blue() << 16));
}
}  // namespace

TGroupEditForm::TGroupEditForm(QWidget* owner) : QDialog(owner) {
  setObjectName(QStringLiteral("GroupEditForm"));
  setWindowFlags(Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  setFixedSize(kClientWidth, kClientHeight);

  auto* nameLabel = new QLabel(QStringLiteral("名前"), this);
  nameLabel->setGeometry(12, 14, 60, 18);
  Edit_GroupName = new QLineEdit(QStringLiteral("新規"), this);
  Edit_GroupName->setObjectName(QStringLiteral("Edit_GroupName"));
  Edit_GroupName->setGeometry(12, 32, 261, 22);
  nameLabel->setBuddy(Edit_GroupName);

  auto* colourLabel = new QLabel(QStringLiteral("文字色"), this);
  colourLabel->setGeometry(12, 66, 60, 18);
  Panel_FontColor = new QPushButton(this);
  Panel_FontColor->setObjectName(QStringLiteral("Panel_FontColor"));
  Panel_FontColor->setGeometry(12, 86, 73, 37);
  Panel_FontColor->setAutoDefault(false);
  Panel_FontColor->setToolTip(QStringLiteral("クリックで色を選ぶ"));
  connect(Panel_FontColor, &QPushButton::clicked, this, &TGroupEditForm::PanelFontColorClick);

  GroupBox_FontStyle = new QGroupBox(QStringLiteral("FontStyle"), this);
  GroupBox_FontStyle->setGeometry(100, 62, 173, 78);
  CheckBox_Bold = new QCheckBox(QStringLiteral("太字"), GroupBox_FontStyle);
  CheckBox_Italic = new QCheckBox(QStringLiteral("斜体"), GroupBox_FontStyle);
  CheckBox_Underline = new QCheckBox(QStringLiteral("下線"), GroupBox_FontStyle);
  CheckBox_StrikeOut = new QCheckBox(QStringLiteral("打ち消し線"), GroupBox_FontStyle);
  CheckBox_Bold->setGeometry(10, 22, 70, 20);
  CheckBox_Italic->setGeometry(10, 48, 70, 20);
  CheckBox_Underline->setGeometry(86, 22, 80, 20);
  CheckBox_StrikeOut->setGeometry(86, 48, 84, 20);

  Button_OK = new QPushButton(QStringLiteral("OK"), this);
  Button_OK->setObjectName(QStringLiteral("Button_OK"));
  Button_OK->setGeometry(108, 152, 80, 26);
  Button_OK->setDefault(true);
  Button_Cancel = new QPushButton(QStringLiteral("キャンセル"), this);
  Button_Cancel->setObjectName(QStringLiteral("Button_Cancel"));
  Button_Cancel->setGeometry(193, 152, 80, 26);
  connect(Button_OK, &QPushButton::clicked, this, &TGroupEditForm::accept);
  connect(Button_Cancel, &QPushButton::clicked, this, &TGroupEditForm::reject);

  Refuse = [this](const QString& caption, const QString& text) {
    QMessageBox box(QMessageBox::Information, caption, text, QMessageBox::Ok, this);
    box.exec();
  };
  ChooseColor = [this](const QColor& current) { return QColorDialog::getColor(current, this); };
  ShowColour();
}

void TGroupEditForm::SetFields(const EntryFields& fields) {
  Edit_GroupName->setText(codec::qt::FromCp932(fields.name));
  // Typing replaces the proposed name at once.
  Edit_GroupName->selectAll();
  Edit_GroupName->setFocus();
  colour_ = fields.colour;
  CheckBox_Bold->setChecked(fields.style & 1);
  CheckBox_Italic->setChecked(fields.style & 2);
  CheckBox_Underline->setChecked(fields.style & 4);
  CheckBox_StrikeOut->setChecked(fields.style & 8);
  ShowColour();
}

EntryFields TGroupEditForm::Fields() const {
  EntryFields f;
  f.name = codec::qt::ToCp932(Edit_GroupName->text());
  f.colour = colour_;
  f.style = static_cast<uint8_t>((CheckBox_Bold->isChecked() ? 1 : 0) | (CheckBox_Italic->isChecked() ? 2 : 0) |
                                 (CheckBox_Underline->isChecked() ? 4 : 0) | (CheckBox_StrikeOut->isChecked() ? 8 : 0));
  return f;
}

int TGroupEditForm::ReplacedInName() const { return codec::qt::ToCp932Counted(Edit_GroupName->text()).replaced; }

void TGroupEditForm::accept() {
  if (!EntryNameAcceptable(Fields().name)) {
    Refuse(QString::fromUtf8(kNameMissingCaption), QString::fromUtf8(kNameMissingText));
    Edit_GroupName->clear();
    Edit_GroupName->setFocus();
    return;
  }
  QDialog::accept();
}

void TGroupEditForm::ShowColour() {
  const QColor c = editor::qt::ToQColor(colour_, palette(), palette().color(QPalette::WindowText));
  Panel_FontColor->setStyleSheet(
      QStringLiteral("QPushButton { background-color: %1; border: 1px solid #808080; }").arg(c.name()));
}

void TGroupEditForm::PanelFontColorClick() {
  const QColor current = editor::qt::ToQColor(colour_, palette(), palette().color(QPalette::WindowText));
  const QColor chosen = ChooseColor(current);
  if (!chosen.isValid()) return;
  colour_ = FromQColor(chosen);
  ShowColour();
}

}  // namespace mainwin::qt
