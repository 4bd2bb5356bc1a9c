#include "app/platform/x11desktopservices.h"

#include "app/platform/login1power.h"
#include "app/platform/x11globalshortcut.h"
#include "app/platform/x11keyrecorder.h"

#include <QGuiApplication>
#include <QWindow>
#include <QX11Info>

#include <X11/Xlib.h>

std::unique_ptr<DesktopServices> X11DesktopServices::create()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb") || !QX11Info::isPlatformX11() ||
        !QX11Info::display())
        return nullptr;
    return std::unique_ptr<DesktopServices>(new X11DesktopServices);
}

X11DesktopServices::~X11DesktopServices() = default;

bool X11DesktopServices::installKeyboardHook()
{
    if (!m_recorder)
        m_recorder =
            std::make_unique<X11KeyRecorder>(QByteArray(DisplayString(QX11Info::display())),
                                             [this](quint32 level1, quint32 level2, bool pressed) {
                                                 m_hook.handleKeysym(level1, level2, pressed);
                                             });
    return m_recorder->start();
}

void X11DesktopServices::removeKeyboardHook()
{
    if (m_recorder)
        m_recorder->stop();
}

bool X11DesktopServices::requestPower(PowerAction action) { return Login1Power::request(action); }

std::unique_ptr<GlobalShortcut> X11DesktopServices::createGlobalShortcut(const QKeySequence& key,
                                                                         QObject* parent)
{
    return std::make_unique<X11GlobalShortcut>(key, parent);
}

bool X11DesktopServices::setWindowKeyboardGrab(QWindow* window, bool grab)
{
    return window && window->setKeyboardGrabEnabled(grab);
}
