#pragma once

#include <QtGlobal>

// The procedure behind the desktop-wide keyboard hook, the same for every desktop: each key
// event (press, auto-repeat and release alike) first meets the lock's swallowing rule, then
// plays its key sound through the sound seam when key sounds are on. Playing returns at
// once, so the hook never waits.
class KeyHook
{
public:
    void setKeySoundEnabled(bool on) { m_keySound = on; }
    bool keySoundEnabled() const { return m_keySound; }
    void setSystemLocked(bool locked) { m_locked = locked; }
    bool systemLocked() const { return m_locked; }

    // An X key event given by the symbols on its first two levels. X reports no modifier
    // state with recorded events, so the hook follows the Alt keys itself. Returns true when
    // a locked desktop swallows the key.
    bool handleKeysym(quint32 level1, quint32 level2, bool pressed);
    // A Windows key event; `altHeld` is the event's own Alt flag.
    bool handleVirtualKey(quint32 vk, bool altHeld);

private:
    bool m_keySound = false;
    bool m_locked = false;
    bool m_altLeft = false;
    bool m_altRight = false;
};
