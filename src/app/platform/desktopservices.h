#pragma once

#include <QKeySequence>
#include <QObject>

#include <memory>

class QWindow;

// A system-wide hotkey: constructing it registers the key, activated() arrives on the GUI
// thread each time the key is pressed anywhere, destroying it unregisters the key. A failed
// registration leaves the object inactive and only writes a warning.
class GlobalShortcut : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
    virtual bool isRegistered() const = 0;

signals:
    void activated();
};

// The desktop services that reach past Qt: the keyboard hook with its sound and swallowing
// decisions, the taskbar, the task-manager switch, power-off and restart, and global
// hotkeys. One implementation per desktop; tests install a recording fake so nothing can
// ever touch the real machine.
class DesktopServices
{
public:
    enum class PowerAction { PowerOff, Reboot };

    virtual ~DesktopServices() = default;

    virtual bool installKeyboardHook() = 0;
    virtual void removeKeyboardHook() = 0;
    virtual void setKeySoundEnabled(bool on) = 0;
    virtual bool keySoundEnabled() const = 0;
    // While set, the hook swallows the keys that would leave a locked window.
    virtual void setSystemLocked(bool locked) = 0;
    virtual bool systemLocked() const = 0;

    virtual void setTaskbarVisible(bool visible) = 0;
    virtual void setTaskMgrDisabled(bool disabled) = 0;

    // Asks the system to power off or restart; false when the request could not be made.
    // Where the system answers later (the login manager may first ask for a password), a
    // refusal is only logged.
    virtual bool requestPower(PowerAction action) = 0;

    virtual std::unique_ptr<GlobalShortcut> createGlobalShortcut(const QKeySequence& key,
                                                                 QObject* parent) = 0;

    // Called at start when a writing lock ended without unlocking (a crash, a power cut):
    // undoes whatever of its measures outlives the program. Nothing does where none does.
    virtual void repairInterruptedLock() {}

    // True where the hook can only listen (X11 records key events but cannot drop them): a
    // locked window then holds the keyboard itself so the window manager never sees the keys.
    virtual bool lockNeedsWindowGrab() const { return false; }
    // Takes or releases an active keyboard grab for `window`; true when done. A grab is
    // refused on X11 mostly because the window is not viewable yet.
    virtual bool setWindowKeyboardGrab(QWindow* window, bool grab)
    {
        Q_UNUSED(window);
        Q_UNUSED(grab);
        return false;
    }
};

namespace Platform {
// The services in use: the desktop's own backend unless a test installed another.
DesktopServices& services();
// Takes ownership; nullptr restores the desktop's own backend.
void install(DesktopServices* services);
} // namespace Platform

// Does nothing and reports that; used where the desktop offers none of these services.
class NullDesktopServices : public DesktopServices
{
public:
    bool installKeyboardHook() override { return false; }
    void removeKeyboardHook() override {}
    void setKeySoundEnabled(bool on) override { m_keySound = on; }
    bool keySoundEnabled() const override { return m_keySound; }
    void setSystemLocked(bool locked) override { m_locked = locked; }
    bool systemLocked() const override { return m_locked; }
    void setTaskbarVisible(bool) override {}
    void setTaskMgrDisabled(bool) override {}
    bool requestPower(PowerAction) override { return false; }
    std::unique_ptr<GlobalShortcut> createGlobalShortcut(const QKeySequence& key,
                                                         QObject* parent) override;

private:
    bool m_keySound = false;
    bool m_locked = false;
};
