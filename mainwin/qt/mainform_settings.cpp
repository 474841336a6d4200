// The editor settings dialog, run for the three settings commands on the window's records.
#include <QAction>
#include <QKeySequence>

#include "editor/qt/oleddeditor.h"
#include "editorsettings/qt/editeditordlg.h"
#include "editorsettings/settingsrun.h"
#include "mainwin/actions.h"
#include "mainwin/qt/mainform.h"

namespace mainwin::qt {

void TMainForm::WireEditorSettings() {
  EditorSettingsRunner = [this](int page, bool perGroup) {
    MainFormCore& core = *core_;
    editorsettings::SettingsHost host{core.Data().GlobalSettings(),
                                      core.Data().GroupSettings(),
                                      core.Data().MainData(),
                                      core.Data().ListData(),
                                      {},
                                      {},
                                      {},
                                      {},
                                      {},
                                      {}};
    ListActionHints(host.actionHints);
    for (int k = 0; k < kActionCount; ++k)
      host.actionShortcuts.push_back(
          Action(ActionId(k))->shortcut().toString(QKeySequence::PortableText).toStdString());
    host.setActionShortcut = [this](int k, const std::string& text) {
      Action(ActionId(k))->setShortcut(ShortcutOf(text));
    };
    host.applyListLayout = [this] {
      ApplyListLayout();
      SetDefaultListSizes();
    };
    host.storeWindowGeometry = [this] { StoreWindowGeometry(); };
    host.applyListFontSizes = [this] { ApplyListFontSizes(); };
    const bool ok = editorsettings::qt::RunEditorSettings(this, MainEditor->Model(), host, page, perGroup);
    ApplyBookmarkShortcuts();  // the window's shortcuts may have changed
    // A global change of "右端で折り返し" must reach the wrap buttons and column at once; per group the
    // command itself updates them.
    if (!perGroup) core.UpdateWrapState();
    return ok;
  };
}

}  // namespace mainwin::qt
