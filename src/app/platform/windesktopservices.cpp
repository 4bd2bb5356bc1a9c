#include "app/platform/windesktopservices.h"

#include "app/platform/winapi.h"
#include "app/platform/winglobalshortcut.h"

#include <QSettings>

WinDesktopServices::~WinDesktopServices() { WinApi::removeKeyboardHook(); }

bool WinDesktopServices::onKey(void* context, unsigned long vk, bool altHeld)
{
    return static_cast<WinDesktopServices*>(context)->m_hook.handleVirtualKey(quint32(vk), altHeld);
}

bool WinDesktopServices::installKeyboardHook()
{
    return WinApi::installKeyboardHook(&WinDesktopServices::onKey, this);
}

void WinDesktopServices::removeKeyboardHook() { WinApi::removeKeyboardHook(); }

void WinDesktopServices::setTaskbarVisible(bool visible)
{
    if (!visible)
        m_taskbar = WinApi::findTaskbar();
    WinApi::showTaskbar(m_taskbar, visible);
}

void WinDesktopServices::setTaskMgrDisabled(bool disabled)
{
    QSettings policy(
        QStringLiteral(
            "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System"),
        QSettings::NativeFormat);
    if (disabled)
        policy.setValue(QStringLiteral("DisableTaskMgr"), QStringLiteral("1"));
    else
        policy.remove(QStringLiteral("DisableTaskMgr"));
}

void WinDesktopServices::repairInterruptedLock()
{
    setTaskMgrDisabled(false);
    // No taskbar was found in this run: look for the one a lock left hidden.
    m_taskbar = WinApi::findTaskbar();
    WinApi::showTaskbar(m_taskbar, true);
}

bool WinDesktopServices::requestPower(PowerAction action)
{
    return WinApi::exitWindows(action == PowerAction::Reboot);
}

std::unique_ptr<GlobalShortcut> WinDesktopServices::createGlobalShortcut(const QKeySequence& key,
                                                                         QObject* parent)
{
    return std::make_unique<WinGlobalShortcut>(key, parent);
}
