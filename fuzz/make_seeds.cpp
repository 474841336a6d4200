// Writes a small seed corpus of valid files for the fuzz targets.
#include <cstdio>
#include <fstream>
#include <string>

#include "store/entries.h"
#include "store/history.h"
#include "store/settings.h"
#include "store/stream.h"

namespace {

void Save(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

std::string Record(store::Component& c) {
  store::StringOutput out;
  store::WriteComponent(out, c);
  return out.Bytes();
}

std::string List(store::TRootComponent& list) {
  store::StringOutput out;
  store::WriteListStream(out, list, *list.EditorSettings, list.OrderList);
  return out.Bytes();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: make_seeds RECORD_DIR LIST_DIR\n");
    return 2;
  }
  std::string records = argv[1], lists = argv[2];

  store::TMainDataClass m;
  m.SetDefaults();
  m.Width = 800;
  m.Heigth = 600;
  Save(records + "/main.bin", Record(m));
  store::TListDataClass l;
  l.ShortCutList = {"Ctrl+N", "", "F3"};
  l.TimeStampList = {"yyyy/mm/dd"};
  l.SearchHistoryList = {std::string(300, 'a'), "b"};
  Save(records + "/list.bin", Record(l));
  store::THistoryCollection h;
  h.PushBack(0, 1);
  h.PushBack(2, 3);
  h.Back(4, 5);
  Save(records + "/History.bin", Record(h));

  store::DataFolder folder("/nonexistent/");
  store::TRootComponent_Item items(folder, nullptr);
  store::TRootComponent_Group groups(folder, nullptr, items);
  Save(lists + "/empty", List(items));
  for (int k = 0; k < 3; ++k) groups.Add(0, -1, static_cast<uint8_t>(k), store::clNavy, "group " + std::to_string(k));
  Save(lists + "/group.bin", List(groups));
  Save(records + "/group-record", Record(groups));
  items.Add(0, -1, store::fsBold, store::clBlack, "abc");
  items.Add(1, -1, 0, 0x123456, "\x93\xFA\x96\x7B");  // a Japanese name
  items.ItemAt(0).ItemText = "x\r\ny";
  items.ItemAt(1).ItemText = std::string(400, 'z');
  items.ItemAt(1).Line = 70000;
  Save(lists + "/12345678", List(items));
  Save(records + "/item-record", Record(items));
  return 0;
}
