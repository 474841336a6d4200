// Platform-free key codes and modifiers the editor model understands. The widget translates its
// toolkit's key events into these; letters and digits use their upper-case ASCII codes.
#pragma once

#include <cstdint>

namespace editor {

using KeyCode = int;

namespace keys {
// Letters 'A'..'Z' and digits '0'..'9' are their ASCII codes; everything else lies above 0xFF.
inline constexpr KeyCode kNone = 0;
inline constexpr KeyCode kBackspace = 0x100;
inline constexpr KeyCode kTab = 0x101;
inline constexpr KeyCode kReturn = 0x102;  // Enter and the keypad's Enter
inline constexpr KeyCode kEscape = 0x103;
inline constexpr KeyCode kInsert = 0x104;
inline constexpr KeyCode kDelete = 0x105;
inline constexpr KeyCode kHome = 0x106;
inline constexpr KeyCode kEnd = 0x107;
inline constexpr KeyCode kPageUp = 0x108;
inline constexpr KeyCode kPageDown = 0x109;
inline constexpr KeyCode kLeft = 0x10A;
inline constexpr KeyCode kUp = 0x10B;
inline constexpr KeyCode kRight = 0x10C;
inline constexpr KeyCode kDown = 0x10D;
inline constexpr KeyCode kF1 = 0x110;  // kF1 + n - 1 for Fn
}  // namespace keys

// Modifier bits of key and mouse events.
using Modifiers = uint8_t;
inline constexpr Modifiers kModNone = 0;
inline constexpr Modifiers kModShift = 1;
inline constexpr Modifiers kModCtrl = 2;
inline constexpr Modifiers kModAlt = 4;

enum class MouseButton : uint8_t { None, Left, Right, Middle };

}  // namespace editor
