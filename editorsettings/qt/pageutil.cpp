#include "editorsettings/qt/pageutil.h"

#include <QLineEdit>
#include <QSpinBox>

#include "codec/cp932.h"
#include "editorsettings/settingsrun.h"

namespace editorsettings::qt {

QString FromCp932(std::string_view s) { return QString::fromStdU16String(codec::Cp932ToUtf16(s)); }

std::string ToCp932(const QString& s) {
  return codec::Utf16ToCp932(
             std::u16string_view(reinterpret_cast<const char16_t*>(s.utf16()), static_cast<size_t>(s.size())))
      .bytes;
}

std::vector<std::string> Cp932List(const QStringList& l) {
  std::vector<std::string> v;
  v.reserve(static_cast<size_t>(l.size()));
  for (const QString& s : l) v.push_back(ToCp932(s));
  return v;
}

QString U8(const char* s) { return QString::fromUtf8(s); }
QString U8(const std::string& s) { return QString::fromStdString(s); }
QString MessageText(const char* s) { return U8(s).replace(QStringLiteral("\r\n"), QStringLiteral("\n")); }

QSpinBox* Spin(int min, int max, QWidget* parent) {
  auto* s = new QSpinBox(parent);
  s->setRange(min, max);
  s->setAccelerated(true);
  return s;
}

QLineEdit* SpinText(QSpinBox* s) { return s->findChild<QLineEdit*>(); }

editor::EditorModel& PageHost::Preview() const { return dialog.Preview(); }

}  // namespace editorsettings::qt
