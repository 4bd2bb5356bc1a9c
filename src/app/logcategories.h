#pragma once

#include <QLoggingCategory>

// One logging category per subsystem, so a user's log can be narrowed with QT_LOGGING_RULES
// (for example "lorvane.library.debug=true") without rebuilding.
Q_DECLARE_LOGGING_CATEGORY(lcLibrary)
Q_DECLARE_LOGGING_CATEGORY(lcEditor)
Q_DECLARE_LOGGING_CATEGORY(lcLock)
Q_DECLARE_LOGGING_CATEGORY(lcPlatform)
Q_DECLARE_LOGGING_CATEGORY(lcSettings)
