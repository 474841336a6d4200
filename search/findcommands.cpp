// The main window's find and replace commands and its searches across items.
#include "search/findcommands.h"

#include <algorithm>
#include <charconv>

#include "codec/cp932.h"
#include "store/errors.h"

namespace search {

namespace {

constexpr const char* kResultCaption = "検索結果";
constexpr const char* kSaveCaption = "データ保存の確認";

}  // namespace

void AddSearchHistory(std::vector<std::string>& history, const std::string& text) {
  if (text.empty()) return;
  auto it = std::find(history.begin(), history.end(), text);
  if (it != history.end()) {
    std::rotate(history.begin(), it, it + 1);
  } else {
    history.insert(history.begin(), text);
  }
  // A list.bin edited by hand may hold more than one entry too many.
  while (history.size() > kSearchHistoryMax) history.pop_back();
}

std::string NotFoundMessage(std::string_view text, bool forward) {
  std::string m = forward ? "これより下に" : "これより上に";
  m += "検索文字列\r\n\r\n";
  m += codec::Cp932ToUtf8(text);
  m += "\r\n\r\n";
  m += "は見つかりませんでした。";
  return m;
}

// ---- result rows -------------------------------------------------------------------------------

namespace {

bool ParseInt(std::string_view s, int& out) {
  if (s.empty()) return false;
  const char* end = s.data() + s.size();
  auto [p, ec] = std::from_chars(s.data(), end, out);
  return ec == std::errc() && p == end;
}

const std::string kEmpty;

}  // namespace

std::optional<HitLocation> ParseHitLocation(std::string_view groupCell, std::string_view itemCell,
                                            std::string_view positionCell) {
  HitLocation at;
  if (!ParseInt(groupCell, at.GroupIndex) || !ParseInt(itemCell, at.ItemIndex) || !ParseInt(positionCell, at.Position))
    return std::nullopt;
  return at;
}

void FindGrid::Prepare(std::string text, int mode, TSearchOptions options) {
  rows_.assign(2, std::vector<std::string>(kColumns));
  rows_[0] = {"No", "GroupIndex", "GroupName", "ItemIndex", "ItemName", "Position", "Text"};
  text_ = std::move(text);
  options_ = options;
  mode_ = mode;
  names_ = false;
}

void FindGrid::AppendHits(const std::vector<SearchHit>& hits, bool names) {
  names_ = names;
  int r = RowCount() - 2;
  for (const auto& h : hits) {
    ++r;
    rows_.resize(static_cast<std::size_t>(r) + 2, std::vector<std::string>(kColumns));
    rows_[static_cast<std::size_t>(r)] = {
        std::to_string(r), std::to_string(h.GroupIndex), h.GroupName, std::to_string(h.ItemIndex),
        h.ItemName,        std::to_string(h.Position),   h.Text};
  }
}

const std::string& FindGrid::Cell(int row, int col) const {
  if (row < 0 || row >= RowCount() || col < 0 || col >= kColumns) return kEmpty;
  return rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
}

std::optional<HitLocation> FindGrid::Locate(int row) const {
  if (row <= 0 || row >= RowCount()) return std::nullopt;
  if (Cell(row, 1).empty() || Cell(row, 3).empty()) return std::nullopt;
  return ParseHitLocation(Cell(row, 1), Cell(row, 3), Cell(row, 5));
}

int FindGrid::TextColumnWidth(int gridWidth) {
  int fixed = 0;
  for (int w : kFixedWidths) fixed += w;
  return std::max(kMinTextWidth, gridWidth - fixed);
}

std::string FindGrid::ModeText() const {
  switch (mode_) {
    case mdGroup: return "グループ内検索";
    case mdFullText: return "全文検索";
    case mdNames: return "グループ・アイテム名検索";
  }
  return {};
}

std::string FindGrid::CountText() const { return "検索結果　" + std::to_string(HitCount()) + " 件"; }

std::string FindGrid::SearchTextStatus() const { return "検索文字列：　" + codec::Cp932ToUtf8(text_); }

// ---- commands ----------------------------------------------------------------------------------

bool FindCommands::SearchEditor(bool message) {
  FindEditor& editor = host_.Editor();
  if (state_.Text.empty()) state_.Text = editor.SelText();
  if (state_.Text.empty()) return false;
  if (editor.Search(state_.Text, state_.Options)) return true;
  if (message)
    host_.ShowMessage(kResultCaption, NotFoundMessage(state_.Text, (state_.Options & soForward) != 0),
                      MessageIcon::Information);
  return false;
}

void FindCommands::FindNext(bool forward) {
  if (forward) {
    state_.Options |= soForward;
  } else {
    state_.Options &= static_cast<TSearchOptions>(~soForward);
  }
  SearchEditor(true);
  UpdateHistory();
}

void FindCommands::Find() {
  std::string selected = host_.Editor().SelText();
  if (!selected.empty()) state_.Text = std::move(selected);
  FindDialogValues values{state_.Text, state_.Options, state_.SearchRange};
  // The dialog starts from the last options, but only OK brings any back.
  state_.Options = 0;
  if (dialogs_.RunFindDialog(values, host_.SearchHistory())) {
    state_.Text = values.Text;
    state_.Options = values.Options;
    state_.SearchRange = values.SearchRange;
    RunRange();
  }
  UpdateHistory();
}

void FindCommands::RunRange() {
  switch (state_.SearchRange) {
    case srOpenItem: SearchEditor(true); break;
    case srGroupItems:
      if (ConfirmAndStoreItem()) SearchGroupItems();
      break;
    case srAllItems:
      if (ConfirmAndSaveGroup(MessageIcon::None)) SearchAllTexts();
      break;
    case srNames:
      if (ConfirmAndSaveGroup(MessageIcon::Question)) SearchAllNames();
      break;
    default: break;
  }
}

bool FindCommands::ConfirmAndStoreItem() {
  if (host_.FindWarning() && host_.Editor().Modified() &&
      !host_.Ask(kSaveCaption, "検索する前に開いているアイテムを保存します", QuestionButtons::OkCancel,
                 MessageIcon::None))
    return false;
  host_.StoreOpenItem();
  return true;
}

bool FindCommands::ConfirmAndSaveGroup(MessageIcon icon) {
  // Asked whether or not anything changed: the whole group file is written.
  if (host_.FindWarning() &&
      !host_.Ask(kSaveCaption, "検索する前に開いているグループを保存します", QuestionButtons::OkCancel, icon))
    return false;
  return host_.SaveOpenGroup();
}

void FindCommands::SearchGroupItems() {
  state_.Options |= soForward;
  std::vector<SearchHit> hits;
  const int g = host_.SelectedGroup();
  if (g >= 0) {
    try {
      const std::string name = host_.Groups().EntryAt(g).Name;
      FindItemTexts(host_.OpenGroupItems(), state_.Text, state_.Options, name, g, hits, state_.Position);
    } catch (const store::Error& e) {
      host_.ShowError(e.what());
      return;
    }
  }
  if (!hits.empty()) {
    auto grid = std::make_unique<FindGrid>();
    grid->Prepare(state_.Text, FindGrid::mdGroup, state_.Options);
    grid->AppendHits(hits, false);
    dialogs_.ShowResults(std::move(grid));
    return;
  }
  if (!host_.Ask(kResultCaption,
                 "グループ内に検索文字列は見つかりませんでした\r\nひきつづき全グループで検索をしますか？",
                 QuestionButtons::YesNo, MessageIcon::Question))
    return;
  // The full-text search reads item files, and only the open item was written back so far.
  if (!host_.SaveOpenGroup()) return;
  SearchAllTexts();
}

bool FindCommands::SearchAllGroupsInto(FindGrid& grid, SearchScope scope) {
  bool failed = false;
  const bool names = scope == SearchScope::Names;
  try {
    SearchAllGroups(
        host_.Groups(), scope, state_.Text, state_.Options,
        [&](int, const std::vector<SearchHit>& hits) { grid.AppendHits(hits, names); },
        [&](int, const store::Error& e) {
          host_.ShowError(e.what());
          failed = true;
          return false;
        });
  } catch (const store::Error& e) {
    host_.ShowError(e.what());
    return false;
  }
  return !failed;
}

void FindCommands::SearchAllTexts() {
  state_.Options |= soForward;
  auto grid = std::make_unique<FindGrid>();
  grid->Prepare(state_.Text, FindGrid::mdFullText, state_.Options);
  if (!SearchAllGroupsInto(*grid, SearchScope::Texts)) return;
  if (grid->HitCount() > 0) {
    dialogs_.ShowResults(std::move(grid));
    return;
  }
  host_.ShowMessage(kResultCaption, "全文検索しましたが\r\n検索文字列は見つかりませんでした", MessageIcon::Information);
}

void FindCommands::SearchAllNames() {
  state_.Options |= soForward;
  auto grid = std::make_unique<FindGrid>();
  grid->Prepare(state_.Text, FindGrid::mdNames, state_.Options);
  if (!SearchAllGroupsInto(*grid, SearchScope::Names)) return;
  if (grid->HitCount() > 0) {
    dialogs_.ShowResults(std::move(grid));
    return;
  }
  if (host_.Ask(kResultCaption,
                "全グループ・アイテム名を検索しましたが\r\n検索文字列は見つかりませんでした\r\n\r\n"
                "ひきつづき全グループのテキストを検索をしますか？",
                QuestionButtons::YesNo, MessageIcon::Question))
    SearchAllTexts();  // the group was saved before the name search
}

// ---- replace -----------------------------------------------------------------------------------

void FindCommands::Replace() {
  std::string selected = host_.Editor().SelText();
  if (!selected.empty()) state_.Text = std::move(selected);
  dialogs_.ShowReplaceDialog(state_.Text, state_.ReplaceText);
  UpdateHistory();
}

void FindCommands::ReplaceDialogButton(ReplaceButton button, const ReplaceDialogValues& values) {
  FindEditor& editor = host_.Editor();
  state_.Text = values.FindText;
  state_.ReplaceText = values.ReplaceText;
  state_.Position = {static_cast<std::int32_t>(editor.SelStart()), static_cast<std::int32_t>(values.FindText.size())};
  state_.Options = static_cast<TSearchOptions>((values.WholeWord ? soWholeWord : 0) |
                                               (values.MatchCase ? soMatchCase : 0) | (values.Down ? soForward : 0));
  switch (button) {
    case ReplaceButton::FindNext: SearchEditor(true); break;
    case ReplaceButton::Replace: ReplaceOnce(); break;
    case ReplaceButton::ReplaceAll: ReplaceAll(); break;
  }
  UpdateHistory();
}

void FindCommands::ReplaceOnce() {
  FindEditor& editor = host_.Editor();
  if (state_.Text.empty()) return;
  const TSearchOptions forward = state_.Options | soForward;
  auto notFound = [&] {
    host_.ShowMessage(kResultCaption, NotFoundMessage(state_.Text, true), MessageIcon::Information);
  };
  // From the selection's start, so that the match the last search selected is the one replaced.
  editor.SetSelStart(editor.SelStart());
  if (!editor.Search(state_.Text, forward)) {
    notFound();
    return;
  }
  // A read-only text keeps the match selected instead of stepping past it unchanged.
  if (editor.ReadOnly()) return;
  editor.ReplaceSelection(state_.ReplaceText);
  if (!editor.Search(state_.Text, forward)) notFound();
}

void FindCommands::ReplaceAll() {
  FindEditor& editor = host_.Editor();
  const TSearchOptions forward = state_.Options | soForward;
  const std::int64_t caret = editor.SelStart();
  int count = 0;
  // Nothing can be replaced in a read-only text; counting the matches would claim otherwise.
  if (!editor.ReadOnly()) {
    editor.SetSelStart(0);
    // Each search starts after the text just put in, so a replacement holding the search text
    // is never searched again.
    while (editor.Search(state_.Text, forward)) {
      editor.ReplaceSelection(state_.ReplaceText);
      ++count;
    }
  }
  editor.SetSelStart(caret);
  editor.ScrollCaret();
  host_.ShowMessage("置き換え結果", std::to_string(count) + " 個を置き換えました", MessageIcon::Information);
}

// ---- opening a result row ----------------------------------------------------------------------

void FindCommands::OpenRow(const FindGrid& grid, int row) {
  const std::optional<HitLocation> at = grid.Locate(row);
  if (!at) return;
  // A window outlives changes to the lists: a row whose entry is gone opens nothing.
  if (!host_.SelectGroup(at->GroupIndex)) return;
  if (!host_.SelectItem(at->ItemIndex)) return;
  FindEditor& editor = host_.Editor();
  const std::int64_t offset = std::max(0, at->Position);
  editor.SetSelStart(offset);
  if (at->ItemIndex < 0) {
    host_.FocusGroupList();
    return;
  }
  host_.FocusEditor();
  if (!grid.Names() && !grid.SearchText().empty()) {
    // Searching again from the hit selects the match with its real length, which differs from
    // the search text's when widths, spaces or line breaks were ignored. A text edited since
    // falls back to the search text's length at the stored offset.
    if (!editor.Search(grid.SearchText(), grid.Options() | soForward) || editor.SelStart() != offset) {
      editor.SetSelStart(offset);
      editor.SetSelLength(static_cast<std::int64_t>(grid.SearchText().size()));
    }
  }
  editor.ScrollCaret();
}

}  // namespace search
