#include "editorsettings/qt/settingsboxes.h"

#include <QApplication>
#include <QColorDialog>
#include <QMessageBox>

namespace editorsettings::qt {

namespace {
const QString kProgramCaption = QStringLiteral("ソラメtext");
}

void SettingsBoxes::Error(QWidget* parent, const QString& text) {
  QMessageBox::critical(parent, kProgramCaption, text);
}

bool SettingsBoxes::Ask(QWidget* parent, const QString& caption, const QString& text) {
  QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Ok | QMessageBox::Cancel, parent);
  box.setDefaultButton(QMessageBox::Ok);
  return box.exec() == QMessageBox::Ok;
}

void SettingsBoxes::Beep() { QApplication::beep(); }

std::optional<QColor> SettingsBoxes::PickColor(QWidget* parent, const QColor& initial) {
  const QColor c = QColorDialog::getColor(initial, parent);
  if (!c.isValid()) return std::nullopt;
  return c;
}

}  // namespace editorsettings::qt
