// The commands that go back to where the user was: the history's back and forward, reopening the
// item or the group as it was loaded, and the time stamps typed into the editor with their menu.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "editorsettings/timestamp.h"
#include "mainwin/commandhost.h"
#include "mainwin/commandtable.h"
#include "mainwin/session.h"

namespace mainwin {

// The window's side of going to a position.
class HistoryHost : public CommandHost {
 public:
  // Selects (g, i) through the lists as clicks would; false with `missing` when the position does
  // not exist (not when the window refused to leave the open group).
  virtual bool SelectPosition(int g, int i, bool& missing) = 0;
  virtual void ReloadItemList(int sel) = 0;
  virtual void ApplyEditorSettings() = 0;
  virtual void SetEditorEnabled(bool on) = 0;
};

// One entry of the time-stamp menu (after its "カスタマイズ" entry and separator).
struct TimeStampMenuEntry {
  std::string caption;  // code page 932: the current date and time in that format
  int tag;              // position in the format list
  bool checked;         // the format the time-stamp command uses
};

class HistoryCommands {
 public:
  HistoryCommands(Session& session, HistoryHost& host) : s_(session), host_(host) {}

  void Register(CommandTable& table);

  void HistoryBack() { HistoryStep(true); }
  void HistoryForward() { HistoryStep(false); }
  // The open item as it was when it was loaded, and the whole group as in its file (asked first).
  void ReOpenItem();
  void ReOpenGroup();

  std::vector<TimeStampMenuEntry> TimeStampMenu() const;
  void ChooseTimeStamp(int position) { s_.MainData().TimeIndex = position; }
  void InsertTimeStamp();
  // The clock of the time stamps (tests fix it).
  void SetClock(std::function<editorsettings::DateTime()> clock) { clock_ = std::move(clock); }

 private:
  void HistoryStep(bool back);

  Session& s_;
  HistoryHost& host_;
  std::function<editorsettings::DateTime()> clock_ = editorsettings::CurrentDateTime;
};

}  // namespace mainwin
