#include "app/logcategories.h"

Q_LOGGING_CATEGORY(lcLibrary, "lorvane.library")
Q_LOGGING_CATEGORY(lcEditor, "lorvane.editor")
Q_LOGGING_CATEGORY(lcLock, "lorvane.lock")
Q_LOGGING_CATEGORY(lcPlatform, "lorvane.platform")
Q_LOGGING_CATEGORY(lcSettings, "lorvane.settings")
