// One run of the settings dialog: the application-wide pages, the field check and the records.
#include "editorsettings/settingsrun.h"

#include <algorithm>

#include "editor/editormodel.h"

namespace editorsettings {

// ---- "その他の設定"

WindowPlacement PlacementOf(const store::TMainDataClass& d) {
  if (!d.WindowOptionEnabled) return WindowPlacement::Centred;
  return d.WindowOptionFixed ? WindowPlacement::Fixed : WindowPlacement::Restore;
}

void StorePlacement(store::TMainDataClass& d, WindowPlacement p) {
  d.WindowOptionEnabled = p != WindowPlacement::Centred;
  if (p != WindowPlacement::Centred) d.WindowOptionFixed = p == WindowPlacement::Fixed;
}

WindowPlacement SaveWindowPositionNow(store::TMainDataClass& d, const std::function<void()>& storeGeometry) {
  d.WindowOptionEnabled = true;
  d.WindowOptionFixed = false;
  if (storeGeometry) storeGeometry();
  d.WindowOptionFixed = true;
  return WindowPlacement::Fixed;
}

// ---- the application-wide pages

void AppSettingsState::Load(const SettingsHost& host) {
  const store::TMainDataClass& d = host.mainData;
  other = {d.FindWarning, d.ListBoxViewType, PlacementOf(d), d.IME_ON};
  lists.Load(d);
  lists.SetEditing(ListKind::Group);
  stamps = TimeStampFormats(host.listData.TimeStampList);
  shortcuts.Load(host.actionHints, host.listData.ShortCutList, host.actionShortcuts);
}

void AppSettingsState::Accept(SettingsHost& host) const {
  store::TMainDataClass& d = host.mainData;
  const bool layoutChanged = d.ListBoxViewType != other.viewType;
  d.FindWarning = other.findWarning;
  d.ListBoxViewType = other.viewType;
  StorePlacement(d, other.placement);
  d.IME_ON = other.imeOn;
  if ((layoutChanged || !d.WindowOptionEnabled) && host.applyListLayout) host.applyListLayout();

  lists.Store(d);
  if (host.applyListFontSizes) host.applyListFontSizes();

  host.listData.SetTimeStampList(stamps.Formats());

  std::vector<std::string>& stored = host.listData.ShortCutList;
  if (!stored.empty()) {
    stored = shortcuts.Working();
    const int n = std::min<int>(shortcuts.CommandCount(), static_cast<int>(stored.size()));
    if (host.setActionShortcut)
      for (int k = 0; k < n; ++k) host.setActionShortcut(k, stored[static_cast<size_t>(k)]);
  }
}

// ---- "登録"

std::optional<std::string> FirstValidationError(const ValidationInput& in) {
  if (!in.fontSelected) return kNoFontMessage;
  if (!ReadNumber(in.fontSizeText)) return kBadFontSizeMessage;
  if (!ReadNumber(in.wrapByteText)) return kBadWrapByteMessage;
  if (!in.tabLengthSelected) return kNoTabLengthMessage;
  if (in.listPageShown && !in.listFontSelected) return kNoListFontMessage;
  return std::nullopt;
}

// ---- the run

bool TEditDelivery::EditSettings(editor::EditorModel& editor, int firstPage, bool perGroup, SettingsHost& host,
                                 const std::function<std::unique_ptr<SettingsDialog>()>& create) {
  TEditorPropDat& global = host.globalSettings;
  TEditorPropDat& group = host.groupSettings;
  std::unique_ptr<SettingsDialog> dialog = create();
  global.ApplyToEditor(dialog->Preview());
  if (!perGroup) {
    dialog->SetWidthWordWrap(global.WidthWordWrap);
    dialog->SetMode(false, false);
  } else {
    dialog->SetMode(true, group.Enabled);
    if (group.Enabled) {
      group.ApplyToEditor(dialog->Preview());
      dialog->SetWidthWordWrap(group.WidthWordWrap);
    } else {
      dialog->SetWidthWordWrap(global.WidthWordWrap);
    }
  }
  if (firstPage != 0) dialog->SetPage(firstPage - 1);

  TEditorPropDat& target = perGroup ? group : global;
  const DialogResult result = dialog->Run();
  // New settings re-cut the rows, which the editor counts as a change; the text is the same.
  const bool modified = editor.Modified();
  if (result == DialogResult::Ok) {
    const bool widthWrap = dialog->WidthWordWrap();
    target.CopyFromEditor(dialog->Preview());
    target.WidthWordWrap = widthWrap;
    target.Enabled = true;
    // A global change stays out of the editor while the open group uses its own settings.
    if (perGroup || !group.Enabled) {
      target.ApplyToEditor(editor);
      target.WidthWordWrap = widthWrap;
    }
  } else if (result == DialogResult::Abort && perGroup) {
    target.Enabled = false;
    global.ApplyToEditor(editor);
    global.WidthWordWrap = dialog->WidthWordWrap();
  }
  if (editor.Modified() != modified) editor.SetModified(modified);
  return result == DialogResult::Ok;
}

}  // namespace editorsettings
