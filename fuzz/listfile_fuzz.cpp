// Fuzz target: a group file and an item file (order header, list record, settings record).
// Loading fails cleanly or succeeds; a loaded list is repaired, listed, saved and loaded again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "store/datafolder.h"
#include "store/entries.h"
#include "store/errors.h"
#include "store/reporter.h"

namespace {

class Quiet final : public store::Reporter {
 public:
  void ShowMessage(const std::string&) override {}
};

template <class List>
void Load(std::string_view bytes, List& list, List& again) {
  store::MemoryInput in(bytes);
  list.Collection.clear();
  try {
    store::ReadListStream(in, list, *list.EditorSettings, list.OrderList);
  } catch (const store::Error&) {}
  list.RepairFList();
  const auto& names = list.RefreshNameStrings();
  if (names.size() != list.Collection.size()) std::abort();
  for (int p = 0; p < list.Count(); ++p) list.GetEntry(p);

  store::StringOutput out;
  store::WriteListStream(out, list, *list.EditorSettings, list.OrderList);
  std::string saved = out.Bytes();
  store::MemoryInput in2(saved);
  store::ReadListStream(in2, again, *again.EditorSettings, again.OrderList);
  if (again.RepairFList() || again.Collection.size() != list.Collection.size()) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Quiet quiet;
  store::SetReporter(&quiet);
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  store::DataFolder folder("/nonexistent-fuzz/");
  store::TRootComponent_Item items(folder, nullptr), items2(folder, nullptr);
  Load(bytes, items, items2);
  store::TRootComponent_Group groups(folder, nullptr, items), groups2(folder, nullptr, items);
  Load(bytes, groups, groups2);
  return 0;
}
