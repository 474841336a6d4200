// Helpers of the settings dialog's tests: message boxes answered by the test, a main window made
// of plain records that notes what it was asked to do, and a dialog opened as a run opens it.
#pragma once

#include <QApplication>
#include <QColor>
#include <QLineEdit>
#include <QSpinBox>
#include <QStringList>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "codec/cp932.h"
#include "editor/editormodel.h"
#include "editorsettings/qt/editeditordlg.h"
#include "editorsettings/qt/editor1sheet.h"
#include "editorsettings/qt/editor2sheet.h"
#include "editorsettings/qt/editor3sheet.h"
#include "editorsettings/qt/etcsheet.h"
#include "editorsettings/qt/listboxsheet.h"
#include "editorsettings/qt/settingsboxes.h"
#include "editorsettings/qt/timestampsheet.h"
#include "mainwin/actions.h"

namespace dlgtest {

inline std::string Cp932(const QString& s) {
  return codec::Utf16ToCp932(std::u16string(reinterpret_cast<const char16_t*>(s.utf16()), s.size())).bytes;
}
inline QString Unicode(const std::string& cp932) { return QString::fromStdU16String(codec::Cp932ToUtf16(cp932)); }

class RecordingBoxes : public editorsettings::qt::SettingsBoxes {
 public:
  QStringList errors;
  QStringList asked;  // caption + "|" + text
  bool answer = true;
  int beeps = 0;
  std::optional<QColor> colour;  // what the colour dialog returns
  int colourDialogs = 0;

  void Error(QWidget*, const QString& text) override { errors << text; }
  bool Ask(QWidget*, const QString& caption, const QString& text) override {
    asked << caption + "|" + text;
    return answer;
  }
  void Beep() override { ++beeps; }
  std::optional<QColor> PickColor(QWidget*, const QColor&) override {
    ++colourDialogs;
    return colour;
  }
};

// The main window's side: its records and operations, as plain objects.
struct Host {
  editorsettings::TEditorPropDat global, group;
  store::TMainDataClass main;
  store::TListDataClass list;
  QStringList calls;
  std::vector<std::pair<int, std::string>> shortcutsSet;
  editor::EditorModel mainEditor;
  editorsettings::SettingsHost host{global, group, main, list, {}, {}, {}, {}, {}, {}};

  Host() {
    main.SetDefaults();
    list.RebuildTimeStampLists();
    mainEditor.ApplyMainValues();
    global.CopyFromEditor(mainEditor);
    global.Enabled = true;
    mainwin::ListActionHints(host.actionHints);
    for (const auto& action : mainwin::ActionTable()) host.actionShortcuts.emplace_back(action.shortcut);
    list.ShortCutList = host.actionShortcuts;  // as the first start leaves it
    host.setActionShortcut = [this](int k, const std::string& t) { shortcutsSet.emplace_back(k, t); };
    host.applyListLayout = [this] { calls << "layout"; };
    host.storeWindowGeometry = [this] {
      calls << (main.WindowOptionEnabled && !main.WindowOptionFixed ? "geometry" : "geometry-ignored");
      if (main.WindowOptionEnabled && !main.WindowOptionFixed) main.Left = 123;
    };
    host.applyListFontSizes = [this] { calls << "fonts"; };
  }
};

// A dialog prepared as a global run prepares it, with its controls loaded.
inline std::unique_ptr<editorsettings::qt::TEditEditorDlg> OpenDialog(Host& h, RecordingBoxes& boxes,
                                                                      bool perGroup = false) {
  auto dlg = std::make_unique<editorsettings::qt::TEditEditorDlg>(h.host, &boxes);
  dlg->Clock = [] { return editorsettings::DateTime{2024, 3, 9, 14, 5, 7, 0}; };
  h.global.ApplyToEditor(dlg->Preview());
  if (perGroup && h.group.Enabled) h.group.ApplyToEditor(dlg->Preview());
  dlg->SetWidthWordWrap(perGroup && h.group.Enabled ? h.group.WidthWordWrap : h.global.WidthWordWrap);
  dlg->SetMode(perGroup, perGroup && h.group.Enabled);
  dlg->LoadControls();
  return dlg;
}

// The text a spin box shows, as the user typed it.
inline QLineEdit* SpinText(QSpinBox* s) { return s->findChild<QLineEdit*>(); }

}  // namespace dlgtest
