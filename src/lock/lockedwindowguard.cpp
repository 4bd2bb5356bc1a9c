#include "lock/lockedwindowguard.h"

#include "app/platform/desktopservices.h"
#include "lock/keyclass.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>
#include <QWindow>

namespace {

bool isPopup(QObject* object)
{
    auto* widget = qobject_cast<QWidget*>(object);
    return widget && widget->isWindow() && widget->windowType() == Qt::Popup;
}

} // namespace

LockedWindowGuard::LockedWindowGuard(QWidget* window, QObject* parent)
    : QObject(parent), m_window(window)
{
    m_retry.setInterval(RetryMs);
    connect(&m_retry, &QTimer::timeout, this, &LockedWindowGuard::tryGrab);
}

LockedWindowGuard::~LockedWindowGuard() { stop(); }

bool LockedWindowGuard::swallows(int key, Qt::KeyboardModifiers modifiers)
{
    return KeyClass::swallowQtKey(key, modifiers & Qt::AltModifier);
}

void LockedWindowGuard::start()
{
    if (m_active)
        return;
    m_active = true;
    qApp->installEventFilter(this);
    if (!Platform::services().lockNeedsWindowGrab())
        return;
    tryGrab();
    if (!m_held)
        m_retry.start();
}

void LockedWindowGuard::stop()
{
    if (!m_active)
        return;
    m_active = false;
    m_retry.stop();
    qApp->removeEventFilter(this);
    release();
}

void LockedWindowGuard::release()
{
    if (!m_held)
        return;
    m_held = false;
    if (m_window && m_window->windowHandle())
        Platform::services().setWindowKeyboardGrab(m_window->windowHandle(), false);
}

void LockedWindowGuard::grabAgainSoon()
{
    if (!m_held && Platform::services().lockNeedsWindowGrab() && !m_retry.isActive())
        m_retry.start();
}

void LockedWindowGuard::bringBack()
{
    if (!m_active || !m_window)
        return;
    if (m_window->isVisible() && !m_window->isMinimized() && m_window->isFullScreen())
        return;
    m_window->showFullScreen();
    m_window->raise();
    m_window->activateWindow();
}

void LockedWindowGuard::tryGrab()
{
    if (!m_active || !m_window) {
        m_retry.stop();
        return;
    }
    // An open popup holds the keyboard itself; taking it away would leave the popup deaf.
    if (QApplication::activePopupWidget())
        return;
    QWindow* handle = m_window->windowHandle();
    m_held = handle && Platform::services().setWindowKeyboardGrab(handle, true);
    if (m_held)
        m_retry.stop();
}

bool LockedWindowGuard::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride: {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (!swallows(key->key(), key->modifiers()))
            break;
        // An accepted override keeps any shortcut on the key from firing.
        event->accept();
        return true;
    }
    case QEvent::Show:
        // A popup takes the keyboard over as it opens; the window gets it back at its close.
        if (isPopup(watched))
            m_held = false;
        else if (watched == m_window)
            grabAgainSoon();
        break;
    case QEvent::Expose:
        if (m_window && watched == m_window->windowHandle())
            grabAgainSoon();
        break;
    case QEvent::Hide:
        // A window that is no longer viewable has lost its grab, and so has a closed popup.
        if (isPopup(watched) || watched == m_window) {
            m_held = false;
            grabAgainSoon();
        }
        if (watched == m_window)
            QTimer::singleShot(0, this, &LockedWindowGuard::bringBack);
        break;
    case QEvent::WindowStateChange:
        if (watched == m_window && (m_window->windowState() & Qt::WindowMinimized))
            QTimer::singleShot(0, this, &LockedWindowGuard::bringBack);
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
