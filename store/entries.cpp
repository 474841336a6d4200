#include "store/entries.h"

#include <algorithm>
#include <chrono>
#include <random>

#include "store/errors.h"
#include "store/reporter.h"
#include "store/stream.h"

namespace store {

namespace {
constexpr const char* kAddError = "ProgramError!\r\nAdd\r\n処理を中断します";
constexpr const char* kDeleteError = "error! Del 処理を中断します";
constexpr const char* kRepairMessage =
    "ProgramError!  (RepairFList)\r\n\r\n内部エラーが発見されたのでデータを修復しました";
constexpr const char* kGroupAddError = "内部エラー：GroupAdd";

[[noreturn]] void IndexError(int index) {
  throw Error("リストのインデックスが範囲を超えています (" + std::to_string(index) + ")");
}
}  // namespace

// ---- entries

void TRootCollectionItem::Describe(PropertyVisitor& v) {
  v.String("Name", Name);
  v.Colour("ListTxtColor", ListTxtColor);
  v.Set("FontStyle", FontStyle, kFontStyleNames);
  v.Integer("NameID", NameID);
}

void TItemsCollectionItem::Describe(PropertyVisitor& v) {
  TRootCollectionItem::Describe(v);
  v.String("ItemText", ItemText);
  v.Integer("Line", Line);
}

SettingsFactory DefaultSettingsFactory() {
  return [] { return std::make_unique<GenericRecord>("TEditorPropDat"); };
}

// ---- the collection as the stream sees it

class TRootComponent::Items final : public CollectionRef {
 public:
  explicit Items(TRootComponent& owner) : owner_(owner) {}
  size_t Count() const override { return owner_.Collection.size(); }
  Persistent& Item(size_t i) override { return *owner_.Collection[i]; }
  void Clear() override { owner_.Collection.clear(); }
  Persistent& Append() override { return *owner_.Collection.emplace_back(owner_.NewItem()); }

 private:
  TRootComponent& owner_;
};

TRootComponent::TRootComponent(const DataFolder& folder, SettingsFactory settings)
    : EditorSettings(settings ? settings() : DefaultSettingsFactory()()),
      folder_(folder),
      settings_factory_(settings ? std::move(settings) : DefaultSettingsFactory()) {}

TRootComponent::~TRootComponent() = default;

void TRootComponent::Describe(PropertyVisitor& v) {
  Component::Describe(v);
  Items items(*this);
  v.Collection("Collection", items);
  v.Integer("SelIndex", SelIndex);
}

int TRootComponent::InsertSlot(int position) {
  if (position < 0 || Collection.size() != OrderList.size()) {
    ShowMessage(kAddError);
    return -1;
  }
  position = std::min(position, Count());
  Collection.push_back(NewItem());
  int s = static_cast<int>(Collection.size()) - 1;
  if (position > Count() - 1) {
    OrderList.push_back(s);
  } else {
    OrderList.insert(OrderList.begin() + position, s);
  }
  return s;
}

int TRootComponent::AddBase(int position, uint8_t style, TColor colour, const std::string& name) {
  int s = InsertSlot(position);
  if (s < 0) return -1;
  TRootCollectionItem& e = *Collection[static_cast<size_t>(s)];
  e.Name = name;
  e.ListTxtColor = colour;
  e.FontStyle = style;
  e.NameID = NewNameID();
  SelIndex = DisplayIndexOf(s);
  return s;
}

void TRootComponent::Delete(int position) {
  if (position < 0 || position >= Count()) {
    ShowMessage(kDeleteError);
    return;
  }
  int s = OrderList[static_cast<size_t>(position)];
  OrderList.erase(OrderList.begin() + position);
  for (int& n : OrderList)
    if (n > s) --n;
  if (s >= 0 && static_cast<size_t>(s) < Collection.size()) Collection.erase(Collection.begin() + s);
}

const std::vector<std::string>& TRootComponent::RefreshNameStrings() {
  RepairFList();
  NameStrings.clear();
  NameStrings.reserve(OrderList.size());
  for (int s : OrderList) NameStrings.push_back(Collection[static_cast<size_t>(s)]->Name);
  return NameStrings;
}

void TRootComponent::LoadFromFile(const std::string& name) {
  Collection.clear();
  try {
    folder_.LoadListFile(*this, *EditorSettings, OrderList, name, &Stamp);
  } catch (...) {
    // Keep what was read usable: the order list must fit the entries read so far.
    RepairFList();
    throw;
  }
  RepairFList();
}

void TRootComponent::SaveToFile(const std::string& name) {
  RepairFList();
  folder_.SaveListFile(*this, *EditorSettings, OrderList, name, &Stamp);
}

void TRootComponent::MoveEntry(int from, int to) {
  if (from < 0 || from >= Count()) IndexError(from);
  if (to < 0 || to >= Count()) IndexError(to);
  int moved = OrderList[static_cast<size_t>(from)];
  OrderList.erase(OrderList.begin() + from);
  OrderList.insert(OrderList.begin() + to, moved);
  if (NameStrings.size() == OrderList.size()) {
    std::string name = std::move(NameStrings[static_cast<size_t>(from)]);
    NameStrings.erase(NameStrings.begin() + from);
    NameStrings.insert(NameStrings.begin() + to, std::move(name));
  }
  SelIndex = to;
}

int32_t TRootComponent::NewNameID() const {
  auto seed =
      static_cast<std::mt19937::result_type>(std::chrono::high_resolution_clock::now().time_since_epoch().count());
  std::mt19937 gen(seed);
  std::uniform_int_distribution<int32_t> dist(0, kIDRangeMax - 1);
  for (;;) {
    int32_t id = dist(gen);
    if (id == 0) continue;
    bool used = std::any_of(Collection.begin(), Collection.end(), [id](const auto& e) { return e->NameID == id; });
    if (!used) return id;
  }
}

int TRootComponent::StoreIndex(int position) {
  RepairFList();
  if (position < 0 || position >= Count()) IndexError(position);
  return OrderList[static_cast<size_t>(position)];
}

int TRootComponent::DisplayIndexOf(int storageIndex) const {
  auto it = std::find(OrderList.begin(), OrderList.end(), storageIndex);
  return it == OrderList.end() ? -1 : static_cast<int>(it - OrderList.begin());
}

TRootCollectionItem& TRootComponent::EntryAt(int position) {
  return *Collection[static_cast<size_t>(StoreIndex(position))];
}

EntryAttributes TRootComponent::GetEntry(int position) {
  const auto& e = EntryAt(position);
  return {e.Name, e.FontStyle, e.ListTxtColor};
}

TColor TRootComponent::GetColor(int position) { return EntryAt(position).ListTxtColor; }

uint8_t TRootComponent::GetStyle(int position) { return EntryAt(position).FontStyle; }

void TRootComponent::SetEntry(int position, const std::string& name, uint8_t style, TColor colour) {
  auto& e = EntryAt(position);
  e.Name = name;
  e.FontStyle = style;
  e.ListTxtColor = colour;
}

void TRootComponent::CopyEntry(int from, int to) {
  EntryAttributes a = GetEntry(from);
  Add(to, -1, a.style, a.colour, a.name);
}

void TRootComponent::ReplaceColor(TColor oldColour, TColor newColour) {
  for (auto& e : Collection)
    if (e->ListTxtColor == oldColour) e->ListTxtColor = newColour;
}

void TRootComponent::ResetStyles(TColor colour) {
  for (auto& e : Collection) {
    e->ListTxtColor = colour;
    e->FontStyle = 0;
  }
}

bool TRootComponent::RepairFList() {
  // Besides numbers past the end and a wrong length, negative and repeated numbers are damage too:
  // they would hide an entry or index outside the collection.
  const size_t c = Collection.size();
  bool broken = OrderList.size() != c;
  if (!broken) {
    std::vector<bool> seen(c, false);
    for (int n : OrderList) {
      if (n < 0 || static_cast<size_t>(n) >= c || seen[static_cast<size_t>(n)]) {
        broken = true;
        break;
      }
      seen[static_cast<size_t>(n)] = true;
    }
  }
  if (!broken) return false;
  OrderList.resize(c);
  for (size_t i = 0; i < c; ++i) OrderList[i] = static_cast<int>(i);
  ShowMessage(kRepairMessage);
  return true;
}

// ---- items

TRootComponent_Item::TRootComponent_Item(const DataFolder& folder, SettingsFactory settings)
    : TRootComponent(folder, std::move(settings)) {}

std::unique_ptr<TRootCollectionItem> TRootComponent_Item::NewItem() const {
  return std::make_unique<TItemsCollectionItem>();
}

int TRootComponent_Item::Add(int position, int, uint8_t style, TColor colour, const std::string& name) {
  return AddBase(position, style, colour, name);
}

void TRootComponent_Item::ClearItems() {
  OrderList.clear();
  NameStrings.clear();
  Collection.clear();
}

void TRootComponent_Item::LoadGroupFile(const std::string& name) {
  ClearItems();
  LoadFromFile(name);
}

TItemsCollectionItem& TRootComponent_Item::ItemAt(int position) {
  return static_cast<TItemsCollectionItem&>(EntryAt(position));
}

bool TRootComponent_Item::GetText(int position, std::string& text) {
  if (position == -1) return false;
  text = ItemAt(position).ItemText;
  return true;
}

void TRootComponent_Item::SetText(const std::string& text, int position) {
  if (position == -1) return;
  ItemAt(position).ItemText = text;
}

int TRootComponent_Item::GetLine(int position) {
  if (position == -1) return 0;
  return ItemAt(position).Line;
}

void TRootComponent_Item::SetLine(int position, int line) {
  if (position == -1) return;
  ItemAt(position).Line = line;
}

void TRootComponent_Item::CopyItemTo(TRootComponent_Item& target, int position) {
  TItemsCollectionItem& source = ItemAt(position);
  int s = target.Add(target.Count(), -1, source.FontStyle, source.ListTxtColor, source.Name);
  if (s < 0) return;
  auto& copy = static_cast<TItemsCollectionItem&>(*target.Collection[static_cast<size_t>(s)]);
  copy.ItemText = source.ItemText;
  copy.Line = 0;
}

// ---- groups

TRootComponent_Group::TRootComponent_Group(const DataFolder& folder, SettingsFactory settings,
                                           TRootComponent_Item& items)
    : TRootComponent(folder, std::move(settings)), items_(items) {}

std::unique_ptr<TRootCollectionItem> TRootComponent_Group::NewItem() const {
  return std::make_unique<TGroupCollectionItem>();
}

int TRootComponent_Group::Add(int position, int current, uint8_t style, TColor colour, const std::string& name) {
  if (position == -1) throw Error(kGroupAddError);
  int s = AddBase(position, style, colour, name);
  if (s < 0) return -1;
  // The new group took the place of the one whose items are in memory.
  if (position == current) items_.ClearItems();
  return s;
}

void TRootComponent_Group::Delete(int position) {
  if (position >= 0 && position < Count()) Folder().Remove(ItemFileName(position));
  items_.ClearItems();
  TRootComponent::Delete(position);
}

std::string TRootComponent_Group::ItemFileName(int position) { return ItemFileNameOf(EntryAt(position).NameID); }

void TRootComponent_Group::LoadItems(int position, TRootComponent_Item* list) {
  if (position < 0) return;
  (list ? *list : items_).LoadGroupFile(ItemFileName(position));
}

void TRootComponent_Group::SaveItems(int position, TRootComponent_Item* list) {
  if (position < 0) return;
  (list ? *list : items_).SaveToFile(ItemFileName(position));
}

int TRootComponent_Group::CopyItemToGroup(int target, int item) {
  TRootComponent_Item temporary(Folder(), Settings());
  LoadItems(target, &temporary);
  int n = temporary.Count();
  items_.CopyItemTo(temporary, item);
  SaveItems(target, &temporary);
  return n;
}

}  // namespace store
