// Entry collections: groups and items. An entry keeps its storage index for life; the order list
// maps display positions (what the list box shows and every operation takes) to storage indexes.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "store/colors.h"
#include "store/datafolder.h"
#include "store/persistent.h"

namespace store {

// Largest NameID; identifiers are drawn from 1 to this.
inline constexpr int32_t kIDRangeMax = 2147483647;

class TRootCollectionItem : public Persistent {
 public:
  std::string Name;
  TColor ListTxtColor = 0;
  uint8_t FontStyle = 0;  // FontStyle bits
  int32_t NameID = 0;

  void Describe(PropertyVisitor& v) override;
};

class TGroupCollectionItem final : public TRootCollectionItem {
 public:
  std::string_view ClassName() const override { return "TGroupCollectionItem"; }
};

class TItemsCollectionItem final : public TRootCollectionItem {
 public:
  std::string ItemText;  // code page 932, lines separated by CR LF
  int32_t Line = 0;      // logical line of the caret when the item was last left

  std::string_view ClassName() const override { return "TItemsCollectionItem"; }
  void Describe(PropertyVisitor& v) override;
};

// Creates the editor settings record every list owns (stored after the list in its file).
using SettingsFactory = std::function<std::unique_ptr<Component>()>;
// The default keeps whatever settings record a file holds and writes it back unchanged.
SettingsFactory DefaultSettingsFactory();

struct EntryAttributes {
  std::string name;
  uint8_t style = 0;
  TColor colour = 0;
};

class TRootComponent : public Component {
 public:
  TRootComponent(const DataFolder& folder, SettingsFactory settings);
  ~TRootComponent() override;

  // Entries in storage order.
  std::vector<std::unique_ptr<TRootCollectionItem>> Collection;
  int32_t SelIndex = -1;  // display position of the selected entry
  std::vector<int> OrderList;
  std::vector<std::string> NameStrings;  // names in display order, rebuilt by RefreshNameStrings
  std::unique_ptr<Component> EditorSettings;
  // The file this list was last loaded from or saved to, as it was then (see ChangedOnDisk).
  FileStamp Stamp;

  void Describe(PropertyVisitor& v) override;

  int Count() const { return static_cast<int>(OrderList.size()); }
  // Appends a new entry and puts its storage index at `position`; -1 after the error message.
  int InsertSlot(int position);
  virtual int Add(int position, int current, uint8_t style, TColor colour, const std::string& name) = 0;
  virtual void Delete(int position);

  const std::vector<std::string>& RefreshNameStrings();
  // Both record the file's stamp in Stamp.
  void LoadFromFile(const std::string& name);
  void SaveToFile(const std::string& name);
  void MoveEntry(int from, int to);
  int32_t NewNameID() const;
  int StoreIndex(int position);
  int DisplayIndexOf(int storageIndex) const;

  EntryAttributes GetEntry(int position);
  TColor GetColor(int position);
  uint8_t GetStyle(int position);
  void SetEntry(int position, const std::string& name, uint8_t style, TColor colour);
  void CopyEntry(int from, int to);
  void ReplaceColor(TColor oldColour, TColor newColour);
  void ResetStyles(TColor colour);
  bool RepairFList();

  // The entry at a display position (repairs first); throws Error for a position out of range.
  TRootCollectionItem& EntryAt(int position);
  const DataFolder& Folder() const { return folder_; }
  const SettingsFactory& Settings() const { return settings_factory_; }

 protected:
  virtual std::unique_ptr<TRootCollectionItem> NewItem() const = 0;
  // The base part of Add: slot, attributes, NameID, selection. Returns the storage index or -1.
  int AddBase(int position, uint8_t style, TColor colour, const std::string& name);

 private:
  class Items;
  const DataFolder& folder_;
  SettingsFactory settings_factory_;
};

class TRootComponent_Item final : public TRootComponent {
 public:
  TRootComponent_Item(const DataFolder& folder, SettingsFactory settings);
  std::string_view ClassName() const override { return "TRootComponent_Item"; }

  int Add(int position, int current, uint8_t style, TColor colour, const std::string& name) override;

  void ClearItems();
  void LoadGroupFile(const std::string& name);
  // Position -1: the getter leaves `text` as it was and returns false; the setter does nothing.
  bool GetText(int position, std::string& text);
  void SetText(const std::string& text, int position);
  int GetLine(int position);
  void SetLine(int position, int line);
  TItemsCollectionItem& ItemAt(int position);
  // Appends a copy (name, style, colour, text; new NameID, Line 0) to the end of `target`.
  void CopyItemTo(TRootComponent_Item& target, int position);

 protected:
  std::unique_ptr<TRootCollectionItem> NewItem() const override;
};

class TRootComponent_Group final : public TRootComponent {
 public:
  // `items` is the one current item list, whose contents belong to the group being shown.
  TRootComponent_Group(const DataFolder& folder, SettingsFactory settings, TRootComponent_Item& items);
  std::string_view ClassName() const override { return "TRootComponent_Group"; }

  // Throws Error("内部エラー：GroupAdd") at position -1.
  int Add(int position, int current, uint8_t style, TColor colour, const std::string& name) override;
  // Deletes the group's item file too (a failure is ignored).
  void Delete(int position) override;

  std::string ItemFileName(int position);
  void LoadItems(int position, TRootComponent_Item* list = nullptr);
  void SaveItems(int position, TRootComponent_Item* list = nullptr);
  // Copies item `item` of the current list to the end of group `target`'s file; returns the copy's
  // display position there.
  int CopyItemToGroup(int target, int item);
  TRootComponent_Item& CurrentItems() { return items_; }

 protected:
  std::unique_ptr<TRootCollectionItem> NewItem() const override;

 private:
  TRootComponent_Item& items_;
};

}  // namespace store
