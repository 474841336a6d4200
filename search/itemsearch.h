// Search across items: the item list's text and name searches, and the walk over every group's
// item file that the result window and sorametext-cli search run.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "search/findinbuffer.h"
#include "store/entries.h"
#include "store/errors.h"

namespace search {

// Longest Text a hit keeps, in bytes.
inline constexpr std::size_t kHitTextBytes = 120;

// Code page 932 bytes of "*** （グループ名一致） ***", the item name of a group-name hit.
extern const std::string kGroupNameHitItemName;

// One result row. Names and texts are copies (code page 932), so a hit outlives the lists.
struct SearchHit {
  std::int32_t GroupIndex = 0;  // display position of the group in the group list
  // Display position of the item in its group (what the item list box shows), so that opening
  // the hit selects the right item however the items were reordered. A group-name hit has 0
  // when the group has items and -1 when it has none.
  std::int32_t ItemIndex = 0;
  std::int32_t Position = 0;  // byte offset of the match; 0 for an item-name hit, -1 for a group-name hit
  std::string GroupName;
  std::string ItemName;
  std::string Text;  // at most kHitTextBytes, never ending inside a double-byte character

  bool operator==(const SearchHit&) const = default;
};

// The error both searches raise when `hits` is not empty on entry (a store::Error).
inline constexpr std::string_view kFindTextItemsError = "ProgramError!\r\nFindTextItems";

// Appends one hit per match in every item's ItemText, items in display order and matches in text
// order; each search resumes after the previous match, so overlapping occurrences count once.
// `position` is the caller's search position record, left at the last search made. soForward is
// always added to `options`. Returns the number of hits. Throws store::Error when `hits` is not
// empty on entry.
int FindItemTexts(store::TRootComponent_Item& items, std::string_view pattern, TSearchOptions options,
                  const std::string& groupName, int groupIndex, std::vector<SearchHit>& hits,
                  TSearchPosition& position);

// Appends a group-name hit when the group name matches, then one hit per item whose Name
// matches, in display order. Same entry rule, options and result as FindItemTexts.
int FindItemNames(store::TRootComponent_Item& items, std::string_view pattern, TSearchOptions options,
                  const std::string& groupName, int groupIndex, std::vector<SearchHit>& hits,
                  TSearchPosition& position);

enum class SearchScope { Texts, Names };

// Receives the hits of one group as soon as that group is searched (only groups with hits).
using GroupHitsSink = std::function<void(int groupIndex, const std::vector<SearchHit>& hits)>;
// Receives a group whose item file could not be read. Returning true goes on with the next group,
// false abandons the search. Without a handler the error propagates.
using GroupErrorSink = std::function<bool(int groupIndex, const store::Error& error)>;

// Searches every group, in group-list order, from its item file: each file is loaded into a
// temporary item list (a group without a file has no items) and searched with FindItemTexts or
// FindItemNames. The open group's items must have been saved first. Returns the total hit count.
int SearchAllGroups(store::TRootComponent_Group& groups, SearchScope scope, std::string_view pattern,
                    TSearchOptions options, const GroupHitsSink& onHits, const GroupErrorSink& onError = {});

}  // namespace search
