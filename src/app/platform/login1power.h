#pragma once

#include "app/platform/desktopservices.h"

#include <QDBusConnection>

// Power-off and restart through the login manager (org.freedesktop.login1) on the given
// bus. The request is interactive, so the desktop may ask for a password where its policy
// wants one; the answer arrives later and a refusal is only logged.
namespace Login1Power {

// True when the request was sent.
bool request(DesktopServices::PowerAction action,
             const QDBusConnection& bus = QDBusConnection::systemBus());

} // namespace Login1Power
