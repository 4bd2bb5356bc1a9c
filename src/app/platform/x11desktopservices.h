#pragma once

#include "app/platform/desktopservices.h"
#include "lock/keyhook.h"

#include <memory>

class X11KeyRecorder;

// The desktop services of an X11 session (also XWayland): key events recorded desktop-wide,
// hotkeys grabbed on the root window, power-off and restart through the login manager. A
// full-screen window already covers the panels, so the taskbar and task-manager measures
// have nothing to do here; recording cannot drop keys, so a locked window grabs the keyboard.
class X11DesktopServices : public DesktopServices
{
public:
    // Null unless Qt runs on xcb with an open display.
    static std::unique_ptr<DesktopServices> create();
    ~X11DesktopServices() override;

    bool installKeyboardHook() override;
    void removeKeyboardHook() override;
    void setKeySoundEnabled(bool on) override { m_hook.setKeySoundEnabled(on); }
    bool keySoundEnabled() const override { return m_hook.keySoundEnabled(); }
    void setSystemLocked(bool locked) override { m_hook.setSystemLocked(locked); }
    bool systemLocked() const override { return m_hook.systemLocked(); }
    void setTaskbarVisible(bool) override {}
    void setTaskMgrDisabled(bool) override {}
    bool requestPower(PowerAction action) override;
    std::unique_ptr<GlobalShortcut> createGlobalShortcut(const QKeySequence& key,
                                                         QObject* parent) override;
    bool lockNeedsWindowGrab() const override { return true; }
    bool setWindowKeyboardGrab(QWindow* window, bool grab) override;

private:
    X11DesktopServices() = default;

    KeyHook m_hook;
    std::unique_ptr<X11KeyRecorder> m_recorder;
};
