#include "store/settings.h"

#include "store/errors.h"

namespace store {

void TMainDataClass::Describe(PropertyVisitor& v) {
  Component::Describe(v);
  v.Colour("GroupBackColor", GroupBackColor);
  v.Colour("GroupSelColor", GroupSelColor);
  v.Colour("GroupUnfilledColor", GroupUnfilledColor);
  v.Colour("ItemBackColor", ItemBackColor);
  v.Colour("ItemSelColor", ItemSelColor);
  v.Colour("ItemUnfilledColor", ItemUnfilledColor);
  v.String("GroupFontName", GroupFontName);
  v.Integer("GroupFontSize", GroupFontSize);
  v.Colour("GroupFontColor", GroupFontColor);
  v.String("ItemFontName", ItemFontName);
  v.Integer("ItemFontSize", ItemFontSize);
  v.Colour("ItemFontColor", ItemFontColor);
  v.Enum("GroupSelFontColorType", GroupSelFontColorType, kSelFontColorTypeNames);
  v.Integer("GroupLineMargin", GroupLineMargin);
  v.Integer("GroupLeftMargin", GroupLeftMargin);
  v.Enum("ItemSelFontColorType", ItemSelFontColorType, kSelFontColorTypeNames);
  v.Integer("ItemLineMargin", ItemLineMargin);
  v.Integer("ItemLeftMargin", ItemLeftMargin);
  v.Integer("Top", Top);
  v.Integer("Left", Left);
  v.Integer("Width", Width);
  v.Integer("Heigth", Heigth);
  v.Boolean("WindowStateMaximized", WindowStateMaximized);
  v.Boolean("WindowOptionEnabled", WindowOptionEnabled);
  v.Integer("SplitPositionX", SplitPositionX);
  v.Integer("SplitPositionY", SplitPositionY);
  v.Enum("ListBoxViewType", ListBoxViewType, kListBoxViewTypeNames);
  v.Boolean("FindWarning", FindWarning);
  v.Integer("TimeIndex", TimeIndex);
  v.Boolean("WindowOptionFixed", WindowOptionFixed);
  v.Boolean("IME_ON", IME_ON);
}

void TMainDataClass::SetDefaults() {
  GroupBackColor = clWhite;
  GroupSelColor = clNavy;
  GroupUnfilledColor = clWhite;
  ItemBackColor = clWhite;
  ItemSelColor = clNavy;
  ItemUnfilledColor = clWhite;
  GroupFontName = kDefaultListFontName;
  GroupFontSize = 10;
  ItemFontName = kDefaultListFontName;
  ItemFontSize = 10;
  GroupSelFontColorType = fcUnSelColor;
  ItemSelFontColorType = fcUnSelColor;
  ListBoxViewType = lvLeft_tate;
  FindWarning = true;
}

void TMainDataClass::Load(const DataFolder& folder) {
  folder.EnsureExists();
  if (!folder.Exists(kFileName)) SetDefaults();
  folder.LoadComponentFile(*this, kFileName);
}

void TMainDataClass::Save(const DataFolder& folder) { folder.SaveComponentFile(*this, kFileName); }

void TListDataClass::Describe(PropertyVisitor& v) {
  Component::Describe(v);
  v.StringList("ShortCutList", ShortCutList);
  v.StringList("TimeStampList", TimeStampList);
  v.StringList("SearchHistoryList", SearchHistoryList);
}

const std::vector<std::string>& BuiltInTimeStampFormats() {
  static const std::vector<std::string> formats = {
      "yyyy/m/d",
      "yyyy/m/d h:n:s",
      "yy/mm/dd h:n AM/PM",
      "ge'\x94N'm'\x8C\x8E'd'\x93\xFA' (aaa)",                                      // ge'年'm'月'd'日' (aaa)
      "ggee'\x94N'mm'\x8C\x8E'dd'\x93\xFA' aaaa h'\x8E\x9E'n'\x95\xAA's'\x95\x62",  // ...h'時'n'分's'秒
      "ddddd t",
      "dddddd ampmh'\x8E\x9E",  // dddddd ampmh'時
  };
  return formats;
}

void TListDataClass::RebuildTimeStampLists() {
  DefaultTimeStampList = BuiltInTimeStampFormats();
  TimeStampMenuList = TimeStampList;
  TimeStampMenuList.insert(TimeStampMenuList.end(), DefaultTimeStampList.begin(), DefaultTimeStampList.end());
}

void TListDataClass::Load(const DataFolder& folder) {
  try {
    folder.LoadComponentFile(*this, kFileName);
  } catch (...) {
    RebuildTimeStampLists();
    throw;
  }
  RebuildTimeStampLists();
}

void TListDataClass::Save(const DataFolder& folder) { folder.SaveComponentFile(*this, kFileName); }

void TListDataClass::SetTimeStampList(const std::vector<std::string>& lines) {
  TimeStampList = lines;
  RebuildTimeStampLists();
}

std::vector<std::string> TListDataClass::ApplyShortCuts(const std::vector<std::string>& current) {
  if (ShortCutList.empty()) {
    ShortCutList = current;
    return current;
  }
  while (ShortCutList.size() < current.size()) ShortCutList.push_back(current[ShortCutList.size()]);
  // Lines beyond the commands stay in the list, without effect.
  return std::vector<std::string>(ShortCutList.begin(), ShortCutList.begin() + static_cast<long>(current.size()));
}

}  // namespace store
