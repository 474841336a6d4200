// Search across items: hits per item list, and the walk over all groups' item files.
#include "search/itemsearch.h"

#include "codec/cp932.h"
#include "store/errors.h"

namespace search {

const std::string kGroupNameHitItemName = codec::Utf8ToCp932("*** （グループ名一致） ***").bytes;

namespace {

// Up to kHitTextBytes of `text` from `from` (a character start), cut before a double-byte
// character that would not fit, so the excerpt never ends on a lone lead byte.
std::string Excerpt(const std::string& text, std::size_t from) {
  if (from >= text.size()) return {};
  const std::size_t limit = std::min(text.size(), from + kHitTextBytes);
  std::size_t end = from;
  while (end < limit) {
    // A lead byte whose trail is cut off by the end of the text itself counts as one byte and is kept.
    const std::size_t next = end + codec::CharLength(text, end);
    if (next > limit) break;
    end = next;
  }
  return text.substr(from, end - from);
}

void RequireEmpty(const std::vector<SearchHit>& hits) {
  if (!hits.empty()) throw store::Error(std::string(kFindTextItemsError));
}

}  // namespace

int FindItemTexts(store::TRootComponent_Item& items, std::string_view pattern, TSearchOptions options,
                  const std::string& groupName, int groupIndex, std::vector<SearchHit>& hits,
                  TSearchPosition& position) {
  RequireEmpty(hits);
  // A backward search from the start of a text could never find anything.
  options |= soForward;
  items.RepairFList();  // once, so the order list can be read directly below
  for (int p = 0; p < items.Count(); ++p) {
    const auto& item = static_cast<const store::TItemsCollectionItem&>(
        *items.Collection[static_cast<std::size_t>(items.OrderList[p])]);
    position = {0, 0};
    while (FindInBuffer(item.ItemText, position, pattern, options)) {
      SearchHit hit;
      hit.GroupIndex = groupIndex;
      hit.ItemIndex = p;
      hit.Position = position.Start;
      hit.GroupName = groupName;
      hit.ItemName = item.Name;
      hit.Text = Excerpt(item.ItemText, static_cast<std::size_t>(position.Start));
      hits.push_back(std::move(hit));
      if (position.Length <= 0) break;  // guards against a search that would not advance
    }
  }
  return static_cast<int>(hits.size());
}

int FindItemNames(store::TRootComponent_Item& items, std::string_view pattern, TSearchOptions options,
                  const std::string& groupName, int groupIndex, std::vector<SearchHit>& hits,
                  TSearchPosition& position) {
  RequireEmpty(hits);
  options |= soForward;
  items.RepairFList();
  position = {0, 0};
  if (FindInBuffer(groupName, position, pattern, options)) {
    SearchHit hit;
    hit.GroupIndex = groupIndex;
    hit.ItemIndex = items.Count() > 0 ? 0 : -1;
    hit.Position = -1;
    hit.GroupName = groupName;
    hit.ItemName = kGroupNameHitItemName;
    hits.push_back(std::move(hit));
  }
  for (int p = 0; p < items.Count(); ++p) {
    const auto& item = static_cast<const store::TItemsCollectionItem&>(
        *items.Collection[static_cast<std::size_t>(items.OrderList[p])]);
    position = {0, 0};
    if (!FindInBuffer(item.Name, position, pattern, options)) continue;
    SearchHit hit;
    hit.GroupIndex = groupIndex;
    hit.ItemIndex = p;
    hit.Position = 0;
    hit.GroupName = groupName;
    hit.ItemName = item.Name;
    hit.Text = Excerpt(item.ItemText, 0);
    hits.push_back(std::move(hit));
  }
  return static_cast<int>(hits.size());
}

int SearchAllGroups(store::TRootComponent_Group& groups, SearchScope scope, std::string_view pattern,
                    TSearchOptions options, const GroupHitsSink& onHits, const GroupErrorSink& onError) {
  int total = 0;
  store::TRootComponent_Item items(groups.Folder(), groups.Settings());
  std::vector<SearchHit> hits;
  TSearchPosition position;
  for (int g = 0; g < groups.Count(); ++g) {
    items.ClearItems();
    const std::string& name = groups.EntryAt(g).Name;
    const std::string file = groups.ItemFileName(g);
    // Only load what exists: a search must not create anything in the folder.
    if (groups.Folder().Exists(file)) {
      try {
        items.LoadGroupFile(file);
      } catch (const store::Error& e) {
        if (!onError) throw;
        if (!onError(g, e)) return total;
        continue;
      }
    }
    hits.clear();
    int n = scope == SearchScope::Texts ? FindItemTexts(items, pattern, options, name, g, hits, position)
                                        : FindItemNames(items, pattern, options, name, g, hits, position);
    total += n;
    if (n > 0 && onHits) onHits(g, hits);
  }
  return total;
}

}  // namespace search
