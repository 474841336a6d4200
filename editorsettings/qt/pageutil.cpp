#include "editorsettings/qt/pageutil.h"

#include <QLineEdit>
#include <QSpinBox>

#include "editorsettings/settingsrun.h"

namespace editorsettings::qt {

std::vector<std::string> Cp932List(const QStringList& l) {
  std::vector<std::string> v;
  v.reserve(static_cast<size_t>(l.size()));
  for (const QString& s : l) v.push_back(ToCp932(s));
  return v;
}

QString U8(const char* s) { return QString::fromUtf8(s); }
QString U8(const std::string& s) { return QString::fromStdString(s); }

QSpinBox* Spin(int min, int max, QWidget* parent) {
  auto* s = new QSpinBox(parent);
  s->setRange(min, max);
  s->setAccelerated(true);
  return s;
}

QLineEdit* SpinText(QSpinBox* s) { return s->findChild<QLineEdit*>(); }

editor::EditorModel& PageHost::Preview() const { return dialog.Preview(); }

}  // namespace editorsettings::qt
