// The open data folder, below the window: the settings records (main.bin, list.bin), the group
// list and the open group's items, the history and the damaged-file bookkeeping, with the item
// cycle that binds an item to the editor (loading it, writing the editor back, saving and loading
// a group's item file, recording where the user was). Every record file of the folder is loaded
// and saved here, and nowhere else. Positions are those of the lists the window shows; the window
// says which group and item are open.
#pragma once

#include <memory>
#include <string>

#include "editor/editormodel.h"
#include "editorsettings/editorpropdat.h"
#include "mainwin/damaged.h"
#include "store/datafolder.h"
#include "store/entries.h"
#include "store/history.h"
#include "store/settings.h"

namespace mainwin {

// What the session tells the window.
class SessionHost {
 public:
  virtual ~SessionHost() = default;
  // A record file could not be read or written (UTF-8, may hold "\r\n").
  virtual void ShowError(const std::string& text) = 0;
  // The history changed, so going back or forward may have become possible or impossible.
  virtual void HistoryChanged() = 0;
};

class Session {
 public:
  // `dataFolder` ends with "/". The editor and the host outlive the session.
  Session(std::string dataFolder, editor::EditorModel& editor, SessionHost& host);
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  const store::DataFolder& Folder() const { return folder_; }
  store::TMainDataClass& MainData() { return main_; }
  const store::TMainDataClass& MainData() const { return main_; }
  store::TListDataClass& ListData() { return list_; }
  const store::TListDataClass& ListData() const { return list_; }
  store::TRootComponent_Group& Groups() { return *groups_; }
  const store::TRootComponent_Group& Groups() const { return *groups_; }
  // The open group's items.
  store::TRootComponent_Item& Items() { return *items_; }
  const store::TRootComponent_Item& Items() const { return *items_; }
  store::THistoryCollection& History() { return history_; }
  const store::THistoryCollection& History() const { return history_; }
  editor::EditorModel& Editor() { return editor_; }
  const editor::EditorModel& Editor() const { return editor_; }
  editorsettings::TEditorPropDat& GlobalSettings();
  editorsettings::TEditorPropDat& GroupSettings();
  const editorsettings::TEditorPropDat& GroupSettings() const;
  // The open group's own settings when enabled, else the global ones.
  editorsettings::TEditorPropDat& ActiveSettings();

  // The names of group g and of item i of the open group, empty for a position that does not exist.
  std::string GroupName(int g) const;
  std::string ItemName(int i) const;

  // ---- record files
  // Loads main.bin, list.bin, History.bin and group.bin. A file that fails to load is reported
  // once and noted as damaged; start-up goes on with what was read.
  void LoadRecords();
  // Saves main.bin, list.bin and History.bin, each reported when it fails.
  void SaveRecords();
  // Saves group.bin; false after the report.
  bool SaveGroupList();
  // Reads group g's item file into the open group's items, or writes them to it; false (after
  // the report) when it failed or g does not exist. A damaged file is kept before it is replaced.
  bool LoadItemsOf(int g);
  bool SaveItemsOf(int g);
  // Group g's item file as it is stored, and a whole item file written for group g (an import).
  // Throw store::Error.
  std::string ReadItemFile(int g);
  void WriteItemFile(int g, const std::string& bytes);
  // Removes group g with its item file; the open group's items are emptied.
  void DeleteGroup(int g);
  // Appends a copy of item i of the open group to group `target`'s item file; the copy's
  // position there. Throws store::Error.
  int CopyItemToGroup(int target, int i);

  // ---- the item cycle
  // Shows item i in the editor at its stored line, unmodified; nothing for a position that does
  // not exist.
  void LoadItemIntoEditor(int i);
  // Writes the editor's caret line, and its text when modified, into item i; the editor is
  // emptied afterwards unless `keep`. Nothing while held (HoldStore) or without item i.
  void StoreEditorIntoItem(int i, bool keep);
  // Empties the editor; nothing of it may be written back afterwards.
  void ClearEditor();
  // Writes the editor back into item i (the editor keeps it) and saves group g's item file; true
  // when no group is open (g -1).
  bool SaveGroup(int g, int i);
  // Leaving group g where item i is open: i becomes the group's stored selection and a history
  // position, the editor is written back and the group saved. When saving fails the items in
  // memory are the only copy: the editor shows item i again and the result is false.
  bool LeaveGroup(int g, int i);

  // ---- history
  // A position left (PushBack) and a position where entries were inserted (RecordPosition);
  // nothing while held, after the close or for a missing group or item.
  void RecordHistoryPosition(int g, int i);
  void RecordHistoryInsert(int g, int i);
  // Tells the window after History() was changed directly.
  void HistoryChanged() { host_.HistoryChanged(); }

  // ---- holds: while one lives, the editor is not written into items (HoldStore) or no history
  // is recorded (HoldHistory). A hold gives back the state it found.
  class [[nodiscard]] Hold {
   public:
    explicit Hold(bool& flag) : flag_(flag), before_(flag) { flag_ = true; }
    ~Hold() { flag_ = before_; }
    Hold(const Hold&) = delete;
    Hold& operator=(const Hold&) = delete;

   private:
    bool& flag_;
    bool before_;
  };
  Hold HoldStore() { return Hold(store_held_); }
  Hold HoldHistory() { return Hold(history_held_); }
  bool StoreHeld() const { return store_held_; }
  bool HistoryHeld() const { return history_held_ || closed_; }

  // The close: saves group.bin, then writes the editor back into item i of group g and saves
  // that group. No history is recorded afterwards.
  void Close(int g, int i);

 private:
  // Reports a load failure once per file and notes the file as damaged.
  void LoadFailed(const std::string& file, const std::exception& e);
  template <class Fn>
  bool LoadReporting(const std::string& file, Fn fn);
  template <class Fn>
  bool SaveReporting(const std::string& file, Fn fn);

  store::DataFolder folder_;
  editor::EditorModel& editor_;
  SessionHost& host_;
  store::TMainDataClass main_;
  store::TListDataClass list_;
  std::unique_ptr<store::TRootComponent_Item> items_;
  std::unique_ptr<store::TRootComponent_Group> groups_;
  store::THistoryCollection history_;
  DamagedFiles damaged_{folder_};
  bool store_held_ = false;
  bool history_held_ = false;
  bool closed_ = false;
};

}  // namespace mainwin
