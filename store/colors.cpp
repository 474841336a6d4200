#include "store/colors.h"

#include <array>
#include <utility>

#include "store/names.h"

namespace store {

namespace {
struct Named {
  int32_t value;
  std::string_view name;
};

constexpr auto kColors = std::to_array<Named>({
    {0x000000, "clBlack"},
    {0x000080, "clMaroon"},
    {0x008000, "clGreen"},
    {0x008080, "clOlive"},
    {0x800000, "clNavy"},
    {0x800080, "clPurple"},
    {0x808000, "clTeal"},
    {0x808080, "clGray"},
    {0xC0C0C0, "clSilver"},
    {0x0000FF, "clRed"},
    {0x00FF00, "clLime"},
    {0x00FFFF, "clYellow"},
    {0xFF0000, "clBlue"},
    {0xFF00FF, "clFuchsia"},
    {0xFFFF00, "clAqua"},
    {0xFFFFFF, "clWhite"},
    {clSystemBase + 0x00, "clScrollBar"},
    {clSystemBase + 0x01, "clBackground"},
    {clSystemBase + 0x02, "clActiveCaption"},
    {clSystemBase + 0x03, "clInactiveCaption"},
    {clSystemBase + 0x04, "clMenu"},
    {clSystemBase + 0x05, "clWindow"},
    {clSystemBase + 0x06, "clWindowFrame"},
    {clSystemBase + 0x07, "clMenuText"},
    {clSystemBase + 0x08, "clWindowText"},
    {clSystemBase + 0x09, "clCaptionText"},
    {clSystemBase + 0x0A, "clActiveBorder"},
    {clSystemBase + 0x0B, "clInactiveBorder"},
    {clSystemBase + 0x0C, "clAppWorkSpace"},
    {clSystemBase + 0x0D, "clHighlight"},
    {clSystemBase + 0x0E, "clHighlightText"},
    {clSystemBase + 0x0F, "clBtnFace"},
    {clSystemBase + 0x10, "clBtnShadow"},
    {clSystemBase + 0x11, "clGrayText"},
    {clSystemBase + 0x12, "clBtnText"},
    {clSystemBase + 0x13, "clInactiveCaptionText"},
    {clSystemBase + 0x14, "clBtnHighlight"},
    {clSystemBase + 0x15, "cl3DDkShadow"},
    {clSystemBase + 0x16, "cl3DLight"},
    {clSystemBase + 0x17, "clInfoText"},
    {clSystemBase + 0x18, "clInfoBk"},
    {0x1FFFFFFF, "clNone"},
});
static_assert(kColors.size() == 42);

constexpr auto kCharsets = std::to_array<Named>({
    {0, "ANSI_CHARSET"},
    {1, "DEFAULT_CHARSET"},
    {2, "SYMBOL_CHARSET"},
    {77, "MAC_CHARSET"},
    {128, "SHIFTJIS_CHARSET"},
    {129, "HANGEUL_CHARSET"},
    {130, "JOHAB_CHARSET"},
    {134, "GB2312_CHARSET"},
    {136, "CHINESEBIG5_CHARSET"},
    {161, "GREEK_CHARSET"},
    {162, "TURKISH_CHARSET"},
    {177, "HEBREW_CHARSET"},
    {178, "ARABIC_CHARSET"},
    {186, "BALTIC_CHARSET"},
    {204, "RUSSIAN_CHARSET"},
    {222, "THAI_CHARSET"},
    {238, "EASTEUROPE_CHARSET"},
    {255, "OEM_CHARSET"},
});

template <size_t N>
std::optional<std::string_view> ToIdent(const std::array<Named, N>& table, int32_t v) {
  for (const auto& n : table)
    if (n.value == v) return n.name;
  return std::nullopt;
}

template <size_t N>
std::optional<int32_t> FromIdent(const std::array<Named, N>& table, std::string_view name) {
  for (const auto& n : table)
    if (EqualsIgnoreCase(n.name, name)) return n.value;
  return std::nullopt;
}
}  // namespace

std::optional<std::string_view> ColorToIdent(TColor c) { return ToIdent(kColors, c); }
std::optional<TColor> IdentToColor(std::string_view name) { return FromIdent(kColors, name); }
std::optional<std::string_view> CharsetToIdent(int32_t charset) { return ToIdent(kCharsets, charset); }
std::optional<int32_t> IdentToCharset(std::string_view name) { return FromIdent(kCharsets, name); }

}  // namespace store
