#include "app/platform/login1power.h"

#include "app/logcategories.h"

#include <QDBusError>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDebug>

namespace Login1Power {

bool request(DesktopServices::PowerAction action, const QDBusConnection& bus)
{
    if (!bus.isConnected()) {
        qCWarning(lcPlatform).noquote() << "login1: no system bus:" << bus.lastError().message();
        return false;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"),
        action == DesktopServices::PowerAction::PowerOff ? QStringLiteral("PowerOff")
                                                         : QStringLiteral("Reboot"));
    call << true;
    // The user may sit at a password prompt for a while before the manager answers.
    const int replyTimeoutMs = 10 * 60 * 1000;
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call, replyTimeoutMs));
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, [](QDBusPendingCallWatcher* w) {
        if (w->isError())
            qCWarning(lcPlatform).noquote() << "login1 refused:" << w->error().message();
        w->deleteLater();
    });
    return true;
}

} // namespace Login1Power
