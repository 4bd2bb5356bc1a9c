#include "lock/keyhook.h"

#include "app/platform/soundplayer.h"
#include "lock/keyclass.h"

namespace {

void play(KeyClass::Sound sound)
{
    if (sound != KeyClass::Sound::None)
        Sounds::play(KeyClass::fileName(sound));
}

} // namespace

bool KeyHook::handleKeysym(quint32 level1, quint32 level2, bool pressed)
{
    if (level1 == KeyClass::Sym::AltL || level1 == KeyClass::Sym::MetaL)
        m_altLeft = pressed;
    else if (level1 == KeyClass::Sym::AltR || level1 == KeyClass::Sym::MetaR)
        m_altRight = pressed;

    if (m_locked && KeyClass::swallowKeysym(level1, m_altLeft || m_altRight))
        return true;
    if (m_keySound)
        play(KeyClass::soundForKeysym(level1, level2));
    return false;
}

bool KeyHook::handleVirtualKey(quint32 vk, bool altHeld)
{
    if (m_locked && KeyClass::swallowVirtualKey(vk, altHeld))
        return true;
    if (m_keySound)
        play(KeyClass::soundForVirtualKey(vk));
    return false;
}
