#pragma once

#include "app/platform/hookeddesktopservices.h"

#include <memory>

class X11KeyRecorder;

// The desktop services of an X11 session (also XWayland): key events recorded desktop-wide,
// hotkeys grabbed on the root window, power-off and restart through the login manager. A
// full-screen window already covers the panels, so the taskbar and task-manager measures
// have nothing to do here; recording cannot drop keys, so a locked window grabs the keyboard.
class X11DesktopServices : public HookedDesktopServices
{
public:
    // Null unless Qt runs on xcb with an open display.
    static std::unique_ptr<DesktopServices> create();
    ~X11DesktopServices() override;

    bool installKeyboardHook() override;
    void removeKeyboardHook() override;
    void setTaskbarVisible(bool) override {}
    void setTaskMgrDisabled(bool) override {}
    bool requestPower(PowerAction action) override;
    std::unique_ptr<GlobalShortcut> createGlobalShortcut(const QKeySequence& key,
                                                         QObject* parent) override;
    bool lockNeedsWindowGrab() const override { return true; }
    bool setWindowKeyboardGrab(QWindow* window, bool grab) override;

private:
    X11DesktopServices() = default;

    std::unique_ptr<X11KeyRecorder> m_recorder;
};
