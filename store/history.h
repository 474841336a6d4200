// Back and forward history of the items visited. Positions are display positions (group row,
// item row), so every insert, delete and move of groups or items must be told to it.
#pragma once

#include <memory>
#include <utility>
#include <vector>

#include "store/datafolder.h"
#include "store/persistent.h"

namespace store {

class THistoryItem final : public Persistent {
 public:
  int32_t HGroupIndex = 0;
  int32_t HItemIndex = 0;

  std::string_view ClassName() const override { return "THistoryItem"; }
  void Describe(PropertyVisitor& v) override {
    v.Integer("HGroupIndex", HGroupIndex);
    v.Integer("HItemIndex", HItemIndex);
  }
};

struct HistoryPosition {
  int group = -1;
  int item = -1;
  bool operator==(const HistoryPosition&) const = default;
};

class THistoryCollection final : public Component {
 public:
  static constexpr const char* kFileName = "History.bin";
  static constexpr int kWholeGroup = -100;  // item position meaning "the whole group"
  static constexpr size_t kMaxEntries = 51;

  using Stack = std::vector<std::unique_ptr<THistoryItem>>;
  Stack CollectionBk;  // last entry is the top
  Stack CollectionFw;

  std::string_view ClassName() const override { return "THistoryCollection"; }
  void Describe(PropertyVisitor& v) override;

  void Load(const DataFolder& folder) { folder.LoadComponentFile(*this, kFileName); }
  void Save(const DataFolder& folder) { folder.SaveComponentFile(*this, kFileName); }

  // Returns the stack's length after the call.
  static size_t Push(Stack& stack, int g, int i);
  size_t PushBack(int g, int i) { return Push(CollectionBk, g, i); }
  bool CanBack() const { return !CollectionBk.empty(); }
  bool CanForward() const { return !CollectionFw.empty(); }
  // (-1, -1) when there is nowhere to go.
  HistoryPosition Back(int currentGroup, int currentItem);
  HistoryPosition Forward(int currentGroup, int currentItem);

  void NoteInsert(int g, int i);
  void NoteDelete(int g, int i);
  void NoteMove(int newG, int newI, int oldG, int oldI);
  void RecordPosition(int g, int i) {
    NoteInsert(g, i);
    PushBack(g, i);
  }

  static std::vector<HistoryPosition> Positions(const Stack& stack);

 private:
  static HistoryPosition Step(Stack& from, Stack& to, int g, int i);
  template <class Fn>
  void ForEachEntry(Fn fn);
};

}  // namespace store
