#pragma once

#include "app/platform/desktopservices.h"

#include <QAbstractNativeEventFilter>
#include <QKeySequence>

// A global hotkey on Windows, registered for the GUI thread; its message arrives through
// Qt's event loop.
class WinGlobalShortcut : public GlobalShortcut, public QAbstractNativeEventFilter
{
    Q_OBJECT
public:
    WinGlobalShortcut(const QKeySequence& key, QObject* parent);
    ~WinGlobalShortcut() override;

    bool isRegistered() const override { return m_registered; }
    bool nativeEventFilter(const QByteArray& eventType, void* message, long* result) override;

private:
    QKeySequence m_key;
    int m_id = 0;
    bool m_registered = false;
};
