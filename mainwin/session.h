// The open data folder, below the window: the settings records (main.bin, list.bin), the group
// list and the open group's items, the history and the damaged-file bookkeeping, with the item
// cycle that binds an item to the editor (loading it, writing the editor back, saving and loading
// a group's item file, recording where the user was). Every record file of the folder is loaded
// and saved here, and nowhere else. Positions are those of the lists the window shows; the window
// says which group and item are open.
//
// Files change under the program (a sync tool, another machine): every list file is saved only
// after the version on disk, when it changed, was merged in, and the window asks the session to
// take such changes while it runs (TakeOutsideChanges). Merges are told in one notice.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "editor/editormodel.h"
#include "editorsettings/editorpropdat.h"
#include "mainwin/damaged.h"
#include "store/datafolder.h"
#include "store/entries.h"
#include "store/history.h"
#include "store/merge.h"
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
  // Versions written elsewhere were merged in (UTF-8, one notice for one operation).
  virtual void ShowMergeNotice(const std::string& text) = 0;
  // Saving the open group merged a version written elsewhere into its items: the list is shown
  // again, the open item at Items().SelIndex.
  virtual void OpenItemsMerged() = 0;
};

// What TakeOutsideChanges did. Positions are those after it; -1 when the entry is gone.
struct OutsideChanges {
  bool groupsReplaced = false;  // the group list was reloaded or merged
  bool itemsReplaced = false;   // the open group's items were reloaded or merged
  int group = -1;
  int item = -1;
  // Titles (UTF-8) of the lists read again as they were on disk, having nothing unsaved.
  std::vector<std::string> reloaded;
};

// What a close saved and what it could not.
struct CloseReport {
  bool groupListSaved = true;
  bool openGroupSaved = true;
  std::vector<std::string> failures;  // group.bin and the open group's item file: the errors
  std::vector<std::string> others;    // the settings records' errors, folders moved aside
  std::string notice;                 // versions merged from elsewhere (UTF-8)
  // Where the open group and item stand after the merges (-1: none).
  int openGroup = -1;
  int openItem = -1;
  bool NotesSaved() const { return groupListSaved && openGroupSaved; }
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
  // Saving merges a version written elsewhere first; when that changed the items, the window
  // refills its list (the open item keeps its place by NameID: Items().SelIndex).
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

  // The close: saves group.bin, then writes the editor back into item i of group g (the editor
  // keeps it) and saves that group, then main.bin, list.bin and History.bin. Nothing is reported:
  // the report says what failed. No history is recorded afterwards, until Reopen (a close the
  // user cancelled).
  CloseReport Close(int g, int i);
  void Reopen() { closed_ = false; }
  bool Closed() const { return closed_; }

  // ---- changes made elsewhere
  // Takes what changed on disk while group g and its item i are open: sync tools' conflict copies
  // of list files are merged (saved, then removed); group.bin and the open group's item file, when
  // changed, are read again when nothing in them is unsaved, merged otherwise. Other groups' files
  // need nothing until they are opened or saved.
  OutsideChanges TakeOutsideChanges(int g, int i);
  // At start, once the folder is locked: stale temporary files go and conflict copies are merged.
  void CleanUpAtStart();

 private:
  // Reports a load failure once per file and notes the file as damaged.
  void LoadFailed(const std::string& file, const std::exception& e);
  template <class Fn>
  bool LoadReporting(const std::string& file, Fn fn);
  template <class Fn>
  bool SaveReporting(const std::string& file, Fn fn);
  // Saves as SaveReporting does; the error (and a folder moved aside) goes to `errors` instead.
  template <class Fn>
  bool SaveQuietly(const std::string& file, Fn fn, std::vector<std::string>& errors, std::vector<std::string>& moved);
  // The merging saves: group.bin, and the open group's items to `file` (`merged`: whether a
  // version written elsewhere is merged in).
  template <class List>
  store::MergeResult SaveListMerged(List& list, const std::string& name, store::ListPrint& base,
                                    store::MergeOptions options);
  void SaveGroupListMerged();
  void SaveItemsMerged(const std::string& file, bool* merged = nullptr);
  store::MergeOptions GroupMergeOptions();
  // Takes the version of `name` on disk when it changed: read whole when nothing is `unsaved`
  // (and `mustMerge` does not object to that version), merged otherwise. True when taken.
  template <class List>
  bool TakeVersionOnDisk(List& list, const std::string& name, store::ListPrint& base, bool unsaved,
                         const std::function<bool(List&)>& mustMerge, const store::MergeOptions& options,
                         const std::string& title, OutsideChanges& changes);
  std::unique_ptr<store::TRootComponent_Item> NewListLike(store::TRootComponent_Item& list);
  std::unique_ptr<store::TRootComponent_Group> NewListLike(store::TRootComponent_Group& list);
  std::string ItemListTitleOf(const std::string& file);
  // Whether the open group's items hold anything not saved (the editor's text included).
  bool OpenItemsHoldChanges();
  int32_t OpenGroupId() const;
  void Note(const std::string& title, store::MergeResult result);
  // The notes gathered so far as one notice (UTF-8), and forgets them.
  std::string TakeNotice();
  void FlushNotice();
  void ResolveConflictCopies(const std::string& openFile, bool& groups, bool& items);

  store::DataFolder folder_;
  editor::EditorModel& editor_;
  SessionHost& host_;
  store::TMainDataClass main_;
  store::TListDataClass list_;
  std::unique_ptr<store::TRootComponent_Item> items_;
  std::unique_ptr<store::TRootComponent_Group> groups_;
  store::THistoryCollection history_;
  DamagedFiles damaged_{folder_};
  // The versions the lists were last loaded or saved as, and the file the items belong to.
  store::ListPrint group_base_, items_base_;
  // Every version of each file loaded or saved in this run, by file name: a conflict copy's
  // entries that are among them are old versions of ours.
  std::map<std::string, store::EntryHistory> held_;
  std::string items_file_;
  std::vector<store::MergeSection> notes_;
  std::vector<std::string> copies_removed_;
  std::vector<std::string> set_aside_;   // unreadable outside versions kept before saving over them
  std::set<std::string> copy_failures_;  // conflict copies reported as unreadable
  bool store_held_ = false;
  bool history_held_ = false;
  bool closed_ = false;
};

}  // namespace mainwin
