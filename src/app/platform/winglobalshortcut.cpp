#include "app/platform/winglobalshortcut.h"

#include "app/logcategories.h"
#include "app/platform/winapi.h"

#include <QCoreApplication>
#include <QDebug>

namespace {

// Windows virtual-key codes and hotkey modifier flags.
unsigned virtualKeyFor(int qtKey)
{
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return 0x70 + unsigned(qtKey - Qt::Key_F1);
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
        return unsigned(qtKey);
    switch (qtKey) {
    case Qt::Key_Space:
        return 0x20;
    case Qt::Key_Escape:
        return 0x1b;
    case Qt::Key_Tab:
        return 0x09;
    case Qt::Key_Return:
        return 0x0d;
    case Qt::Key_Pause:
        return 0x13;
    case Qt::Key_Print:
        return 0x2c;
    case Qt::Key_Insert:
        return 0x2d;
    case Qt::Key_Delete:
        return 0x2e;
    case Qt::Key_Home:
        return 0x24;
    case Qt::Key_End:
        return 0x23;
    case Qt::Key_PageUp:
        return 0x21;
    case Qt::Key_PageDown:
        return 0x22;
    default:
        return 0;
    }
}

unsigned hotKeyModifiersFor(int qtModifiers)
{
    unsigned mods = 0;
    if (qtModifiers & Qt::AltModifier)
        mods |= 1;
    if (qtModifiers & Qt::ControlModifier)
        mods |= 2;
    if (qtModifiers & Qt::ShiftModifier)
        mods |= 4;
    if (qtModifiers & Qt::MetaModifier)
        mods |= 8;
    return mods;
}

int nextHotKeyId()
{
    static int id = 0;
    return ++id;
}

} // namespace

WinGlobalShortcut::WinGlobalShortcut(const QKeySequence& key, QObject* parent)
    : GlobalShortcut(parent), m_key(key), m_id(nextHotKeyId())
{
    const int combined = key.isEmpty() ? 0 : key[0];
    const unsigned vk = virtualKeyFor(combined & ~int(Qt::KeyboardModifierMask));
    const unsigned modifiers = hotKeyModifiersFor(combined & int(Qt::KeyboardModifierMask));
    m_registered = vk != 0 && WinApi::registerHotKey(m_id, modifiers, vk);
    if (!m_registered) {
        qCWarning(lcPlatform).noquote()
            << "QxtGlobalShortcut failed to register:" << m_key.toString();
        return;
    }
    QCoreApplication::instance()->installNativeEventFilter(this);
}

WinGlobalShortcut::~WinGlobalShortcut()
{
    if (!m_registered)
        return;
    QCoreApplication::instance()->removeNativeEventFilter(this);
    if (!WinApi::unregisterHotKey(m_id))
        qCWarning(lcPlatform).noquote()
            << "QxtGlobalShortcut failed to unregister:" << m_key.toString();
}

bool WinGlobalShortcut::nativeEventFilter(const QByteArray& eventType, void* message, long*)
{
    if (eventType != "windows_generic_MSG" || WinApi::hotKeyIdOf(message) != m_id)
        return false;
    emit activated();
    return true;
}
