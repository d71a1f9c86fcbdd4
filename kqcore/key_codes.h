// Keys as the keyboard reports them: the values are Windows' virtual-key codes, so the Win32
// side passes them straight through, and key tables stay portable.
#pragma once

namespace keys {
constexpr unsigned Backspace = 0x08;
constexpr unsigned Enter = 0x0D;
constexpr unsigned PageUp = 0x21;
constexpr unsigned PageDown = 0x22;
constexpr unsigned Left = 0x25;
constexpr unsigned Up = 0x26;
constexpr unsigned Right = 0x27;
constexpr unsigned Down = 0x28;
constexpr unsigned NumpadAdd = 0x6B;
constexpr unsigned NumpadSubtract = 0x6D;
constexpr unsigned F2 = 0x71;
constexpr unsigned F3 = 0x72;
constexpr unsigned F4 = 0x73;
constexpr unsigned F5 = 0x74;
constexpr unsigned F6 = 0x75;
constexpr unsigned F7 = 0x76;
constexpr unsigned F8 = 0x77;
constexpr unsigned F9 = 0x78;
constexpr unsigned F10 = 0x79;
constexpr unsigned F11 = 0x7A;
constexpr unsigned Minus = 0xBD;                                               // the main keyboard's "-"
inline constexpr unsigned letter(char c) { return static_cast<unsigned>(c); }  // 'A'..'Z', '0'..'9'
}  // namespace keys

struct KeyStroke {
  unsigned key;
  bool ctrl;
  bool shift;
  bool alt;
};
