// Application settings records: the look of the two lists, the window geometry and switches
// ("main.bin"), and the shortcut, time-stamp and search history lists ("list.bin").
#pragma once

#include <string>
#include <vector>

#include "store/colors.h"
#include "store/datafolder.h"
#include "store/persistent.h"

namespace store {

enum TSelFontColorType : int32_t {
  fcDefFontColor,
  fcUnDefFontColor,
  fcSelFontColor,
  fcUnSelFontColor,
  fcBkColor,
  fcUnBkColor,
  fcUnSelColor,
};
inline constexpr std::string_view kSelFontColorTypeNames[] = {"fcDefFontColor",   "fcUnDefFontColor", "fcSelFontColor",
                                                              "fcUnSelFontColor", "fcBkColor",        "fcUnBkColor",
                                                              "fcUnSelColor"};

enum TListBoxViewType : int32_t { lvLeft_tate, lvLeft_yoko, lvTop_tate, lvTop_yoko };
inline constexpr std::string_view kListBoxViewTypeNames[] = {"lvLeft_tate", "lvLeft_yoko", "lvTop_tate", "lvTop_yoko"};

// "ＭＳ Ｐゴシック" in code page 932.
inline constexpr std::string_view kDefaultListFontName =
    "\x82l\x82r \x82o\x83S\x83V\x83"
    "b\x83N";

class TMainDataClass final : public Component {
 public:
  static constexpr const char* kFileName = "main.bin";

  TColor GroupBackColor = 0;
  TColor GroupSelColor = 0;
  TColor GroupUnfilledColor = 0;
  TColor ItemBackColor = 0;
  TColor ItemSelColor = 0;
  TColor ItemUnfilledColor = 0;
  std::string GroupFontName;
  int32_t GroupFontSize = 0;
  TColor GroupFontColor = 0;
  std::string ItemFontName;
  int32_t ItemFontSize = 0;
  TColor ItemFontColor = 0;
  int32_t GroupSelFontColorType = fcDefFontColor;
  int32_t GroupLineMargin = 0;
  int32_t GroupLeftMargin = 0;
  int32_t ItemSelFontColorType = fcDefFontColor;
  int32_t ItemLineMargin = 0;
  int32_t ItemLeftMargin = 0;
  int32_t Top = 0;
  int32_t Left = 0;
  int32_t Width = 0;
  int32_t Heigth = 0;
  bool WindowStateMaximized = false;
  bool WindowOptionEnabled = false;
  int32_t SplitPositionX = 0;
  int32_t SplitPositionY = 0;
  int32_t ListBoxViewType = lvLeft_tate;
  bool FindWarning = false;
  int32_t TimeIndex = 0;
  bool WindowOptionFixed = false;
  bool IME_ON = false;

  std::string_view ClassName() const override { return "TMainDataClass"; }
  void Describe(PropertyVisitor& v) override;

  // Defaults apply only when "main.bin" is missing; a file that lacks a property leaves it zero.
  void SetDefaults();
  // SetDefaults when the file is missing, then read it. Throws the reader's error.
  void Load(const DataFolder& folder);
  void Save(const DataFolder& folder);
  // TimeIndex with -1 taken as 0.
  int EffectiveTimeIndex() const { return TimeIndex < 0 ? 0 : TimeIndex; }
};

class TListDataClass final : public Component {
 public:
  static constexpr const char* kFileName = "list.bin";

  std::vector<std::string> ShortCutList;
  std::vector<std::string> TimeStampList;
  std::vector<std::string> SearchHistoryList;
  // Not stored.
  std::vector<std::string> DefaultTimeStampList;
  std::vector<std::string> TimeStampMenuList;

  std::string_view ClassName() const override { return "TListDataClass"; }
  void Describe(PropertyVisitor& v) override;

  // Reads "list.bin" (when present), then builds the time-stamp lists; they are built even when
  // reading fails, and the error is thrown afterwards.
  void Load(const DataFolder& folder);
  void Save(const DataFolder& folder);
  void SetTimeStampList(const std::vector<std::string>& lines);
  void RebuildTimeStampLists();

  // `current` holds every command's shortcut text in action-list order. Pads a stored list with
  // the remaining commands' texts (or fills an empty one) and returns the text each command is
  // to take; an empty or unparsable text means no shortcut.
  std::vector<std::string> ApplyShortCuts(const std::vector<std::string>& current);
};

// The seven built-in time-stamp formats, code page 932.
const std::vector<std::string>& BuiltInTimeStampFormats();

}  // namespace store
