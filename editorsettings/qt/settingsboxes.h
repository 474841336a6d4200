// The settings dialog's ways to ask and tell: error messages, confirmations, the beep and the
// colour dialog, in one place so tests can answer them instead of a user.
#pragma once

#include <QColor>
#include <QString>
#include <optional>

class QWidget;

namespace editorsettings::qt {

class SettingsBoxes {
 public:
  virtual ~SettingsBoxes() = default;
  // An error message (the dialog stays open).
  virtual void Error(QWidget* parent, const QString& text);
  // OK and Cancel; true for OK.
  virtual bool Ask(QWidget* parent, const QString& caption, const QString& text);
  virtual void Beep();
  // The platform's colour dialog on `initial`; nothing when cancelled.
  virtual std::optional<QColor> PickColor(QWidget* parent, const QColor& initial);
};

}  // namespace editorsettings::qt
