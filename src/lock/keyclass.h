#pragma once

#include <QString>
#include <QtGlobal>
#include <qnamespace.h>

// What the desktop-wide keyboard hook decides about one key event: which key sound it makes
// and whether a locked desktop swallows it. Keys come either as X keysyms (the symbols on
// the key's first and second level) or as Windows virtual-key codes; both tables describe
// the same keys.
namespace KeyClass {

// The X keysyms these decisions look at (values from the X protocol's keysym table).
namespace Sym {
constexpr quint32 Space = 0x0020;
constexpr quint32 Apostrophe = 0x0027;
constexpr quint32 Comma = 0x002c;
constexpr quint32 Minus = 0x002d;
constexpr quint32 Period = 0x002e;
constexpr quint32 Slash = 0x002f;
constexpr quint32 Digit0 = 0x0030;
constexpr quint32 Digit9 = 0x0039;
constexpr quint32 Semicolon = 0x003b;
constexpr quint32 Equal = 0x003d;
constexpr quint32 UpperA = 0x0041;
constexpr quint32 UpperZ = 0x005a;
constexpr quint32 BracketLeft = 0x005b;
constexpr quint32 Backslash = 0x005c;
constexpr quint32 BracketRight = 0x005d;
constexpr quint32 Grave = 0x0060;
constexpr quint32 LowerA = 0x0061;
constexpr quint32 LowerZ = 0x007a;
constexpr quint32 BackSpace = 0xff08;
constexpr quint32 Tab = 0xff09;
constexpr quint32 Return = 0xff0d;
constexpr quint32 Escape = 0xff1b;
constexpr quint32 Left = 0xff51;
constexpr quint32 Up = 0xff52;
constexpr quint32 Right = 0xff53;
constexpr quint32 Down = 0xff54;
constexpr quint32 PageUp = 0xff55;
constexpr quint32 PageDown = 0xff56;
constexpr quint32 KeypadEnter = 0xff8d;
constexpr quint32 KeypadHome = 0xff95;
constexpr quint32 KeypadUp = 0xff97;
constexpr quint32 Keypad0 = 0xffb0;
constexpr quint32 Keypad9 = 0xffb9;
constexpr quint32 F4 = 0xffc1;
constexpr quint32 ShiftL = 0xffe1;
constexpr quint32 ShiftR = 0xffe2;
constexpr quint32 MetaL = 0xffe7;
constexpr quint32 MetaR = 0xffe8;
constexpr quint32 AltL = 0xffe9;
constexpr quint32 AltR = 0xffea;
constexpr quint32 SuperL = 0xffeb;
constexpr quint32 SuperR = 0xffec;
} // namespace Sym

enum class Sound { None, Key, Scroll, Space, Return };

// "key.wav", "scroll.wav", "space.wav", "return.wav"; empty for None.
const QString& fileName(Sound sound);

// `level1` is the key's plain symbol, `level2` its shifted one: the keypad's digits sit on
// the second level (the first carries KP_Home, KP_Up, …), whatever the NumLock state.
Sound soundForKeysym(quint32 level1, quint32 level2);
Sound soundForVirtualKey(quint32 vk);

// While the desktop is locked: Esc with any modifiers, Alt+Tab, the Windows (Super) keys
// and Alt+F4 never reach a program. Tab and F4 without Alt are ordinary keys.
bool swallowKeysym(quint32 level1, bool altHeld);
bool swallowVirtualKey(quint32 vk, bool altHeld);
// The same keys as Qt reports them to a window.
bool swallowQtKey(int key, bool altHeld);

} // namespace KeyClass
