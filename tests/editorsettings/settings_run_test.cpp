// A run of the settings dialog on the records: what the preview starts from in each mode, which
// record takes the result of "登録", when the main editor follows, and the switch-off path.
#include <gtest/gtest.h>

#include "editor/editormodel.h"
#include "editorsettings/settingsrun.h"

using namespace editorsettings;

namespace {

// A dialog whose user is a function: it edits the preview and the check box and closes.
class ScriptedDialog final : public SettingsDialog {
 public:
  std::function<DialogResult(ScriptedDialog&)> user;
  bool widthWrap = false;
  bool perGroup = false, abortEnabled = false, modeSet = false;
  int page = -1;
  // What the preview held when the dialog was shown.
  int shownWrapByte = 0;
  bool* released = nullptr;

  ~ScriptedDialog() override {
    if (released) *released = true;
  }
  editor::EditorModel& Preview() override { return preview; }
  bool WidthWordWrap() const override { return widthWrap; }
  void SetWidthWordWrap(bool on) override { widthWrap = on; }
  void SetMode(bool g, bool a) override {
    perGroup = g;
    abortEnabled = a;
    modeSet = true;
  }
  void SetPage(int index) override { page = index; }
  DialogResult Run() override {
    shownWrapByte = preview.WrapOption().WrapByte();
    return user ? user(*this) : DialogResult::Cancel;
  }
  editor::EditorModel preview;
};

struct Records {
  TEditorPropDat global, group;
  store::TMainDataClass main;
  store::TListDataClass list;
  SettingsHost host{global, group, main, list, {}, {}, {}, {}, {}, {}};
  editor::EditorModel mainEditor;
  ScriptedDialog* dialog = nullptr;
  bool released = false;
  // Copies of what the dialog saw (it is gone after the run).
  bool perGroup = false, abortEnabled = false, widthWrapShown = false;
  int page = -1, shownWrapByte = 0;

  Records() {
    mainEditor.ApplyMainValues();
    global.CopyFromEditor(mainEditor);
    global.Enabled = true;
    global.DEditorWrapOption.SetWrapByte(60);
    group.CopyFromEditor(mainEditor);
    group.DEditorWrapOption.SetWrapByte(33);
  }

  bool Go(int page, bool perGroupMode, std::function<DialogResult(ScriptedDialog&)> user) {
    released = false;
    TEditDelivery carrier;
    return carrier.EditSettings(mainEditor, page, perGroupMode, host, [&] {
      auto d = std::make_unique<ScriptedDialog>();
      d->released = &released;
      d->user = [this, user](ScriptedDialog& dlg) {
        perGroup = dlg.perGroup;
        abortEnabled = dlg.abortEnabled;
        widthWrapShown = dlg.widthWrap;
        this->page = dlg.page;
        shownWrapByte = dlg.shownWrapByte;
        return user(dlg);
      };
      dialog = d.get();
      return d;
    });
  }
};

TEST(SettingsRun, GlobalOkCapturesThePreviewAndReachesAnEditorWithoutOwnSettings) {
  Records r;
  r.global.WidthWordWrap = true;
  const bool ok = r.Go(0, false, [](ScriptedDialog& d) {
    d.preview.WrapOption().SetWrapByte(88);
    d.preview.Ruler().SetVisible(false);
    d.widthWrap = false;
    return DialogResult::Ok;
  });
  EXPECT_TRUE(ok);
  EXPECT_TRUE(r.released);
  EXPECT_FALSE(r.perGroup);
  EXPECT_TRUE(r.widthWrapShown);
  EXPECT_EQ(r.page, -1);  // page 0: the dialog's own first page
  EXPECT_EQ(r.shownWrapByte, 60);
  EXPECT_EQ(r.global.DEditorWrapOption.WrapByte(), 88);
  EXPECT_FALSE(r.global.DEditorRuler.Visible());
  EXPECT_FALSE(r.global.WidthWordWrap);
  EXPECT_TRUE(r.global.Enabled);
  EXPECT_EQ(r.mainEditor.WrapOption().WrapByte(), 88);
  EXPECT_FALSE(r.mainEditor.Ruler().Visible());
  EXPECT_FALSE(r.group.Enabled);
  EXPECT_EQ(r.group.DEditorWrapOption.WrapByte(), 33);
}

TEST(SettingsRun, AGlobalChangeStaysOutOfAnEditorShowingTheGroupsOwnSettings) {
  Records r;
  r.group.Enabled = true;
  r.group.ApplyToEditor(r.mainEditor);
  EXPECT_TRUE(r.Go(5, false, [](ScriptedDialog& d) {
    d.preview.WrapOption().SetWrapByte(77);
    return DialogResult::Ok;
  }));
  EXPECT_EQ(r.page, 4);            // "タイムスタンプ"
  EXPECT_EQ(r.shownWrapByte, 60);  // global mode shows the global settings
  EXPECT_EQ(r.global.DEditorWrapOption.WrapByte(), 77);
  EXPECT_EQ(r.mainEditor.WrapOption().WrapByte(), 33);
  EXPECT_TRUE(r.group.Enabled);
}

TEST(SettingsRun, PerGroupWithoutOwnSettingsStartsFromTheGlobalOnesAndEnablesTheGroup) {
  Records r;
  r.global.WidthWordWrap = true;
  EXPECT_TRUE(r.Go(0, true, [](ScriptedDialog& d) {
    d.preview.Caret().SetSoftTab(true);
    return DialogResult::Ok;
  }));
  EXPECT_TRUE(r.perGroup);
  EXPECT_FALSE(r.abortEnabled);
  EXPECT_TRUE(r.widthWrapShown);
  EXPECT_EQ(r.shownWrapByte, 60);
  EXPECT_TRUE(r.group.Enabled);
  EXPECT_TRUE(r.group.WidthWordWrap);
  EXPECT_EQ(r.group.DEditorWrapOption.WrapByte(), 60);
  EXPECT_TRUE(r.group.DEditorCaret.SoftTab());
  EXPECT_TRUE(r.mainEditor.Caret().SoftTab());
  EXPECT_FALSE(r.global.DEditorCaret.SoftTab());  // the global record is untouched
}

TEST(SettingsRun, PerGroupWithOwnSettingsShowsThemAndCanSwitchThemOff) {
  Records r;
  r.group.Enabled = true;
  r.group.WidthWordWrap = true;
  r.group.ApplyToEditor(r.mainEditor);
  EXPECT_FALSE(r.Go(0, true, [](ScriptedDialog& d) { return DialogResult::Abort; }));
  EXPECT_TRUE(r.abortEnabled);
  EXPECT_TRUE(r.widthWrapShown);
  EXPECT_EQ(r.shownWrapByte, 33);
  EXPECT_FALSE(r.group.Enabled);
  // The global look is back at once, and the check box went into the global record.
  EXPECT_EQ(r.mainEditor.WrapOption().WrapByte(), 60);
  EXPECT_TRUE(r.global.WidthWordWrap);
  EXPECT_TRUE(r.global.Enabled);
}

TEST(SettingsRun, NewSettingsDoNotMarkTheOpenTextAsChanged) {
  for (bool modified : {false, true}) {
    for (DialogResult answer : {DialogResult::Ok, DialogResult::Abort}) {
      Records r;
      r.group.Enabled = true;
      r.group.ApplyToEditor(r.mainEditor);  // wraps at 33; the global settings at 60
      r.mainEditor.SetText("a long line that the new wrap column cuts into several rows\r\nand a second one");
      r.mainEditor.SetModified(modified);
      r.Go(0, true, [answer](ScriptedDialog& d) {
        d.preview.SetWordWrap(true);
        d.preview.WrapOption().SetWrapByte(20);
        return answer;
      });
      EXPECT_EQ(r.mainEditor.Modified(), modified);
    }
  }
}

TEST(SettingsRun, CancelChangesNoRecord) {
  Records r;
  r.group.Enabled = true;
  editor::EditorModel before;
  r.group.ApplyToEditor(before);
  r.group.ApplyToEditor(r.mainEditor);
  for (bool perGroup : {false, true}) {
    EXPECT_FALSE(r.Go(0, perGroup, [](ScriptedDialog& d) {
      d.preview.WrapOption().SetWrapByte(99);
      d.widthWrap = true;
      return DialogResult::Cancel;
    }));
    EXPECT_TRUE(r.released);
    EXPECT_EQ(r.global.DEditorWrapOption.WrapByte(), 60);
    EXPECT_EQ(r.group.DEditorWrapOption.WrapByte(), 33);
    EXPECT_FALSE(r.global.WidthWordWrap);
    EXPECT_FALSE(r.group.WidthWordWrap);
    EXPECT_TRUE(r.group.Enabled);
    EXPECT_EQ(r.mainEditor.WrapOption().WrapByte(), 33);
  }
}

TEST(SettingsRun, TheSwitchOffButtonDoesNothingInGlobalMode) {
  // Hidden there; were it pressed anyway, the global record must not be disabled.
  Records r;
  EXPECT_FALSE(r.Go(0, false, [](ScriptedDialog&) { return DialogResult::Abort; }));
  EXPECT_TRUE(r.global.Enabled);
}

}  // namespace
