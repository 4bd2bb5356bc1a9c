#include "lock/keyclass.h"

namespace KeyClass {

namespace {

bool inRange(quint32 v, quint32 first, quint32 last) { return v >= first && v <= last; }

bool isDigitKeysym(quint32 s)
{
    return inRange(s, Sym::Digit0, Sym::Digit9) || inRange(s, Sym::Keypad0, Sym::Keypad9);
}

// Windows virtual-key codes of the same keys.
namespace Vk {
constexpr quint32 Back = 0x08, Tab = 0x09, Return = 0x0d, Escape = 0x1b, Space = 0x20;
constexpr quint32 Prior = 0x21, Next = 0x22, Left = 0x25, Down = 0x28;
constexpr quint32 Digit0 = 0x30, Digit9 = 0x39, A = 0x41, Z = 0x5a, LWin = 0x5b, RWin = 0x5c;
constexpr quint32 Numpad0 = 0x60, Numpad9 = 0x69, F4 = 0x73, RShift = 0xa1;
constexpr quint32 Oem1 = 0xba, Oem2 = 0xbf, Oem5 = 0xdc, Oem7 = 0xde;
} // namespace Vk

// The keys a locked desktop swallows, in each of the three ways a key reaches us; the
// second group only while Alt is held.
struct Swallowed {
    quint32 keysym;
    quint32 vk;
    int qtKey;
    bool withAlt;
};
constexpr Swallowed kSwallowed[] = {
    {Sym::Escape, Vk::Escape, Qt::Key_Escape, false},
    {Sym::SuperL, Vk::LWin, Qt::Key_Super_L, false},
    {Sym::SuperR, Vk::RWin, Qt::Key_Super_R, false},
    {Sym::Tab, Vk::Tab, Qt::Key_Tab, true},
    {Sym::F4, Vk::F4, Qt::Key_F4, true},
};

template <typename Field> bool swallowed(Field field, quint32 key, bool altHeld)
{
    for (const Swallowed& s : kSwallowed) {
        if (quint32(s.*field) == key)
            return !s.withAlt || altHeld;
    }
    return false;
}

} // namespace

const QString& fileName(Sound sound)
{
    static const QString names[] = {QString(), QStringLiteral("key.wav"),
                                    QStringLiteral("scroll.wav"), QStringLiteral("space.wav"),
                                    QStringLiteral("return.wav")};
    return names[int(sound)];
}

Sound soundForKeysym(quint32 level1, quint32 level2)
{
    // A digit on either level: keypad keys, and number rows that put the digit second.
    if (isDigitKeysym(level1) || isDigitKeysym(level2))
        return Sound::Key;
    if (inRange(level1, Sym::LowerA, Sym::LowerZ) || inRange(level1, Sym::UpperA, Sym::UpperZ))
        return Sound::Key;
    switch (level1) {
    case Sym::Semicolon:
    case Sym::Equal:
    case Sym::Comma:
    case Sym::Minus:
    case Sym::Period:
    case Sym::Slash:
    case Sym::Backslash:
    case Sym::Apostrophe:
        return Sound::Key;
    case Sym::PageUp:
    case Sym::PageDown:
    case Sym::Left:
    case Sym::Up:
    case Sym::Right:
    case Sym::Down:
        return Sound::Scroll;
    case Sym::BackSpace:
    case Sym::Space:
    case Sym::ShiftR:
        return Sound::Space;
    case Sym::Return:
    case Sym::KeypadEnter:
        return Sound::Return;
    default:
        return Sound::None;
    }
}

Sound soundForVirtualKey(quint32 vk)
{
    if (inRange(vk, Vk::A, Vk::Z) || inRange(vk, Vk::Digit0, Vk::Digit9) ||
        inRange(vk, Vk::Numpad0, Vk::Numpad9) || inRange(vk, Vk::Oem1, Vk::Oem2) ||
        vk == Vk::Oem5 || vk == Vk::Oem7)
        return Sound::Key;
    if (vk == Vk::Prior || vk == Vk::Next || inRange(vk, Vk::Left, Vk::Down))
        return Sound::Scroll;
    if (vk == Vk::Back || vk == Vk::Space || vk == Vk::RShift)
        return Sound::Space;
    if (vk == Vk::Return)
        return Sound::Return;
    return Sound::None;
}

bool swallowKeysym(quint32 level1, bool altHeld)
{
    return swallowed(&Swallowed::keysym, level1, altHeld);
}

bool swallowVirtualKey(quint32 vk, bool altHeld) { return swallowed(&Swallowed::vk, vk, altHeld); }

bool swallowQtKey(int key, bool altHeld)
{
    // Shift+Tab arrives as Backtab; Alt+Shift+Tab switches windows too.
    return swallowed(&Swallowed::qtKey, quint32(key == Qt::Key_Backtab ? Qt::Key_Tab : key),
                     altHeld);
}

} // namespace KeyClass
