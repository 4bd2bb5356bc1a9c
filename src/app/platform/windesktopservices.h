#pragma once

#include "app/platform/hookeddesktopservices.h"

// The desktop services of Windows: the low-level keyboard hook, the taskbar window, the
// per-user "DisableTaskMgr" policy, hotkeys and the forced shutdown and restart.
class WinDesktopServices : public HookedDesktopServices
{
public:
    ~WinDesktopServices() override;

    bool installKeyboardHook() override;
    void removeKeyboardHook() override;
    void setTaskbarVisible(bool visible) override;
    void setTaskMgrDisabled(bool disabled) override;
    bool requestPower(PowerAction action) override;
    std::unique_ptr<GlobalShortcut> createGlobalShortcut(const QKeySequence& key,
                                                         QObject* parent) override;
    // The policy value outlives the program, and so does a hidden taskbar until explorer
    // restarts: both are given back.
    void repairInterruptedLock() override;

private:
    static bool onKey(void* context, unsigned long vk, bool altHeld);

    // The taskbar found when it was hidden; showing it again uses the same window.
    void* m_taskbar = nullptr;
};
