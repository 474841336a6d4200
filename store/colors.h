// Colour values in the stored RGB form (low byte red), with the 42 names the record stream uses.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace store {

using TColor = int32_t;

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clMaroon = 0x000080;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clOlive = 0x008080;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clPurple = 0x800080;
inline constexpr TColor clTeal = 0x808000;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clLime = 0x00FF00;
inline constexpr TColor clYellow = 0x00FFFF;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clFuchsia = 0xFF00FF;
inline constexpr TColor clAqua = 0xFFFF00;
inline constexpr TColor clWhite = 0xFFFFFF;
// System colours: 0x80000000 + the platform's colour index.
inline constexpr TColor clSystemBase = static_cast<TColor>(0x80000000u);
inline constexpr TColor clScrollBar = clSystemBase + 0;
inline constexpr TColor clWindow = clSystemBase + 5;
inline constexpr TColor clWindowText = clSystemBase + 8;
inline constexpr TColor clHighlight = clSystemBase + 13;
inline constexpr TColor clHighlightText = clSystemBase + 14;
inline constexpr TColor clBtnFace = clSystemBase + 15;
inline constexpr TColor clGrayText = clSystemBase + 17;
inline constexpr TColor clInfoBk = clSystemBase + 24;
// No colour of its own: use the owner's.
inline constexpr TColor clNone = 0x1FFFFFFF;

// Name of a colour that has one of the 42 stored names.
std::optional<std::string_view> ColorToIdent(TColor c);
// Colour of a stored name, compared without regard to case.
std::optional<TColor> IdentToColor(std::string_view name);

// Font character sets with stored names (ANSI_CHARSET, SHIFTJIS_CHARSET, ...).
std::optional<std::string_view> CharsetToIdent(int32_t charset);
std::optional<int32_t> IdentToCharset(std::string_view name);
inline constexpr int32_t DEFAULT_CHARSET = 1;
inline constexpr int32_t SHIFTJIS_CHARSET = 128;

}  // namespace store
