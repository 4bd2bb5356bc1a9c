#pragma once

#include "app/platform/desktopservices.h"
#include "lock/keyhook.h"

// Desktop services whose keyboard hook leaves the sound and swallowing decisions to one
// KeyHook; the backends differ only in how key events reach it.
class HookedDesktopServices : public DesktopServices
{
public:
    void setKeySoundEnabled(bool on) override { m_hook.setKeySoundEnabled(on); }
    bool keySoundEnabled() const override { return m_hook.keySoundEnabled(); }
    void setSystemLocked(bool locked) override { m_hook.setSystemLocked(locked); }
    bool systemLocked() const override { return m_hook.systemLocked(); }

protected:
    KeyHook m_hook;
};
