#pragma once

#include "app/platform/desktopservices.h"
#include "app/platform/soundplayer.h"

#include <QPair>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

// A temporary application directory for one test: AppDirs points at it while it lives,
// message boxes are recorded instead of shown, and the desktop services and sounds are the
// recording fakes below (nothing reaches the real machine).
class TestAppDir
{
public:
    TestAppDir();
    ~TestAppDir();
    QString path() const { return m_dir.path(); }
    QString file(const QString& relative) const { return m_dir.path() + "/" + relative; }

    // Messages shown since construction, as (kind, text); the answer given to questions.
    QList<QPair<int, QString>> messages;
    int questionAnswer = 0;

private:
    QTemporaryDir m_dir;
};

class RecordingSoundPlayer : public SoundPlayer
{
public:
    void play(const QString& fileName) override { played.append(fileName); }
    QStringList played;
};

class FakeGlobalShortcut : public GlobalShortcut
{
    Q_OBJECT
public:
    using GlobalShortcut::GlobalShortcut;
    ~FakeGlobalShortcut() override;
    bool isRegistered() const override { return true; }
};

// Records every request; power actions are only counted.
class FakeDesktopServices : public DesktopServices
{
public:
    bool installKeyboardHook() override
    {
        calls << "hook:install";
        return hookInstalled = true;
    }
    void removeKeyboardHook() override
    {
        calls << "hook:remove";
        hookInstalled = false;
    }
    void setKeySoundEnabled(bool on) override { keySound = on; }
    bool keySoundEnabled() const override { return keySound; }
    void setSystemLocked(bool locked) override { systemLockedFlag = locked; }
    bool systemLocked() const override { return systemLockedFlag; }
    void setTaskbarVisible(bool on) override { calls << (on ? "taskbar:show" : "taskbar:hide"); }
    void setTaskMgrDisabled(bool off) override { calls << (off ? "taskmgr:off" : "taskmgr:on"); }
    bool requestPower(PowerAction action) override;
    std::unique_ptr<GlobalShortcut> createGlobalShortcut(const QKeySequence& key,
                                                         QObject* parent) override;
    void repairInterruptedLock() override { calls << "lock:repair"; }
    bool lockNeedsWindowGrab() const override { return windowGrabNeeded; }
    // Refuses grabs while the window is hidden (as X does) and the first
    // `grabRefusalsLeft` attempts; a success adds "grab:take", a release "grab:release".
    bool setWindowKeyboardGrab(QWindow* window, bool grab) override;

    QStringList calls;
    // Called inside requestPower, to see what was already saved when the system was asked.
    std::function<void(PowerAction)> onPower;
    bool keySound = false;
    bool systemLockedFlag = false;
    bool hookInstalled = false;
    int liveShortcuts = 0;
    bool windowGrabNeeded = false;
    int grabRefusalsLeft = 0;
    bool grabHeld = false;
};

// The fakes installed by the most recent TestAppDir.
FakeDesktopServices& fakeServices();
RecordingSoundPlayer& fakeSounds();

// Writing creates the parent directories.
bool writeBytes(const QString& path, const QByteArray& bytes);
QByteArray readBytes(const QString& path);

// Calls `slot` by name and fails the test when no slot of that name takes `args` (values of
// registered types, or Q_ARG(…)): a renamed slot cannot turn a test into one that checks nothing.
template <typename T> QGenericArgument slotArgument(const T& value)
{
    return QGenericArgument(QMetaType::typeName(qMetaTypeId<T>()), &value);
}
template <typename T> QGenericArgument slotArgument(const QArgument<T>& argument)
{
    return argument;
}

template <typename... Args> bool callSlot(QObject* object, const char* slot, const Args&... args)
{
    if (QMetaObject::invokeMethod(object, slot, Qt::DirectConnection, slotArgument(args)...))
        return true;
    QTest::qFail(qPrintable(QStringLiteral("no slot %1 for these arguments").arg(slot)), __FILE__,
                 __LINE__);
    return false;
}

class QMenu;
class QAction;
// The entry of `menu` (or of one of its submenus) showing `text`; fails the test when none does.
QAction* menuEntry(QMenu* menu, const QString& text);
