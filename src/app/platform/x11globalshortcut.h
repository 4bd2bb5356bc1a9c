#pragma once

#include "app/platform/desktopservices.h"

#include <QAbstractNativeEventFilter>
#include <QKeySequence>

// A global hotkey on X11: a passive grab of the key on the root window through Qt's own
// connection, taken once for each state of NumLock and CapsLock (a grab matches the
// modifier state exactly, so without the variants the key is missed while NumLock is on).
// Grab errors are caught with checked requests; Qt's X error handler would hide them.
class X11GlobalShortcut : public GlobalShortcut, public QAbstractNativeEventFilter
{
    Q_OBJECT
public:
    X11GlobalShortcut(const QKeySequence& key, QObject* parent);
    ~X11GlobalShortcut() override;

    bool isRegistered() const override { return m_registered; }
    bool nativeEventFilter(const QByteArray& eventType, void* message, long* result) override;

private:
    bool grab();
    bool ungrab();

    QKeySequence m_key;
    bool m_registered = false;
    quint8 m_keycode = 0;
    quint16 m_modifiers = 0;
    quint16 m_numLockMask = 0;
};
