#include "store/history.h"

namespace store {

void THistoryCollection::Describe(PropertyVisitor& v) {
  Component::Describe(v);
  VectorCollection<THistoryItem> back(CollectionBk);
  VectorCollection<THistoryItem> forward(CollectionFw);
  v.Collection("CollectionBk", back);
  v.Collection("CollectionFw", forward);
}

size_t THistoryCollection::Push(Stack& stack, int g, int i) {
  if (g < 0 || i < 0) return stack.size();
  if (!stack.empty() && stack.back()->HGroupIndex == g && stack.back()->HItemIndex == i) return stack.size();
  bool full = stack.size() > kMaxEntries - 1;
  auto item = std::make_unique<THistoryItem>();
  item->HGroupIndex = g;
  item->HItemIndex = i;
  stack.push_back(std::move(item));
  if (full) stack.erase(stack.begin());
  return stack.size();
}

HistoryPosition THistoryCollection::Step(Stack& from, Stack& to, int g, int i) {
  if (from.empty()) return {};
  HistoryPosition top{from.back()->HGroupIndex, from.back()->HItemIndex};
  from.pop_back();
  Push(to, g, i);
  return top;
}

HistoryPosition THistoryCollection::Back(int g, int i) { return Step(CollectionBk, CollectionFw, g, i); }
HistoryPosition THistoryCollection::Forward(int g, int i) { return Step(CollectionFw, CollectionBk, g, i); }

// Visits both stacks, each from its last entry to its first; fn returns false to remove the entry.
template <class Fn>
void THistoryCollection::ForEachEntry(Fn fn) {
  for (Stack* stack : {&CollectionBk, &CollectionFw}) {
    for (size_t n = stack->size(); n-- > 0;) {
      THistoryItem& e = *(*stack)[n];
      if (!fn(e.HGroupIndex, e.HItemIndex)) stack->erase(stack->begin() + static_cast<long>(n));
    }
  }
}

void THistoryCollection::NoteInsert(int g, int i) {
  if (g == -1 || i == -1) return;
  ForEachEntry([&](int32_t& G, int32_t& I) {
    if (i == kWholeGroup) {
      if (G >= g) ++G;
    } else if (G == g && I >= i) {
      ++I;
    }
    return true;
  });
}

void THistoryCollection::NoteDelete(int g, int i) {
  if (g == -1 || i == -1) return;
  ForEachEntry([&](int32_t& G, int32_t& I) {
    if (i == kWholeGroup) {
      if (G == g) return false;
      if (G > g) --G;
    } else {
      if (G == g && I == i) return false;
      if (G == g && I > i) --I;
    }
    return true;
  });
}

void THistoryCollection::NoteMove(int newG, int newI, int oldG, int oldI) {
  if (newI == -1) return;
  ForEachEntry([&](int32_t& G, int32_t& I) {
    if (oldI == kWholeGroup) {
      if (G == oldG) {
        G = newG;
      } else {
        if (G > oldG) --G;
        if (G >= newG) ++G;
      }
    } else if (oldG == newG) {
      if (G == oldG) {
        if (I == oldI) {
          I = newI;
        } else {
          if (I > oldI) --I;
          if (I >= newI) ++I;
        }
      }
    } else if (G == oldG && I == oldI) {
      G = newG;
      I = newI;
    }
    return true;
  });
}

std::vector<HistoryPosition> THistoryCollection::Positions(const Stack& stack) {
  std::vector<HistoryPosition> out;
  out.reserve(stack.size());
  for (const auto& e : stack) out.push_back({e->HGroupIndex, e->HItemIndex});
  return out;
}

}  // namespace store
