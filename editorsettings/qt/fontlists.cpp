#include "editorsettings/qt/fontlists.h"

#include <QFont>
#include <QFontDatabase>

#include "editor/qt/editorfont.h"
#include "editorsettings/fontchoice.h"

namespace editorsettings::qt {

namespace {

// The stored names the program maps to a font of `families`. (Qt keeps its substitution table
// in lower case, so the stored spelling has to come from the records.)
QStringList MappedNames(const QStringList& storedNames, const QStringList& families) {
  QStringList out;
  for (const QString& name : storedNames) {
    if (name.isEmpty() || families.contains(name, Qt::CaseInsensitive)) continue;
    for (const QString& s : QFont::substitutes(name)) {
      if (families.contains(s, Qt::CaseInsensitive)) {
        out << name;
        break;
      }
    }
  }
  return out;
}

QStringList Sorted(QStringList l) {
  l.removeDuplicates();
  l.sort(Qt::CaseInsensitive);
  return l;
}

// The rules work on the names as byte strings; family names are kept as UTF-8 for them.
std::vector<std::string> Bytes(const QStringList& l) {
  std::vector<std::string> v;
  for (const QString& s : l) v.push_back(s.toStdString());
  return v;
}
QStringList Names(const std::vector<std::string>& v) {
  QStringList l;
  for (const std::string& s : v) l << QString::fromStdString(s);
  return l;
}

}  // namespace

QStringList EditorFontFamilies(const QStringList& storedNames) {
  editor::qt::InstallFontSubstitutions();
  // Measuring every family takes a while; the installed fonts do not change during a run.
  static const QStringList measured = editor::qt::MeasuredFixedPitchFamilies();
  return Names(WithoutAtNames(Bytes(Sorted(measured + MappedNames(storedNames, measured)))));
}

QStringList ScreenFontFamilies(const QStringList& storedNames) {
  editor::qt::InstallFontSubstitutions();
  QStringList families;
  for (const QString& f : QFontDatabase::families())
    if (!QFontDatabase::isPrivateFamily(f)) families << f;
  return Names(WithoutLeadingAtNames(Bytes(Sorted(families + MappedNames(storedNames, families)))));
}

}  // namespace editorsettings::qt
