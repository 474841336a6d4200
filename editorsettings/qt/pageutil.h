// What the settings pages share: text crossing between the records (code page 932, UTF-8) and
// the widgets, number fields, and the few things of the dialog a page reaches.
#pragma once

#include <QString>
#include <QStringList>
#include <string>
#include <string_view>
#include <vector>

#include "codec/qt/qtcp932.h"

class QLineEdit;
class QSpinBox;
class QWidget;

namespace editor {
class EditorModel;
}

namespace editorsettings {
class SettingsDialog;
}

namespace editorsettings::qt {

class SettingsBoxes;

using codec::qt::FromCp932;
using codec::qt::MessageText;
using codec::qt::ToCp932;
std::vector<std::string> Cp932List(const QStringList& l);
QString U8(const char* s);
QString U8(const std::string& s);

QSpinBox* Spin(int min, int max, QWidget* parent);
// The spin's own text field (what the user typed, before Qt corrects it on leaving).
QLineEdit* SpinText(QSpinBox* s);

// The dialog around the pages: its preview editor, its message boxes, and whether it is still
// initialising (no page change yet) or has its controls loaded.
struct PageHost {
  SettingsDialog& dialog;
  SettingsBoxes& boxes;
  const bool& initialising;
  const bool& loaded;
  editor::EditorModel& Preview() const;
};

}  // namespace editorsettings::qt
